#include "station_truth.h"

#include "section_silhouette.h"

#include <algorithm>
#include <cmath>

namespace bladetrace::roundtrip {
namespace {

constexpr double kDegrees = 180.0 / 3.14159265358979323846;

// The scanner finds in each column the first and the last row that is dark, that is covered
// by more than f0 of a pixel. Each of the two rows lies within one pixel of where the edge
// crosses f0, so a height (last row - first row) is the true height less 2 f0, give or take
// one pixel. Noise of a few grey levels moves f0 by a few hundredths; edges that slope across
// a column blur the crossing by a little more: a quarter of a pixel covers both.
constexpr double kHeightSlack = 1.25;
// The run places a window by its columns, scaled by the scanned span; the span is short of
// the diameter by f0 to 1 + f0 of a pixel, so a station may lie up to two columns from where
// the sheet puts it, and every length is off by up to two pixels in the span.
constexpr double kPlaceSlack = 2;

// A station's chord (in pixels) and angle.
struct Measure {
    double chord = 0;
    double beta = 0;
};

struct Station {
    Measure silhouette, own;
};

} // namespace

std::vector<RowTruth> chartTruth(const render::BladeDefinition& blade,
                                 const render::RenderOptions& o, int threshold,
                                 const std::vector<double>& stationROverR) {
    const double ppm = o.pixelsPerMetre;
    const double R = blade.radius();
    const double f0 = (o.paperGrey - threshold - 0.5) / double(o.paperGrey - o.bladeGrey);
    const double root = std::max(blade.hubRadius, blade.rows.front().rOverR * R) + 1.0 / ppm;
    const int count = int(stationROverR.size());
    const double window = (stationROverR[2] - stationROverR[1]) * R; // metres
    const int columns = std::max(1, int(std::lround(window * ppm)));

    // The blade's heights at the centres of the window's columns, averaged.
    const auto station = [&](double r) {
        double sums[4] = {0, 0, 0, 0};
        for (int k = 0; k < columns; ++k) {
            const double at = std::fabs(r - window / 2 + (k + 0.5) / ppm) / R;
            const render::Section s = render::sectionAt(blade, at);
            const render::SectionExtents e = render::sectionExtents(s, blade.pivot);
            sums[0] += e.top.length() * ppm - 2 * f0;
            sums[1] += e.side.length() * ppm - 2 * f0;
            sums[2] += s.chord * std::cos(s.beta) * ppm;
            sums[3] += s.chord * std::sin(s.beta) * ppm;
        }
        const auto measure = [&](double top, double side) {
            return Measure{std::hypot(top, side) / columns, std::atan2(side, top)};
        };
        return Station{measure(sums[0], sums[1]), measure(sums[2], sums[3])};
    };
    // Each row's two stations, placed where the sheet says and shifted either way.
    const auto folded = [&](int i, double shift) {
        const Station a = station(stationROverR[std::size_t(i)] * R + shift);
        const Station b = station(stationROverR[std::size_t(count - 1 - i)] * R + shift);
        const auto mean = [](Measure p, Measure q) {
            return Measure{(p.chord + q.chord) / 2, (p.beta + q.beta) / 2};
        };
        return Station{mean(a.silhouette, b.silhouette), mean(a.own, b.own)};
    };

    std::vector<RowTruth> rows(std::size_t(count / 2 + 1));
    for (int i = 1; i <= count / 2; ++i) {
        const Station t = folded(i, 0);
        const Measure sil = t.silhouette;
        // A height error dh moves the chord by at most (cos + sin) dh and the angle by at most
        // (cos + sin) dh / chord; a misplaced station by what the blade changes over it.
        const double spread =
            (std::fabs(std::cos(sil.beta)) + std::fabs(std::sin(sil.beta))) * kHeightSlack;
        double cPlace = 0, betaPlace = 0;
        for (const double shift : {-kPlaceSlack / ppm, kPlaceSlack / ppm}) {
            const Measure moved = folded(i, shift).silhouette;
            cPlace = std::max(cPlace, std::fabs(moved.chord - sil.chord));
            betaPlace = std::max(betaPlace, std::fabs(moved.beta - sil.beta));
        }
        cPlace += sil.chord * kPlaceSlack / (blade.diameter * ppm);
        const bool onBlade = std::min(std::fabs(stationROverR[std::size_t(i)]),
                                      std::fabs(stationROverR[std::size_t(count - 1 - i)])) *
                                     R -
                                 window / 2 - kPlaceSlack / ppm >
                             root;
        rows[std::size_t(i)] = {
            t.own.chord / ppm / R,       t.own.beta * kDegrees,
            sil.chord / ppm / R,         sil.beta * kDegrees,
            (spread + cPlace) / ppm / R, (spread / sil.chord + betaPlace) * kDegrees,
            onBlade && i < count / 2};
    }
    return rows; // row 0, the tip, is extrapolated from rows 1 and 2: none of the blade's own
}

} // namespace bladetrace::roundtrip
