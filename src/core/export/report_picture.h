#pragma once

#include "scan/pixel_rows.h"

#include <QImage>

namespace bladetrace {

// A copy of a loaded view small enough for a report; the view itself stays untouched.
QImage reportPicture(const PixelRows& view);

} // namespace bladetrace
