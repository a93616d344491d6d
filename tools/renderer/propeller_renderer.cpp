#include "propeller_renderer.h"

#include "section_silhouette.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace bladetrace::render {
namespace {

// What one sub-column of an image shows: the union of blade and hub, which both contain
// the axis line, so it is one range; empty where lo > hi.
struct Shadow {
    Extent top{1, 0};
    Extent side{1, 0};
};

void unite(Extent& into, const Extent& e) {
    if (into.lo > into.hi) {
        into = e;
        return;
    }
    into.lo = std::min(into.lo, e.lo);
    into.hi = std::max(into.hi, e.hi);
}

Shadow shadowAt(const BladeDefinition& blade, double r, double leftOffset) {
    Shadow s;
    const double R = blade.radius();
    const double a = std::fabs(r);
    const double root = std::min(blade.rows.front().rOverR * R, blade.hubRadius);
    if (a <= R && a >= root) {
        Section section = sectionAt(blade, a / R);
        if (r < 0)
            section.beta += leftOffset;
        SectionExtents e = sectionExtents(section, blade.pivot);
        // The left blade is the right one turned half a revolution about the axis: its
        // tangential coordinate changes sign, its axial one does not.
        if (r < 0)
            e.top = {-e.top.hi, -e.top.lo};
        s.top = e.top;
        s.side = e.side;
    }
    if (a < blade.hubRadius) {
        const double half = std::sqrt(blade.hubRadius * blade.hubRadius - a * a);
        const double length = blade.hubLength > 0 ? blade.hubLength : blade.hubRadius;
        unite(s.top, {-half, half});
        unite(s.side, {-length / 2, length / 2});
    }
    return s;
}

// A small, fast generator: the noise only has to look like a scan and repeat with its seed.
class Noise {
public:
    Noise(double sigma, quint32 seed) : sigma_(sigma), state_(seed ? seed : 0x9E3779B9u) {}
    // Sum of two uniforms: triangular, variance 1/6 of the unit, scaled to sigma.
    double next() {
        const double u = unit() + unit() - 1.0;
        return u * sigma_ * 2.449489742783178;
    }

private:
    double unit() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return double(state_) / 4294967296.0;
    }
    double sigma_;
    quint32 state_;
};

// Rows covered by each sub-column's range, added up per pixel row of one column.
class ColumnCoverage {
public:
    explicit ColumnCoverage(int height) : partial_(std::size_t(height) + 2), full_(partial_) {}

    void clear() {
        std::fill(partial_.begin(), partial_.end(), 0.0);
        std::fill(full_.begin(), full_.end(), 0.0);
    }
    // lo, hi in continuous row coordinates, inside [0, height].
    void add(double lo, double hi) {
        if (!(hi > lo))
            return;
        const int first = int(lo);
        const int last = int(hi);
        if (first == last) {
            partial_[std::size_t(first)] += hi - lo;
            return;
        }
        partial_[std::size_t(first)] += first + 1 - lo;
        partial_[std::size_t(last)] += hi - last;
        full_[std::size_t(first) + 1] += 1.0;
        full_[std::size_t(last)] -= 1.0;
    }
    // Fraction of row y covered, rows read in increasing order from 0.
    double next(int y, double& running) const {
        running += full_[std::size_t(y)];
        return partial_[std::size_t(y)] + running;
    }

private:
    std::vector<double> partial_;
    std::vector<double> full_;
};

struct ViewFrame {
    double highest = -1e300; // the coordinate drawn at the top row's margin
    double lowest = 1e300;
};

// Blurs a column-major image (x * height + y) with a Gaussian of sigma pixels, along the
// columns and then across; beyond the border the border pixel repeats.
void blurImage(std::vector<double>& grey, int width, int height, double sigma) {
    const int reach = int(std::ceil(3 * sigma));
    std::vector<double> kernel(std::size_t(2 * reach + 1));
    double sum = 0;
    for (int k = -reach; k <= reach; ++k)
        sum += kernel[std::size_t(k + reach)] = std::exp(-0.5 * k * k / (sigma * sigma));
    for (double& k : kernel)
        k /= sum;
    std::vector<double> out(grey.size());
    auto pass = [&](int lines, int length, std::size_t lineStep, std::size_t pixelStep) {
        for (int l = 0; l < lines; ++l) {
            for (int i = 0; i < length; ++i) {
                double v = 0;
                for (int k = -reach; k <= reach; ++k)
                    v += kernel[std::size_t(k + reach)] *
                         grey[l * lineStep +
                              std::size_t(std::clamp(i + k, 0, length - 1)) * pixelStep];
                out[l * lineStep + std::size_t(i) * pixelStep] = v;
            }
        }
        grey.swap(out);
    };
    pass(width, height, std::size_t(height), 1);
    pass(height, width, 1, std::size_t(height));
}

