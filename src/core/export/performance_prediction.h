#pragma once

#include "base/language.h"
#include "export/plot_painter.h"
#include "performance/performance.h"
#include "results/run_results.h"

#include <QString>
#include <vector>

namespace bladetrace {

// Thrust, power and efficiency predicted for a run's folded blade, at the run's RPM.
struct PerformancePrediction {
    QString problem; // why there is no prediction, in words; empty when there is one
    double rpm = 0;
    std::vector<PerformancePoint> curve; // J = 0 until the thrust falls below zero
    PerformancePoint operating;          // at the run's flight speed
};

// The model's inputs from the run: the folded blade (c/R, beta), its radius, the blade
// count, the polar and the air the run was given.
PerformanceInputs performanceInputs(const RunResults& results);

PerformancePrediction predictPerformance(const RunResults& results);
// The operating point alone, the curve left empty: what a summary needs, at a hundredth of
// the work.
PerformancePrediction predictOperatingPoint(const RunResults& results);

// CT and CP, or the efficiency, over J, the operating point marked: the window's
// "Performance" tab and the report's page draw these.
enum class PerformanceChart { Coefficients, Efficiency };
Plot performancePlot(const PerformancePrediction& prediction, PerformanceChart chart,
                     Language language);

// The operating point in words, one line each: thrust, power, torque and efficiency at the
// flight speed, in newtons or pounds-force.
QStringList operatingPointLines(const PerformancePrediction& prediction, Language language,
                                bool imperial);

} // namespace bladetrace
