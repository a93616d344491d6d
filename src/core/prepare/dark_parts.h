#pragma once

#include <QImage>
#include <QRect>
#include <QtGlobal>
#include <vector>

namespace bladetrace {

// The dark pixels of a picture, as the scanner tells them (grey at or below the threshold),
// in runs along the scan lines, joined into parts where they touch, corners included.
struct DarkRun {
    int y = 0;
    int first = 0; // columns first..last
    int last = 0;
    int part = 0;
};
struct DarkPart {
    qint64 pixels = 0;
    QRect box;
};
struct DarkParts {
    std::vector<DarkRun> runs; // by row, then column
    std::vector<DarkPart> parts;
    qint64 largest = 0; // pixels of the largest part
};

// `picture` is 32-bit RGB, as the loader gives it.
DarkParts findDarkParts(const QImage& picture, qint32 threshold);

// A speck of dust or noise: a part smaller than a thousandth of the largest. The blade is
// everything else, whether the hub joins its halves or a light hub parts them.
bool isSpeck(const DarkPart& part, const DarkParts& all);

// The box around the blade's parts; empty when the picture holds no dark pixel.
QRect bladeBox(const DarkParts& parts);

} // namespace bladetrace
