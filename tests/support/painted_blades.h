#pragma once

#include <QImage>
#include <QString>

namespace bladetrace::testing {

// A white picture with a black band in columns [first, last], rows [top, bottom]: a blade
// whose upper and lower edges are known exactly.
QImage paintBand(int width, int height, int first, int last, int top, int bottom);

// A blade 400 columns long (from column 10, in a picture 420 wide) whose half-height is
// `root` at the middle and `tip` at both ends: chord and angle change along the span.
QImage taperedView(int height, int root, int tip);

// Saves `image` as a BMP under `dir` and returns the path.
QString saveImage(const QImage& image, const QString& dir, const QString& name);

} // namespace bladetrace::testing
