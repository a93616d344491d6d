#include "performance_check.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bladetrace::accuracy {

std::vector<BladeSection> bladeSections(const Distribution& d) {
    std::vector<BladeSection> blade;
    for (std::size_t i = 0; i < d.rR.size(); ++i)
        blade.push_back({d.rR[i], d.cOverR[i], d.betaDeg[i]});
    return blade;
}

double medianOf(std::vector<double> values) {
    if (values.empty())
        return std::numeric_limits<double>::quiet_NaN();
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double TunnelPrediction::ctMedian() const {
    return medianOf(ctErrors);
}

double TunnelPrediction::cpMedian() const {
    return medianOf(cpErrors);
}

double TunnelPrediction::peakEtaDifference() const {
    return medianOf(peakEtaDifferences);
}

TunnelPrediction predictTests(const PerformanceInputs& inputs,
                              const std::vector<TunnelTest>& tests) {
    TunnelPrediction p;
    p.tests = tests;
    for (const TunnelTest& test : tests) {
        std::vector<PerformancePoint> predicted;
        double measuredPeak = -1, predictedPeak = -1;
        for (const TunnelPoint& m : test.points) {
            const PerformancePoint q = advanceRatioPoint(inputs, m.rpm, m.J);
            predicted.push_back(q);
            p.converged = p.converged && q.converged;
            if (m.CT < kLeastCT || m.CP < kLeastCP)
                continue;
            p.ctErrors.push_back(std::fabs(q.CT - m.CT) / m.CT);
            p.cpErrors.push_back(std::fabs(q.CP - m.CP) / m.CP);
            if (!test.isStatic) {
                measuredPeak = std::max(measuredPeak, m.J * m.CT / m.CP);
                predictedPeak = std::max(predictedPeak, q.eta);
            }
        }
        if (measuredPeak > 0)
            p.peakEtaDifferences.push_back(predictedPeak - measuredPeak);
        p.predicted.push_back(predicted);
    }
    return p;
}

} // namespace bladetrace::accuracy
