#pragma once

#include "propeller_renderer.h"

#include <vector>

namespace bladetrace::roundtrip {

// What the run must chart at one folded row (row 0 the tip, by extrapolation).
struct RowTruth {
    // The section's own chord and angle, and what its exact silhouettes give: the thickness
    // widens both views, so the two differ by the thickness bias.
    double cOverR = 0;
    double betaDeg = 0;
    double silhouetteCOverR = 0;
    double silhouetteBetaDeg = 0;
    // What quantisation to whole pixels may add, either way (see station_truth.cpp).
    double cTolerance = 0;
    double betaToleranceDeg = 0;
    // Every column of the row lies on the blade, clear of the hub and the blade's root.
    bool onBlade = false;
};

// The rows of the charts for a pair drawn by renderPropeller with these inputs and scanned
// with this threshold: the blade's exact heights in every pixel column, put through the
// run's own station, fold and tip stages.
std::vector<RowTruth> chartTruth(const render::BladeDefinition& blade,
                                 const render::RenderOptions& options, int threshold);

} // namespace bladetrace::roundtrip
