#include "station_truth.h"

#include "geometry/fold.h"
#include "geometry/stations.h"
#include "results/charts.h"
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

struct NoRows : StationSink {
    bool imperialUnits() override { return false; }
    void stationComputed(const StationRow&) override {}
};

// Per-column heights in metres, laid out, folded and tip-extrapolated as the run does it.
StationTable throughStages(const std::vector<float>& top, const std::vector<float>& side,
                           float diameter) {
    const std::vector<float> zero(top.size(), 0.0f);
    const EdgeArrays topEdges{zero, top}, sideEdges{zero, side};
    NoRows sink;
    StationTable t = computeStations({topEdges, sideEdges, diameter, 1.0, 1.0}, sink);
    for (int i = 0; i <= foldedLast(t.Count); ++i)
        foldStation(t, i);
    applyTipCorrection(t);
    return t;
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

    std::vector<float> silTop, silSide, ownTop, ownSide, offBlade;
    for (int i = 0; i <= N; ++i) {
        const double r = -R + (i + 0.5) / ppm;
        const render::Section s = render::sectionAt(blade, std::fabs(r) / R);
        const render::SectionExtents e = render::sectionExtents(s, blade.pivot);
        silTop.push_back(float((e.top.length() * ppm - 2 * f0) * metresPerPixel));
        silSide.push_back(float((e.side.length() * ppm - 2 * f0) * metresPerPixel));
        ownTop.push_back(float(s.chord * std::cos(s.beta)));
        ownSide.push_back(float(s.chord * std::sin(s.beta)));
        offBlade.push_back(std::fabs(r) < root ? 1.0f : 0.0f);
    }
    const float D = float(blade.diameter);
    const StationTable sil = throughStages(silTop, silSide, D);
    const StationTable own = throughStages(ownTop, ownSide, D);
    const StationTable off = throughStages(offBlade, offBlade, D); // > 0: a column off the blade

    std::vector<RowTruth> rows;
    for (int i = 0; i <= foldedLast(sil.Count); ++i) {
        const auto n = std::size_t(i);
        const double pixels = sil.Chord[n] / metresPerPixel;
        const double beta = sil.Beta[n];
        // A height error dh moves the chord by at most (cos + sin) dh and the angle by at most
        // (cos + sin) dh / chord; the span's own pixel moves every length by 1 / N.
        const double spread =
            (std::fabs(std::cos(beta)) + std::fabs(std::sin(beta))) * kHeightSlack;
        rows.push_back({own.Chord[n] / R, own.Beta[n] * kDegrees, sil.Chord[n] / R, beta * kDegrees,
                        (spread + pixels / N) * metresPerPixel / R, spread / pixels * kDegrees,
                        off.Chord[n] == 0.0f});
    }
    // The tip is extrapolated from the next two rows, errors and all.
    RowTruth& tip = rows[0];
    tip.cTolerance = 2 * rows[1].cTolerance + rows[2].cTolerance;
    tip.betaToleranceDeg = 2 * rows[1].betaToleranceDeg + rows[2].betaToleranceDeg;
    tip.onBlade = rows[1].onBlade && rows[2].onBlade;
    return rows;
}

} // namespace bladetrace::roundtrip
