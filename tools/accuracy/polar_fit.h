#pragma once

#include "performance/performance.h"
#include "wind_tunnel.h"

#include <QString>
#include <vector>

namespace bladetrace::accuracy {

// One propeller of a fit: its blade and air as the model takes them, and its tests.
struct FitCase {
    QString key;
    PerformanceInputs inputs; // the polar is the fit's
    std::vector<TunnelTest> tests;
};

// The polar's coefficients a fit moves, with the bounds that keep them physical; the others
// keep their starting values.
struct FitParameter {
    const char* name;
    double Polar::*field;
    double least;
    double most;
    double step; // the starting simplex's size along it
};
const std::vector<FitParameter>& fitParameters();

// What a fit minimises over the cases: the interquartile mean of the per-propeller medians
// of |dCT|/CT plus the same of |dCP|/CP. The middle half of the propellers decides, as the
// median over propellers does, but every one of them moves it a little. Parameters outside
// their bounds are penalised.
double fitObjective(const std::vector<FitCase>& cases, const Polar& polar);

// Nelder and Mead's simplex from `start`, restarted once from its best point.
Polar fitPolar(const std::vector<FitCase>& cases, const Polar& start, int iterations);

} // namespace bladetrace::accuracy
