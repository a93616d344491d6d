#include "export/folded_blade.h"

#include "text/units.h"

#include <algorithm>

namespace bladetrace {

std::vector<BladeStation> foldedBlade(const RunResults& results, bool imperial) {
    const ChartSeries& chord = results.charts[kChordChart];
    const ChartSeries& beta = results.charts[kBetaChart];
    const ChartSeries& pitch = results.charts[kPitchChart];
    const double R = results.radius();
    const double perLength = imperial ? 1.0 / kMetresPerInch : 1.0;
    // The pitch chart is in the units of the run.
    double pitchFactor = 1.0;
    if (results.imperial != imperial)
        pitchFactor = imperial ? perLength : kMetresPerInch;
    std::vector<BladeStation> blade;
    for (int row = chord.rows() - 1; row >= 0; --row) {
        const auto n = std::size_t(row);
        const double rR = chord.x[n];
        // The tip's chord is extrapolated from the two stations before it; a pointed tip's
        // falls below zero. A file gets the 0 of a point instead: QPROP stops at a negative
        // chord, and the station before the tip would make the point blunt.
        const double cR = std::max(chord.y[n], 0.0);
        blade.push_back(
            {rR, cR, beta.y[n], rR * R * perLength, cR * R * perLength, pitch.y[n] * pitchFactor});
    }
    return blade;
}

std::optional<BladeStation> bladeAt(const std::vector<BladeStation>& blade, double rR) {
    for (std::size_t i = 1; i < blade.size(); ++i) {
        const BladeStation& a = blade[i - 1];
        const BladeStation& b = blade[i];
        if (rR < a.rR || rR > b.rR || b.rR <= a.rR)
            continue;
        const double t = (rR - a.rR) / (b.rR - a.rR);
        const auto at = [t](double from, double to) { return from + t * (to - from); };
        return BladeStation{rR,           at(a.cR, b.cR), at(a.betaDeg, b.betaDeg),
                            at(a.r, b.r), at(a.c, b.c),   at(a.pitch, b.pitch)};
    }
    return std::nullopt;
}

} // namespace bladetrace
