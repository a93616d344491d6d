#pragma once

#include <QtGlobal>

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
          outsideDark_(lThreshold >= 255) {}

    // Channel sum of an RGB32 pixel (0xAARRGGBB); the order of the channels is immaterial.
    static quint32 channelSum(quint32 pixel) {
        return (pixel & 0xFFu) + ((pixel >> 8) & 0xFFu) + ((pixel >> 16) & 0xFFu);
    }
    bool dark(quint32 pixel) const { return qint64(channelSum(pixel)) <= sumLimit_; }
    // Positions outside the image read as white.
    bool outsideDark() const { return outsideDark_; }

private:
    qint64 sumLimit_;
    bool outsideDark_;
};

} // namespace bladetrace
