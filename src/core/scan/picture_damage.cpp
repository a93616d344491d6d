#include "scan/picture_damage.h"

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

} // namespace

QString damageInStructure(const QByteArray& format, const uchar* data, qint64 size) {
    if (format == "gif")
        return gifDamage(data, size);
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
