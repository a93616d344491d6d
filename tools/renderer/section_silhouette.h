#pragma once

#include "blade_definition.h"

namespace bladetrace::render {

// A closed range of one coordinate, in metres.
struct Extent {
    double lo = 0;
    double hi = 0;

    double length() const { return hi - lo; }
};

// Where a section reaches seen along the propeller axis (`top`: the tangential coordinate,
// positive in the direction of rotation) and seen edge-on across the disc (`side`: the axial
// coordinate, positive upstream). The pivot point lies at 0 in both.
struct SectionExtents {
    Extent top;
    Extent side;
};

// The core's base airfoil, its thickness scaled to the section's, with the leading edge
// ahead and upstream of the trailing edge and the cambered face upstream. A section is a
// filled polygon, so its shadow on any line runs from its lowest to its highest corner.
SectionExtents sectionExtents(const Section& section, double pivot);

} // namespace bladetrace::render
