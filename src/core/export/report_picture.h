#pragma once

#include "scan/pixel_rows.h"

#include <QImage>
#include <utility>

namespace bladetrace {

// A copy of a loaded view small enough for a report; the view itself stays untouched.
QImage reportPicture(const PixelRows& view);

// Copies of the two views of a run shrunk by one factor, the one that makes the larger fit,
// so that the report can draw them at one scale: equal spans look equal.
std::pair<QImage, QImage> reportPictures(const PixelRows& top, const PixelRows& side);

} // namespace bladetrace
