#include "view_preparation.h"

#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>

namespace bladetrace::accuracy {

QImage greyOnWhite(const QImage& image) {
    QImage paper(image.size(), QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter(&paper).drawImage(0, 0, image);
    return paper.convertToFormat(QImage::Format_Grayscale8);
}

int midwayThreshold(const QImage& grey) {
    std::array<long, 256> counts{};
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            ++counts[line[x]];
    }
    const auto dark = std::max_element(counts.begin(), counts.begin() + 128);
    const auto light = std::max_element(counts.begin() + 128, counts.end());
    return int((dark - counts.begin()) + (light - counts.begin())) / 2;
}

ColumnRange darkColumns(const QImage& grey, int threshold) {
    ColumnRange range;
    for (int x = 0; x < grey.width(); ++x) {
        for (int y = 0; y < grey.height(); ++y) {
            if (grey.constScanLine(y)[x] <= threshold) {
                if (range.first < 0)
                    range.first = x;
                range.last = x;
                break;
            }
        }
    }
    return range;
}

QImage cropToBlade(const QImage& grey, int threshold, int margin) {
    int left = grey.width(), right = -1, top = grey.height(), bottom = -1;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            if (line[x] <= threshold) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return grey;
    const QRect box(left - margin, top - margin, right - left + 1 + 2 * margin,
                    bottom - top + 1 + 2 * margin);
    QImage out(box.size(), QImage::Format_Grayscale8);
    out.fill(255);
    QPainter(&out).drawImage(QPoint(0, 0), grey, box);
    return out;
}

PreparedPair preparePair(const QImage& topPhoto, const QImage& sidePhoto, int threshold,
                         int margin) {
    PreparedPair p;
    p.top = cropToBlade(topPhoto, threshold, margin);
    p.side = cropToBlade(sidePhoto, threshold, margin);
    p.topBlade = darkColumns(p.top, threshold);
    p.sideBlade = darkColumns(p.side, threshold);
    p.sideScaled = p.sideBlade.span() < p.topBlade.span();
    // With an alpha channel the border of the scaled picture fades to paper, not to black.
    const QImage original =
        (p.sideScaled ? sidePhoto : topPhoto).convertToFormat(QImage::Format_ARGB32);
    const int target = p.sideScaled ? p.topBlade.span() : p.sideBlade.span();
    int span = p.sideScaled ? p.sideBlade.span() : p.topBlade.span();
    // Smooth scaling moves the threshold crossing at the tips by a fraction of a column, so
    // the factor is refined on the measured span.
    for (int attempt = 0; attempt < 6 && std::abs(span - target) > 1; ++attempt) {
        p.scale *= double(target) / span;
        const QImage scaled =
            cropToBlade(greyOnWhite(original.transformed(QTransform::fromScale(p.scale, p.scale),
                                                         Qt::SmoothTransformation)),
                        threshold, margin);
        (p.sideScaled ? p.side : p.top) = scaled;
        (p.sideScaled ? p.sideBlade : p.topBlade) = darkColumns(scaled, threshold);
        span = p.sideScaled ? p.sideBlade.span() : p.topBlade.span();
    }
    if (std::abs(span - target) > 1)
        p.error = QStringLiteral("the spans stay %1 and %2 columns").arg(span).arg(target);
    return p;
}

} // namespace bladetrace::accuracy
