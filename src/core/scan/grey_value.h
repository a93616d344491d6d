#pragma once

#include <QtGlobal>
#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace bladetrace {

// Grey value of a colour 0x00BBGGRR: the mean of its channels rounded to the nearest
// integer (a third never ends in one half). -1, a position outside the image, is white.
inline qint32 greyValue(qint32 colour) {
    const quint32 c = quint32(colour);
    const quint32 sum = (c & 0xFFu) + ((c >> 8) & 0xFFu) + ((c >> 16) & 0xFFu);
    return qint32((sum + 1) / 3);
}

// The blade test on a channel sum: grey <= threshold, equality counting as blade.
class DarkTest {
public:
    explicit DarkTest(qint32 lThreshold)
        : sumLimit_(lThreshold < 0 ? -1 : qint64(lThreshold) * 3 + 1),
          limit32_(qint32(std::min<qint64>(sumLimit_, 766))), outsideDark_(lThreshold >= 255) {}

    // Channel sum of an RGB32 pixel (0xAARRGGBB); the order of the channels is immaterial.
    static quint32 channelSum(quint32 pixel) {
        return (pixel & 0xFFu) + ((pixel >> 8) & 0xFFu) + ((pixel >> 16) & 0xFFu);
    }
    bool dark(quint32 pixel) const { return qint64(channelSum(pixel)) <= sumLimit_; }
    // Bit i is set when pixels[i] is dark, for four consecutive pixels.
    unsigned darkMask4(const quint32* pixels) const {
#if defined(__SSE2__)
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
        const __m128i byte = _mm_set1_epi32(0xFF);
        const __m128i sum = _mm_add_epi32(
            _mm_add_epi32(_mm_and_si128(p, byte), _mm_and_si128(_mm_srli_epi32(p, 8), byte)),
            _mm_and_si128(_mm_srli_epi32(p, 16), byte));
        const __m128i light = _mm_cmpgt_epi32(sum, _mm_set1_epi32(limit32_));
        return ~unsigned(_mm_movemask_ps(_mm_castsi128_ps(light))) & 0xFu;
#else
        return unsigned(dark(pixels[0])) | unsigned(dark(pixels[1])) << 1 |
               unsigned(dark(pixels[2])) << 2 | unsigned(dark(pixels[3])) << 3;
#endif
    }
    // Positions outside the image read as white.
    bool outsideDark() const {
        return outsideDark_;
    }

private:
    qint64 sumLimit_;
    qint32 limit32_; // the same, within the range a channel sum can take
    bool outsideDark_;
};

} // namespace bladetrace
