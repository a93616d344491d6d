#include "geometry/fold.h"

namespace bladetrace {

void foldStation(StationTable& t, int i) {
    const int k = t.Count;
    const auto n = std::size_t(i);
    const auto m = std::size_t(k - 1 - i);
    t.Chord[n] = (t.Chord[m] + t.Chord[n]) / 2.0f;
    t.Beta[n] = (t.Beta[m] + t.Beta[n]) / 2.0f;
    t.XLE[n] = t.XLE[m];
    t.ZLE[n] = (t.ZLE[m] + t.ZLE[n]) / 2.0f;
    t.rR[n] = float(1.0 - 2.0 * i / k);
    if (t.Chord[n] < 0.0f)
        t.Chord[n] = 1e-5f;
}

FoldedTable foldBlade(StationTable table, const std::function<void(StationTable&, int)>& folded) {
    for (int i = 0; i <= foldedLast(table.Count); ++i) {
        foldStation(table, i);
        if (folded)
            folded(table, i);
    }
    return {std::move(table)};
}

} // namespace bladetrace
