#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

namespace bladetrace {

// A two-bladed propeller seen along its axis, drawn rather than shipped as a file.
QPixmap programIconPixmap(int size);

// The same picture at the sizes window managers ask for.
QIcon programIcon();

// The drawing itself, in a 32-unit square from the painter's origin: the window's pixmaps
// and the installed icon files (PNG and SVG) are all painted by it.
void paintProgramIcon(QPainter& painter);

} // namespace bladetrace
