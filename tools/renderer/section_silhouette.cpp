#include "section_silhouette.h"

#include "geometry/base_section.h"

#include <algorithm>
#include <cmath>

namespace bladetrace::render {

SectionExtents sectionExtents(const Section& s, double pivot) {
    const double cosB = std::cos(s.beta);
    const double sinB = std::sin(s.beta);
    // The base section is 10 % thick; its coordinates are percent of the chord.
    const double yScale = s.thickness * 10.0;
    SectionExtents e{{1e300, -1e300}, {1e300, -1e300}};
    for (const SectionPoint& p : kBaseSection) {
        const double along = (pivot * 100.0 - double(p.x)) * s.chord / 100.0;
        const double across = double(p.y) * yScale * s.chord / 100.0;
        const double tangential = along * cosB - across * sinB;
        const double axial = along * sinB + across * cosB;
        e.top.lo = std::min(e.top.lo, tangential);
        e.top.hi = std::max(e.top.hi, tangential);
        e.side.lo = std::min(e.side.lo, axial);
        e.side.hi = std::max(e.side.hi, axial);
    }
    return e;
}

} // namespace bladetrace::render
