#include "geometry/station_table.h"

#include <algorithm>

namespace bladetrace {

StationTable::StationTable(int slots) {
    const std::size_t n = std::size_t(std::max(slots, kMinimumSlots));
    for (auto* field : {&rR, &Beta, &Chord, &XLE, &ZLE})
        field->assign(n, 0.0f);
}

} // namespace bladetrace
