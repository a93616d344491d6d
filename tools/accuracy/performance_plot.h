#pragma once

#include "performance/performance.h"
#include "wind_tunnel.h"

#include <QImage>
#include <QString>
#include <vector>

namespace bladetrace::accuracy {

// A predicted curve over J and its legend entry.
struct PredictedCurve {
    QString name;
    std::vector<PerformancePoint> points;
};

// CT, CP and efficiency over J side by side: the measured points of one test (and of the
// static test at the nearest RPM, if given) as markers, each prediction as a line. Drawn
// with the program's own plot painter.
QImage plotPerformance(const QString& title, const TunnelTest& measured,
                       const TunnelPoint* staticPoint, const std::vector<PredictedCurve>& curves);

} // namespace bladetrace::accuracy
