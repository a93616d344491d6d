#pragma once

#include <QImage>
#include <QtGlobal>
#include <cstring>

namespace bladetrace {

// The pixel at p as a word whose three low bytes are its channels. Reads one byte beyond a
// 24-bit pixel, so the caller must know that byte exists.
inline quint32 pixelWord(const uchar* p) {
    quint32 word;
    std::memcpy(&word, p, sizeof word); // rows in a file need not be aligned
    return word;
}

// A 24-bit pixel's channels, reading nothing beyond it.
inline quint32 pixelWord3(const uchar* p) {
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16;
}

// A picture's rows where they lie: in a decoded image, or in a bitmap file mapped into
// memory, bottom row first, 24 or 32 bits a pixel. The scan needs only the sum of a pixel's
// three low bytes, so neither the order of the channels nor a fourth byte matters.
struct PixelRows {
    const uchar* top = nullptr; // row 0
    qsizetype stride = 0;       // from one row to the next one down; negative when bottom-up
    int width = 0;
    int height = 0;
    int bytesPerPixel = 4; // 4 or 3

    const uchar* row(int y) const { return top + qsizetype(y) * stride; }

    // Pixel x of one of these rows, its channels in the three low bytes.
    quint32 pixel(const uchar* line, int x) const {
        const uchar* p = line + qsizetype(x) * bytesPerPixel;
        return bytesPerPixel == 4 ? pixelWord(p) : pixelWord3(p);
    }

    // A 32-bit RGB image's rows.
    static PixelRows of(const QImage& image) {
        return {image.constBits(), image.bytesPerLine(), image.width(), image.height(), 4};
    }
};

} // namespace bladetrace
