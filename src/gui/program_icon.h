#pragma once

#include <QIcon>
#include <QPixmap>

namespace bladetrace {

// A two-bladed propeller seen along its axis, drawn rather than shipped as a file.
QPixmap programIconPixmap(int size);

// The same picture at the sizes window managers ask for.
QIcon programIcon();

} // namespace bladetrace
