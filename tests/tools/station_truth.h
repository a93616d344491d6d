#pragma once

#include "propeller_renderer.h"

#include <vector>

namespace bladetrace::roundtrip {

// What the run must chart at one folded row.
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
    // Both stations of the row lie on the blade, clear of the tip, the hub and the root.
    bool onBlade = false;
};

// The rows of the charts for a pair drawn by renderPropeller with these inputs and scanned
// with this threshold, from the blade itself: row i joins the two blades' stations i and
// count - 1 - i, each the mean of the blade's columns across its window. Where the stations
// lie is what the run's sheet says (`stationROverR`, signed r/R, first tip first).
std::vector<RowTruth> chartTruth(const render::BladeDefinition& blade,
                                 const render::RenderOptions& options, int threshold,
                                 const std::vector<double>& stationROverR);

} // namespace bladetrace::roundtrip
