#include "prepare/grey_scaling.h"

#include "scan/grey_value.h"
#include "scan/scan_holder.h"

#include <cmath>

namespace bladetrace {
namespace {

// Blends two values across (256ths) with a weight down, to a grey rounded to the nearest.
inline quint32 blendDown(quint32 upper, quint32 lower, quint32 w) {
    return (upper * (256 - w) + lower * w + 32768) >> 16;
}

inline quint32 blendAcross(quint32 nearGrey, quint32 farGrey, quint32 w) {
    return nearGrey * (256 - w) + farGrey * w;
}

} // namespace

GreyScaling::GreyScaling(const QImage& picture, double factor)
    : source_(picture), columns_(taps(picture.width(), factor)),
      rows_(taps(picture.height(), factor)) {}

std::vector<GreyScaling::Tap> GreyScaling::taps(int sourceSize, double factor) {
    const int size = int(std::lround(sourceSize * factor));
    std::vector<Tap> out(std::size_t(std::max(size, 0)));
    for (int o = 0; o < size; ++o) {
        const double s = std::max(0.0, (o + 0.5) / factor - 0.5);
        int near = int(s);
        auto w = quint32(std::lround((s - near) * 256));
        if (w == 256) {
            ++near;
            w = 0;
        }
        near = std::min(near, sourceSize - 1);
        out[std::size_t(o)] = {near, std::min(near + 1, sourceSize - 1), w};
    }
    return out;
}

quint32 GreyScaling::grey(int x, int y) const {
    const auto* line = reinterpret_cast<const quint32*>(source_.constScanLine(y));
    return greyOf(line[x]);
}

bool GreyScaling::darkColumn(int x, qint32 threshold) const {
    const Tap& c = columns_[std::size_t(x)];
    std::vector<quint32> across(std::size_t(source_.height()));
    for (int y = 0; y < source_.height(); ++y)
        across[std::size_t(y)] = blendAcross(grey(c.near, y), grey(c.far, y), c.w);
    for (const Tap& r : rows_) {
        const quint32 g = blendDown(across[std::size_t(r.near)], across[std::size_t(r.far)], r.w);
        if (qint64(g) <= threshold)
            return true;
    }
    return false;
}

std::pair<int, int> GreyScaling::darkColumns(int first, int last, qint32 threshold) const {
    int left = 0;
    while (left < width() && columns_[std::size_t(left)].far < first)
        ++left;
    while (left < width() && !darkColumn(left, threshold))
        ++left;
    if (left >= width())
        return {-1, -1};
    int right = width() - 1;
    while (right > left && columns_[std::size_t(right)].near > last)
        --right;
    while (right > left && !darkColumn(right, threshold))
        --right;
    return {left, right};
}

void GreyScaling::blendRow(int y, std::vector<quint32>& greys, std::vector<quint32>& out) const {
    const auto* line = reinterpret_cast<const quint32*>(source_.constScanLine(y));
    greys.resize(std::size_t(source_.width()));
    for (std::size_t x = 0; x < greys.size(); ++x)
        greys[x] = greyOf(line[x]);
    out.resize(columns_.size());
    for (std::size_t x = 0; x < columns_.size(); ++x) {
        const Tap& c = columns_[x];
        out[x] = blendAcross(greys[std::size_t(c.near)], greys[std::size_t(c.far)], c.w);
    }
}

QImage GreyScaling::scaled() const {
    QImage out = allocateScanImage(QSize(width(), height()));
    std::vector<quint32> greys, upper, lower;
    int upperRow = -1, lowerRow = -1;
    for (int y = 0; y < height(); ++y) {
        const Tap& r = rows_[std::size_t(y)];
        if (upperRow != r.near) {
            if (lowerRow == r.near) {
                std::swap(upper, lower);
                std::swap(upperRow, lowerRow);
            } else {
                blendRow(r.near, greys, upper);
                upperRow = r.near;
            }
        }
        if (lowerRow != r.far) {
            blendRow(r.far, greys, lower);
            lowerRow = r.far;
        }
        auto* line = reinterpret_cast<quint32*>(out.scanLine(y));
        for (int x = 0; x < width(); ++x)
            line[x] = 0xFF000000u |
                      blendDown(upper[std::size_t(x)], lower[std::size_t(x)], r.w) * 0x010101u;
    }
    return out;
}

} // namespace bladetrace
