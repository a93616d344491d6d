#pragma once

#include "scan/pixel_rows.h"

#include <QtGlobal>
#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace bladetrace {

// The sum of a pixel word's three low bytes (see pixelWord); the order of the channels is
// immaterial.
inline quint32 channelSum(quint32 pixel) {
    return (pixel & 0xFFu) + ((pixel >> 8) & 0xFFu) + ((pixel >> 16) & 0xFFu);
}

// The grey of a pixel word: the mean of its channels rounded to the nearest integer (a third
// never ends in one half).
inline quint32 greyOf(quint32 pixel) {
    return (channelSum(pixel) + 1) / 3;
}

// The blade test on a channel sum: grey <= threshold, equality counting as blade.
class DarkTest {
public:
    explicit DarkTest(qint32 threshold)
        : sumLimit_(threshold < 0 ? -1 : qint64(threshold) * 3 + 1),
          limit32_(qint32(std::min<qint64>(sumLimit_, 766))), outsideDark_(threshold >= 255) {}

    bool dark(quint32 pixel) const { return qint64(channelSum(pixel)) <= sumLimit_; }
    // Bit i is set when pixel i of the four at p is dark. With 3 bytes a pixel it reads the
    // byte after the fourth pixel too.
    template <int Bytes> unsigned darkMask4(const uchar* p) const {
#if defined(__SSE2__)
        const __m128i words =
            Bytes == 4
                ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(p))
                : _mm_set_epi32(qint32(pixelWord(p + 3 * Bytes)), qint32(pixelWord(p + 2 * Bytes)),
                                qint32(pixelWord(p + Bytes)), qint32(pixelWord(p)));
        const __m128i byte = _mm_set1_epi32(0xFF);
        const __m128i sum =
            _mm_add_epi32(_mm_add_epi32(_mm_and_si128(words, byte),
                                        _mm_and_si128(_mm_srli_epi32(words, 8), byte)),
                          _mm_and_si128(_mm_srli_epi32(words, 16), byte));
        const __m128i light = _mm_cmpgt_epi32(sum, _mm_set1_epi32(limit32_));
        return ~unsigned(_mm_movemask_ps(_mm_castsi128_ps(light))) & 0xFu;
#else
        return unsigned(dark(pixelWord(p))) | unsigned(dark(pixelWord(p + Bytes))) << 1 |
               unsigned(dark(pixelWord(p + 2 * Bytes))) << 2 |
               unsigned(dark(pixelWord(p + 3 * Bytes))) << 3;
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
