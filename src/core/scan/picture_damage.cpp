#include "scan/picture_damage.h"

#include <QtEndian>
#include <cctype>
#include <cstring>

namespace bladetrace {
namespace {

constexpr uchar kGifExtension = 0x21;
constexpr uchar kGifImage = 0x2C;
constexpr uchar kGifTrailer = 0x3B;

// Block by block, skipping the data, to the trailer. A truncated GIF decodes without
// complaint, its missing rows filled with the background.
QString gifDamage(const uchar* data, qint64 size) {
    const QString cut = QStringLiteral("the file ends before the GIF trailer");
    qint64 p = 13; // signature and logical screen
    if (size < p)
        return cut;
    const auto colourTable = [](uchar flags) {
        return flags & 0x80 ? qint64(3) << ((flags & 7) + 1) : 0;
    };
    p += colourTable(data[10]);
    const auto skipSubBlocks = [&] {
        while (p < size && data[p] != 0)
            p += 1 + data[p];
        ++p; // the terminator
    };
    while (p < size) {
        const uchar block = data[p++];
        if (block == kGifTrailer)
            return {};
        if (block == kGifExtension) {
            ++p; // label
        } else if (block == kGifImage) {
            if (p + 9 > size)
                return cut;
            p += 9 + colourTable(data[p + 8]) + 1; // descriptor, colours, code size
        } else {
            return QStringLiteral("an unknown GIF block 0x%1 at byte %2")
                .arg(block, 2, 16, QLatin1Char('0'))
                .arg(p - 1);
        }
        skipSubBlocks();
    }
    return cut;
}

constexpr uchar kJpegEnd = 0xD9;

// Marker by marker to the end marker, stepping over each segment by its length and over the
// coded data after each scan header to its next marker. A picture cut between two scans
// decodes without a word from libjpeg, the later scans of a progressive one simply missing:
// only the missing end marker tells. Stray bytes are passed over as libjpeg passes over them
// (it warns of those, and the warnings are checked).
QString jpegDamage(const uchar* data, qint64 size) {
    qint64 p = 2; // the start marker
    for (;;) {
        const void* mark = p < size ? std::memchr(data + p, 0xFF, std::size_t(size - p)) : nullptr;
        if (!mark)
            return QStringLiteral("the file ends before the JPEG end marker");
        p = static_cast<const uchar*>(mark) - data;
        const uchar code = p + 1 < size ? data[p + 1] : 0xFF;
        if (code == kJpegEnd)
            return {};
        // Fill bytes, stuffed zeros and restart markers in coded data, and the other markers
        // without a length.
        const bool alone =
            code == 0xFF || code == 0x00 || code == 0x01 || (code >= 0xD0 && code <= 0xD8);
        if (alone) {
            p += code == 0xFF ? 1 : 2;
            continue;
        }
        if (p + 4 > size)
            return QStringLiteral("the file ends before the JPEG end marker");
        p += 2 + qFromBigEndian<quint16>(data + p + 2);
    }
}

// Chunk by chunk to the end chunk. libpng takes a chunk's length on trust and allocates it
// before it reads a byte, so a length beyond the file's end (a cut file, or a lie) is found
// here first.
QString pngDamage(const uchar* data, qint64 size) {
    constexpr qint64 kSignature = 8;
    constexpr qint64 kFrame = 12; // length, type and check sum around a chunk's data
    for (qint64 p = kSignature; p + 8 <= size;) {
        const quint32 length = qFromBigEndian<quint32>(data + p);
        QString type;
        for (int i = 4; i < 8; ++i) // letters in a sound file
            type += QLatin1Char(std::isalpha(data[p + i]) ? char(data[p + i]) : '?');
        // Qt reads an end chunk that lacks its check sum.
        if (type == QLatin1String("IEND"))
            return {};
        if (qint64(length) > size - p - kFrame)
            return QStringLiteral("its %1 chunk at byte %2 declares %3 bytes, more than the %4 "
                                  "left in the file")
                .arg(type)
                .arg(p)
                .arg(length)
                .arg(qMax(size - p - kFrame, qint64(0)));
        p += kFrame + length;
    }
    return QStringLiteral("the file ends before the PNG end chunk");
}

} // namespace

QString damageInStructure(const QByteArray& format, const uchar* data, qint64 size) {
    if (format == "gif")
        return gifDamage(data, size);
    if (format == "jpeg")
        return jpegDamage(data, size);
    if (format == "png")
        return pngDamage(data, size);
    return {};
}

QString damageInWarnings(const QByteArray& format, const QStringList& warnings) {
    if (format != "jpeg")
        return {};
    // libjpeg fills what it could not decode with grey and goes on, with a warning. Stray
    // bytes before the end marker and a bad colour profile spoil no pixel.
    for (const QString& warning : warnings) {
        const bool harmless = warning.contains(QLatin1String("bad ICC marker")) ||
                              (warning.contains(QLatin1String("extraneous bytes")) &&
                               warning.endsWith(QLatin1String("0xd9")));
        if (!harmless && (warning.startsWith(QLatin1String("Corrupt JPEG data")) ||
                          warning.startsWith(QLatin1String("Premature end of JPEG file"))))
            return warning;
    }
    return {};
}

} // namespace bladetrace
