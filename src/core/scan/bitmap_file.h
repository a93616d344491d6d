#pragma once

#include "scan/pixel_rows.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace bladetrace {

// What a bitmap file's headers declare.
struct BitmapHeader {
    qint64 pixelOffset = 0;
    quint32 headerSize = 0;
    qint32 width = 0;
    qint32 height = 0; // negative when the rows run top-down
    quint16 planes = 0;
    quint16 bitCount = 0;
    quint32 compression = 0;
    quint32 imageSize = 0;
    quint32 masks[4] = {}; // red, green, blue, alpha, where the headers give them
};

// The headers of the bitmap file in data[0, size), if it is one.
std::optional<BitmapHeader> readBitmapHeader(const uchar* data, qint64 size);

// Why the pixel data is not all there, or an empty text when it is: uncompressed rows must
// fit in the file, and a run-length stream must define every pixel. The decoder would leave
// the missing pixels as whatever the memory held.
QString bitmapDamage(const BitmapHeader& header, const uchar* data, qint64 size);

// The rows where they lie in the file, for the bitmaps whose pixels a decoder would only
// copy: 24-bit, or 32-bit without alpha, red-green-blue in the usual bytes, no compression.
// The file must have passed bitmapDamage: the rows are not checked again.
std::optional<PixelRows> bitmapRowsInPlace(const BitmapHeader& header, const uchar* data);

} // namespace bladetrace
