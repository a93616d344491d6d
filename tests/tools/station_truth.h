#pragma once

#include "propeller_renderer.h"

#include <vector>

namespace bladetrace::roundtrip {

// What the run must chart at one folded row, worked out from the blade itself.
struct RowTruth {
    double rR = 0;
    // The section's own chord and angle, averaged as the row averages its columns and blades.
    double cOverR = 0;
    double betaDeg = 0;
    // What the exact silhouettes give: the thickness widens both views, so these differ from
    // the section's own values by the thickness bias.
    double silhouetteCOverR = 0;
    double silhouetteBetaDeg = 0;
    // What quantisation to whole pixels may add, either way (see station_truth.cpp).
    double cTolerance = 0;
    double betaToleranceDeg = 0;
    // Every column of the row lies on the blade, clear of the hub and the blade's root.
    bool onBlade = false;
};

// The rows of the charts (row 0 the tip, by extrapolation) for a pair drawn by
// renderPropeller with these inputs and scanned with this threshold.
std::vector<RowTruth> chartTruth(const render::BladeDefinition& blade,
                                 const render::RenderOptions& options, int threshold);

} // namespace bladetrace::roundtrip