QImage paint(const std::vector<Extent>& ranges, int width, int subs, const ViewFrame& frame,
             double ppm, const RenderOptions& o, quint32 seed) {
    const int height = int(std::ceil((frame.highest - frame.lowest) * ppm)) + 2 * o.margin;
    QImage image(width, height, QImage::Format_RGB32);
    ColumnCoverage coverage(height);
    const double contrast = o.paperGrey - o.bladeGrey;
    std::vector<double> grey(std::size_t(width) * std::size_t(height));
    for (int x = 0; x < width; ++x) {
        coverage.clear();
        for (int k = 0; k < subs; ++k) {
            const Extent& e = ranges[std::size_t(x) * std::size_t(subs) + std::size_t(k)];
            if (e.lo > e.hi)
                continue;
            // Image rows grow downwards, the coordinate upwards.
            const double top = o.margin + (frame.highest - e.hi) * ppm;
            const double bottom = o.margin + (frame.highest - e.lo) * ppm;
            coverage.add(std::clamp(top, 0.0, double(height)),
                         std::clamp(bottom, 0.0, double(height)));
        }
        double running = 0;
        for (int y = 0; y < height; ++y) {
            const double covered = std::min(1.0, coverage.next(y, running) / subs);
            grey[std::size_t(x) * std::size_t(height) + std::size_t(y)] =
                o.paperGrey - covered * contrast;
        }
    }
    if (o.blur > 0)
        blurImage(grey, width, height, o.blur);
    Noise noise(o.noise, seed);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            double g = grey[std::size_t(x) * std::size_t(height) + std::size_t(y)];
            if (o.noise > 0)
                g += noise.next();
            const auto q = quint32(std::clamp(std::lround(g), 0L, 255L));
            reinterpret_cast<quint32*>(image.scanLine(y))[x] =
                0xFF000000u | (q << 16) | (q << 8) | q;
        }
    }
    return image;
}

} // namespace

RenderedPair renderPropeller(const BladeDefinition& blade, const RenderOptions& o) {
    const double ppm = o.pixelsPerMetre;
    const int subs = std::max(1, o.oversample);
    const double span = blade.diameter * ppm;
    const int width = int(std::ceil(span)) + 2 * o.margin;
    const double tipX = o.margin;
    const double leftOffset = o.leftBladeOffsetDeg * kRadiansPerDegree;

    std::vector<Extent> top(std::size_t(width) * std::size_t(subs));
    std::vector<Extent> side(top.size());
    ViewFrame topFrame, sideFrame;
    for (int x = 0; x < width; ++x) {
        for (int k = 0; k < subs; ++k) {
            const double at = x + (k + 0.5) / subs;
            const double r = (at - tipX) / ppm - blade.radius();
            const Shadow s = shadowAt(blade, r, leftOffset);
            const std::size_t i = std::size_t(x) * std::size_t(subs) + std::size_t(k);
            top[i] = s.top;
            side[i] = s.side;
            if (s.top.lo <= s.top.hi) {
                topFrame.highest = std::max(topFrame.highest, s.top.hi);
                topFrame.lowest = std::min(topFrame.lowest, s.top.lo);
                sideFrame.highest = std::max(sideFrame.highest, s.side.hi);
                sideFrame.lowest = std::min(sideFrame.lowest, s.side.lo);
            }
        }
    }
    RenderedPair pair;
    pair.tipX = tipX;
    pair.pixelsPerMetre = ppm;
    pair.top = paint(top, width, subs, topFrame, ppm, o, o.seed);
    pair.side = paint(side, width, subs, sideFrame, ppm, o, o.seed * 2654435761u + 1u);
    return pair;
}

} // namespace bladetrace::render
