#pragma once

#include "performance/performance.h"

#include <QString>
#include <vector>

namespace bladetrace {

constexpr double kNewtonsPerPoundForce = 4.4482216152605;

// The header line of the performance table: "J,V [m/s],CT,CP,eta,T [N],P [W],Q [N m]", with
// "[mph]" and "[lbf]" when imperial.
QString performanceCsvHeader(bool imperial);

// The points as comma-separated lines under that header, numbers with a decimal point.
QString performanceCsv(const std::vector<PerformancePoint>& points, bool imperial);

} // namespace bladetrace
