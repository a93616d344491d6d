#pragma once

#include "results/run_results.h"

#include <optional>
#include <vector>

namespace bladetrace {

// One station of the folded blade, tip corrected. Lengths in metres, or in inches when
// `imperial` was asked for.
struct BladeStation {
    double rR;
    double cR;
    double betaDeg;
    double r;
    double c;
    double pitch;
};

// The folded blade from hub to tip, as the charts show it, but for a chord never below zero:
// what the file formats write.
std::vector<BladeStation> foldedBlade(const RunResults& results, bool imperial);

// The blade at `rR`, each value interpolated linearly between the two stations around it
// (`blade` hub to tip); none outside the measured span.
std::optional<BladeStation> bladeAt(const std::vector<BladeStation>& blade, double rR);

} // namespace bladetrace
