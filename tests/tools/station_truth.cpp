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

struct Heights {
    double top = 0; // pixels, as the scanner will find them
    double side = 0;
    double chord = 0; // the section's own, metres and radians
    double beta = 0;
    bool onBlade = true;
};

struct Station {
    double cOverR, betaDeg;       // section's own
    double silCOverR, silBetaDeg; // from the expected pixel heights
    double cTol, betaTolDeg;
    bool onBlade;
};

Station average(const Station& a, const Station& b) {
    return {(a.cOverR + b.cOverR) / 2,       (a.betaDeg + b.betaDeg) / 2,
            (a.silCOverR + b.silCOverR) / 2, (a.silBetaDeg + b.silBetaDeg) / 2,
            (a.cTol + b.cTol) / 2,           (a.betaTolDeg + b.betaTolDeg) / 2,
            a.onBlade && b.onBlade};
}

} // namespace

std::vector<RowTruth> chartTruth(const render::BladeDefinition& blade,
                                 const render::RenderOptions& o, int threshold) {
    const double ppm = o.pixelsPerMetre;
    const double R = blade.radius();
    const double f0 = (o.paperGrey - threshold - 0.5) / double(o.paperGrey - o.bladeGrey);
    // The left tip column is whole; the right one counts when more than f0 of it is blade.
    const int N = int(std::floor(blade.diameter * ppm - f0));
    const double metresPerPixel = blade.diameter / N;
    const double root = std::max(blade.hubRadius, blade.rows.front().rOverR * R) + 1.0 / ppm;

    auto column = [&](int i) {
        const double r = -R + (i + 0.5) / ppm;
        render::Section s = render::sectionAt(blade, std::fabs(r) / R);
        if (r < 0)
            s.beta += o.leftBladeOffsetDeg / kDegrees;
        const render::SectionExtents e = render::sectionExtents(s, blade.pivot);
        return Heights{e.top.length() * ppm - 2 * f0, e.side.length() * ppm - 2 * f0, s.chord,
                       s.beta, std::fabs(r) >= root};
    };
    auto station = [&](int from, int count) {
        Heights m;
        for (int i = from; i < from + count; ++i) {
            const Heights h = column(i);
            m.top += h.top / count;
            m.side += h.side / count;
            m.chord += h.chord / count;
            m.beta += h.beta / count;
            m.onBlade = m.onBlade && h.onBlade;
        }
        const double pixels = std::hypot(m.top, m.side);
        const double cosB = m.top / pixels;
        const double sinB = m.side / pixels;
        // A height error dh moves the chord by at most (cos + sin) dh and the angle by at most
        // (cos + sin) dh / chord; the span's own pixel moves every length by 1 / N.
        const double spread = (std::fabs(cosB) + std::fabs(sinB)) * kHeightSlack;
        return Station{m.chord / R,
                       m.beta * kDegrees,
                       pixels * metresPerPixel / R,
                       std::atan2(m.side, m.top) * kDegrees,
                       (spread + pixels / N) * metresPerPixel / R,
                       spread / pixels * kDegrees,
                       m.onBlade};
    };

    // The stations as the run lays them out: the first column, windows of w columns from
    // column 0, the last column.
    const int w = int(std::nearbyint((N + 1) / 40.0));
    const int windows = (N + 1) / w;
    const int k = windows + 2;
    std::vector<Station> stations;
    stations.push_back(station(0, 1));
    for (int j = 0; j < windows; ++j)
        stations.push_back(station(j * w, w));
    stations.push_back(station(N, 1));

    // Folded in place from the tip inwards, each with its mirror on the other blade.
    for (int i = 0; i <= k / 2; ++i)
        stations[std::size_t(i)] =
            average(stations[std::size_t(i)], stations[std::size_t(k - 1 - i)]);
    std::vector<RowTruth> rows;
    for (int i = 0; i <= k / 2; ++i) {
        const Station& s = stations[std::size_t(i)];
        rows.push_back({1.0 - 2.0 * i / k, s.cOverR, s.betaDeg, s.silCOverR, s.silBetaDeg, s.cTol,
                        s.betaTolDeg, s.onBlade});
    }
    // The charts show the tip extrapolated from the next two rows, errors and all.
    RowTruth& tip = rows[0];
    const RowTruth& a = rows[1];
    const RowTruth& b = rows[2];
    tip.cOverR = 2 * a.cOverR - b.cOverR;
    tip.betaDeg = 2 * a.betaDeg - b.betaDeg;
    tip.silhouetteCOverR = 2 * a.silhouetteCOverR - b.silhouetteCOverR;
    tip.silhouetteBetaDeg = 2 * a.silhouetteBetaDeg - b.silhouetteBetaDeg;
    tip.cTolerance = 2 * a.cTolerance + b.cTolerance;
    tip.betaToleranceDeg = 2 * a.betaToleranceDeg + b.betaToleranceDeg;
    tip.onBlade = a.onBlade && b.onBlade;
    return rows;
}

} // namespace bladetrace::roundtrip
