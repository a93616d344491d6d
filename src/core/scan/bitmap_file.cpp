#include "scan/bitmap_file.h"

#include <QtEndian>
#include <cstdlib>
#include <limits>

namespace bladetrace {
namespace {

constexpr quint32 kRgb = 0;
constexpr quint32 kRle8 = 1;
constexpr quint32 kRle4 = 2;
constexpr quint32 kBitFields = 3;
constexpr quint32 kCoreHeader = 12; // the oldest header: 16-bit sizes, no compression
constexpr quint32 kInfoHeader = 40;
constexpr quint32 kV4Header = 108; // first with an alpha mask that decoders honour

quint16 u16(const uchar* p) {
    return qFromLittleEndian<quint16>(p);
}
quint32 u32(const uchar* p) {
    return qFromLittleEndian<quint32>(p);
}

qint64 rowBytes(const BitmapHeader& h) {
    return (qint64(h.width) * h.bitCount + 31) / 32 * 4;
}

QString incomplete(qint64 have, quint64 need) {
    return QStringLiteral("the file ends after %1 of the %2 bytes its header declares")
        .arg(have)
        .arg(need);
}

// A run-length stream must give every row its width in pixels, row by row, and end with its
// end mark; skips and short rows leave pixels undefined. Some encoders (ImageMagick's) code
// a row's padding up to its 32-bit boundary as pixels too, which decoders drop.
QString runLengthDamage(const BitmapHeader& h, const uchar* data, qint64 size) {
    const qint64 end = h.imageSize ? h.pixelOffset + h.imageSize : size;
    if (end > size)
        return incomplete(size, quint64(end));
    const qint64 rows = std::abs(qint64(h.height));
    const qint64 padded = rowBytes(h) * 8 / h.bitCount;
    qint64 p = h.pixelOffset;
    qint64 x = 0;
    qint64 y = 0;
    for (;;) {
        if (p + 2 > end)
            return QStringLiteral("its compressed pixels end before the end mark");
        const int count = data[p];
        const int code = data[p + 1];
        p += 2;
        if (count > 0) {
            x += count;
        } else if (code == 0) { // end of row
            if (x < h.width)
                return QStringLiteral("row %1 holds %2 of %3 pixels").arg(y).arg(x).arg(h.width);
            x = 0;
            ++y;
        } else if (code == 1) { // end of picture
            if ((y == rows && x == 0) || (y == rows - 1 && x >= h.width))
                return {};
            return QStringLiteral("its compressed pixels end at row %1 of %2").arg(y).arg(rows);
        } else if (code == 2) {
            return QStringLiteral("its compressed pixels skip pixels, leaving them undefined");
        } else { // `code` pixels as they are, padded to a 16-bit boundary
            const qint64 bytes = h.compression == kRle8 ? code : (code + 1) / 2;
            p += bytes + (bytes & 1);
            x += code;
        }
        if (x > padded || y > rows || (y == rows && x > 0))
            return QStringLiteral("its compressed pixels run beyond the picture");
    }
}

} // namespace

std::optional<BitmapHeader> readBitmapHeader(const uchar* data, qint64 size) {
    if (size < 26 || data[0] != 'B' || data[1] != 'M')
        return std::nullopt;
    BitmapHeader h;
    h.pixelOffset = u32(data + 10);
    h.headerSize = u32(data + 14);
    if (h.headerSize == kCoreHeader) {
        h.width = u16(data + 18);
        h.height = u16(data + 20);
        h.planes = u16(data + 22);
        h.bitCount = u16(data + 24);
        return h;
    }
    if (h.headerSize < kInfoHeader || size < 14 + kInfoHeader)
        return std::nullopt;
    h.width = qint32(u32(data + 18));
    h.height = qint32(u32(data + 22));
    h.planes = u16(data + 26);
    h.bitCount = u16(data + 28);
    h.compression = u32(data + 30);
    h.imageSize = u32(data + 34);
    // The masks follow a plain info header when the compression says so, else they are
    // part of the larger headers.
    const int maskCount = h.headerSize >= kV4Header ? 4 : h.compression == kBitFields ? 3 : 0;
    if (size < 54 + 4 * maskCount)
        return std::nullopt;
    for (int i = 0; i < maskCount; ++i)
        h.masks[i] = u32(data + 54 + 4 * i);
    return h;
}

QString bitmapDamage(const BitmapHeader& h, const uchar* data, qint64 size) {
    if (h.pixelOffset > size)
        return incomplete(size, quint64(h.pixelOffset));
    // Sizes a decoder refuses anyway are left to it.
    if (h.width <= 0 || h.height == 0 || h.bitCount == 0 || h.bitCount > 32)
        return {};
    if (h.compression == kRle8 || h.compression == kRle4)
        return runLengthDamage(h, data, size);
    if (h.compression != kRgb && h.compression != kBitFields)
        return {};
    const qint64 stride = rowBytes(h);
    const qint64 rows = std::abs(qint64(h.height));
    // stride * rows <= available, without overflow
    const qint64 available = size - h.pixelOffset;
    if (stride <= available / rows)
        return {};
    // Up to 2^33 bytes a row and 2^31 rows: the end may lie beyond any signed size.
    quint64 end = 0;
    if (__builtin_mul_overflow(quint64(stride), quint64(rows), &end) ||
        __builtin_add_overflow(end, quint64(h.pixelOffset), &end))
        return QStringLiteral("its header declares more pixel bytes than any file holds");
    return incomplete(size, end);
}

std::optional<PixelRows> bitmapRowsInPlace(const BitmapHeader& h, const uchar* data) {
    const bool headerKnown = h.headerSize == kInfoHeader || h.headerSize >= kV4Header;
    const bool usualMasks =
        (h.masks[0] == 0 && h.masks[1] == 0 && h.masks[2] == 0) ||
        (h.masks[0] == 0xFF0000u && h.masks[1] == 0xFF00u && h.masks[2] == 0xFFu);
    const bool copiedAsIs =
        (h.bitCount == 24 && h.compression == kRgb) ||
        (h.bitCount == 32 && (h.compression == kRgb || h.compression == kBitFields) && usualMasks &&
         h.masks[3] == 0);
    if (!headerKnown || !copiedAsIs || h.planes != 1 || h.width <= 0 || h.height == 0 ||
        h.height == std::numeric_limits<qint32>::min() || h.pixelOffset < 14 + qint64(h.headerSize))
        return std::nullopt;
    PixelRows rows;
    rows.width = h.width;
    rows.height = std::abs(h.height);
    rows.bytesPerPixel = h.bitCount / 8;
    const qint64 stride = rowBytes(h);
    const uchar* pixels = data + h.pixelOffset;
    if (h.height > 0) { // bottom-up, the usual order
        rows.top = pixels + stride * (rows.height - 1);
        rows.stride = -stride;
    } else {
        rows.top = pixels;
        rows.stride = stride;
    }
    return rows;
}

} // namespace bladetrace
