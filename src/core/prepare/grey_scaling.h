#pragma once

#include <QImage>
#include <QtGlobal>
#include <vector>

namespace bladetrace {

// A picture scaled by one factor on both axes with bilinear (smooth) filtering, in the
// scanner's grey: pixel centres map onto pixel centres, the border pixels repeat beyond the
// border, and the result is grey in all three channels. Single columns can be tested for
// blade without scaling the rest, so the factor can be searched cheaply.
class GreyScaling {
public:
    // `picture` is 32-bit RGB; factor > 0.
    GreyScaling(const QImage& picture, double factor);

    int width() const { return int(columns_.size()); }
    int height() const { return int(rows_.size()); }

    // Whether column x of the scaled picture holds a pixel at or below the threshold.
    bool darkColumn(int x, qint32 threshold) const;

    // First and last dark column of the scaled picture, -1 when there are none. `first` and
    // `last` are the source's first and last dark column: outside them every pixel is light,
    // and so is every blend of them.
    std::pair<int, int> darkColumns(int first, int last, qint32 threshold) const;

    // The whole scaled picture, 32-bit RGB.
    QImage scaled() const;

private:
    struct Tap {
        int near;  // source index
        int far;   // the next one, or the same at the border
        quint32 w; // weight of `far` in 256ths
    };
    static std::vector<Tap> taps(int sourceSize, double factor);
    quint32 grey(int x, int y) const;
    // One source row blended across, 256 times the grey; `greys` is room for the row's greys.
    void blendRow(int y, std::vector<quint32>& greys, std::vector<quint32>& out) const;

    QImage source_;
    std::vector<Tap> columns_;
    std::vector<Tap> rows_;
};

} // namespace bladetrace
