#pragma once

#include <QImage>
#include <QtGlobal>

namespace bladetrace {

// Direct scan-line access to a picture held for scanning (32-bit RGB, see loadPicture), and
// the red marks drawn into it.
class ScanHolder {
public:
    static constexpr quint32 kMarkRed = 0xFFFF0000u; // grey 85: below the default threshold

    explicit ScanHolder(QImage& image)
        : bits_(image.bits()), stride_(image.bytesPerLine()), width_(image.width()),
          height_(image.height()) {}

    int width() const { return width_; }
    int height() const { return height_; }
    const quint32* row(int y) const {
        return reinterpret_cast<const quint32*>(bits_ + qsizetype(y) * stride_);
    }
    // A red line in column x from row top to row bottom, both included, clipped to the image.
    void markColumn(int x, int top, int bottom) {
        if (x < 0 || x >= width_)
            return;
        top = qMax(top, 0);
        bottom = qMin(bottom, height_ - 1);
        for (int y = top; y <= bottom; ++y)
            reinterpret_cast<quint32*>(bits_ + qsizetype(y) * stride_)[x] = kMarkRed;
    }

private:
    uchar* bits_;
    qsizetype stride_;
    int width_;
    int height_;
};

} // namespace bladetrace
