#pragma once

#include "geometry/station_table.h"

namespace bladetrace {

// The last index of the folded blade: the fold runs for i = 0 .. count / 2.
inline int foldedLast(int count) {
    return count / 2;
}

// Averages station i with its mirror on the other blade, in place, and gives it its relative
// radius by index (1.0 at the tip). Called in increasing i, so for an even count the last
// step reads a mirror folded one step earlier.
void foldStation(StationTable& table, int i);

} // namespace bladetrace
