#pragma once

#include "geometry/station_table.h"

#include <functional>

namespace bladetrace {

// The last index of the folded blade: the fold runs for i = 0 .. count / 2.
inline int foldedLast(int count) {
    return count / 2;
}

// Averages station i with its mirror on the other blade, in place, and gives it its relative
// radius by index (1.0 at the tip). Called in increasing i, so for an even count the last
// step reads a mirror folded one step earlier.
void foldStation(StationTable& table, int i);

// A table folded onto one blade: indices 0 .. last() hold it from the tip (rR 1.0) towards
// the axis; the indices above keep the second blade as it was. What reads the folded blade
// takes this type, so it cannot be handed a table the fold has not been through.
struct FoldedTable {
    StationTable table;

    int last() const { return foldedLast(table.Count); }
};

// Folds the table station by station. `folded` sees each station as soon as it is folded,
// before the next one is: for an even count the last station's mirror is the one `folded`
// has just seen, and reads whatever it left there (the section script's corrected angle).
FoldedTable foldBlade(StationTable table,
                      const std::function<void(StationTable&, int)>& folded = nullptr);

} // namespace bladetrace
