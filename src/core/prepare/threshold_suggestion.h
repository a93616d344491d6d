#pragma once

#include <QImage>
#include <QtGlobal>
#include <array>

namespace bladetrace {

// How many pixels of each grey value (the scanner's grey, 0..255) the pictures hold.
using GreyHistogram = std::array<qint64, 256>;

// Adds every pixel of a picture (any format; 32-bit RGB as the loader gives it is read
// directly).
void addToHistogram(GreyHistogram& histogram, const QImage& picture);

// Otsu's method: the grey that splits the pixels into a dark and a light class with the
// largest variance between the classes; the grey itself belongs to the dark class.
int otsuThreshold(const GreyHistogram& histogram);

// The threshold the program suggests for a pair of views: Otsu's over both. On rendered
// blades it lies near the midway between paper and ink; on photographs it measures better,
// as the class means follow the lighter, thinner parts of a blade that its darkest grey
// misses (docs/accuracy.md).
qint32 suggestThreshold(const QImage& top, const QImage& side);

} // namespace bladetrace
