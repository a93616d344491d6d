#include "export/folded_blade.h"

#include "text/units.h"

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
        blade.push_back({rR, chord.y[n], beta.y[n], rR * R * perLength, chord.y[n] * R * perLength,
                         pitch.y[n] * pitchFactor});
    }
    return blade;
}

} // namespace bladetrace
