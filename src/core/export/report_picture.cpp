#include "export/report_picture.h"

#include "scan/scan_holder.h"

#include <algorithm>
#include <cmath>

namespace bladetrace {
namespace {

// The full text width of an A4 page at about 130 dpi.
constexpr QSize kPictureBox(900, 450);
// Each pixel of a copy averages this many times as many source pixels across and down.
constexpr int kSamples = 2;

// Reads a fixed few pixels per pixel of the copy however large the view, spread evenly over
// the part of the view that the pixel covers.
QImage shrink(const PixelRows& source, const QSize& size) {
    const auto spread = [](int from, int to) {
        std::vector<int> at(std::size_t(to) * kSamples);
        for (std::size_t i = 0; i < at.size(); ++i)
            at[i] = std::min(from - 1, int((double(i) + 0.5) * from / double(at.size())));
        return at;
    };
    const std::vector<int> xs = spread(source.width, size.width());
    const std::vector<int> ys = spread(source.height, size.height());
    QImage copy = allocateScanImage(size);
    std::vector<const uchar*> lines(kSamples);
    for (int y = 0; y < size.height(); ++y) {
        for (int j = 0; j < kSamples; ++j)
            lines[std::size_t(j)] = source.row(ys[std::size_t(y * kSamples + j)]);
        auto* out = reinterpret_cast<QRgb*>(copy.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            int r = 0, g = 0, b = 0;
            for (const uchar* line : lines) {
                for (int i = 0; i < kSamples; ++i) {
                    const QRgb p = source.pixel(line, xs[std::size_t(x * kSamples + i)]);
                    r += qRed(p);
                    g += qGreen(p);
                    b += qBlue(p);
                }
            }
            constexpr int n = kSamples * kSamples;
            out[x] = qRgb(r / n, g / n, b / n);
        }
    }
    return copy;
}

// The factor that makes a view fit the pictures' box; 1 for one that fits as it is.
double fittingFactor(const PixelRows& view) {
    return std::min({1.0, double(kPictureBox.width()) / view.width,
                     double(kPictureBox.height()) / view.height});
}

QImage shrunkBy(const PixelRows& view, double factor) {
    if (view.width <= 0 || view.height <= 0)
        return {};
    if (factor >= 1)
        return imageOf(view); // a copy: the scanner marks the view it scans
    const QSize size(std::max(1, int(std::lround(view.width * factor))),
                     std::max(1, int(std::lround(view.height * factor))));
    return shrink(view, size);
}

} // namespace

QImage reportPicture(const PixelRows& view) {
    if (view.width <= 0 || view.height <= 0)
        return {};
    const QSize size(view.width, view.height);
    if (size.width() <= kPictureBox.width() && size.height() <= kPictureBox.height())
        return imageOf(view);
    return shrink(view, size.scaled(kPictureBox, Qt::KeepAspectRatio).expandedTo({1, 1}));
}

std::pair<QImage, QImage> reportPictures(const PixelRows& top, const PixelRows& side) {
    double factor = 1;
    for (const PixelRows* view : {&top, &side}) {
        if (view->width > 0 && view->height > 0)
            factor = std::min(factor, fittingFactor(*view));
    }
    return {shrunkBy(top, factor), shrunkBy(side, factor)};
}

} // namespace bladetrace
