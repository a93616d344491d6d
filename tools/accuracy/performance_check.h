#pragma once

#include "blade_tables.h"
#include "performance/performance.h"
#include "wind_tunnel.h"

#include <vector>

namespace bladetrace::accuracy {

// The blade of a table or a measurement as the performance model takes it.
std::vector<BladeSection> bladeSections(const Distribution& d);

// Which measured points count: CT and CP large enough for a relative difference to mean
// something.
constexpr double kLeastCT = 0.02;
constexpr double kLeastCP = 0.01;

// A propeller's wind-tunnel tests predicted at their RPMs and advance ratios.
struct TunnelPrediction {
    std::vector<TunnelTest> tests;
    std::vector<std::vector<PerformancePoint>> predicted; // per test, per point
    std::vector<double> ctErrors; // |CT predicted - CT measured| / CT measured, counted points
    std::vector<double> cpErrors;
    // Per curve: the highest predicted efficiency less the highest measured, both over the
    // counted points.
    std::vector<double> peakEtaDifferences;
    bool converged = true; // every element at every point

    double ctMedian() const;
    double cpMedian() const;
    double peakEtaDifference() const; // the median over curves; NaN for static tests only
};

TunnelPrediction predictTests(const PerformanceInputs& inputs,
                              const std::vector<TunnelTest>& tests);

// The median; NaN for none.
double medianOf(std::vector<double> values);

} // namespace bladetrace::accuracy
