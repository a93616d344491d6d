#include "performance/performance.h"

#include "text/units.h"

#include <algorithm>
#include <cmath>

namespace bladetrace {
namespace {

constexpr double kSecondsPerMinute = 60.0;

// Chord (metres) and blade angle (radians) at r/R, linear between the stations.
struct Interpolated {
    double chord;
    double beta;
};

Interpolated at(const PerformanceInputs& in, double rR) {
    const std::vector<BladeSection>& b = in.blade;
    auto upper = std::upper_bound(b.begin(), b.end(), rR,
                                  [](double x, const BladeSection& s) { return x < s.rR; });
    if (upper == b.begin())
        upper = b.begin() + 1;
    if (upper == b.end())
        upper = b.end() - 1;
    const BladeSection& s1 = *upper;
    const BladeSection& s0 = *(upper - 1);
    const double f = (rR - s0.rR) / (s1.rR - s0.rR);
    // A measured tip extrapolated below zero has no chord.
    const double cR = std::max(0.0, s0.cR + f * (s1.cR - s0.cR));
    const double betaDeg = s0.betaDeg + f * (s1.betaDeg - s0.betaDeg);
    return {cR * in.tipRadius, betaDeg * kPi / 180};
}

PerformancePoint integrate(const PerformanceInputs& in, double rpm, double speed) {
    PerformancePoint p;
    if (!performanceProblem(in, rpm).isEmpty()) {
        p.converged = false;
        return p;
    }
    const double n = rpm / kSecondsPerMinute;
    const double D = 2 * in.tipRadius;
    p.speed = speed;
    p.J = speed / (n * D);
    for (const LoadedElement& e : loadedElements(in, rpm, speed)) {
        p.thrust += e.solution.thrustPerMetre * e.width;
        p.torque += e.solution.torquePerMetre * e.width;
        p.converged = p.converged && e.solution.converged;
    }
    p.power = p.torque * kTwoPi * n;
    const double rho = in.air.density;
    p.CT = p.thrust / (rho * n * n * std::pow(D, 4));
    p.CP = p.power / (rho * n * n * n * std::pow(D, 5));
    p.eta = p.CP != 0 ? p.J * p.CT / p.CP : 0;
    return p;
}

} // namespace

QString performanceProblem(const PerformanceInputs& in, double rpm) {
    if (!(rpm > 0) || !std::isfinite(rpm))
        return QStringLiteral("the RPM must be a positive number");
    if (!(in.tipRadius > 0) || !std::isfinite(in.tipRadius))
        return QStringLiteral("the diameter must be a positive number");
    if (in.blades < 1)
        return QStringLiteral("a propeller needs at least one blade");
    if (!(in.air.density > 0) || !(in.air.kinematicViscosity > 0) || !(in.air.speedOfSound > 0))
        return QStringLiteral("the air's density, viscosity and speed of sound must be positive");
    if (in.blade.size() < 2)
        return QStringLiteral("the blade needs at least two stations");
    for (std::size_t i = 0; i < in.blade.size(); ++i) {
        const BladeSection& s = in.blade[i];
        if (!std::isfinite(s.rR) || !std::isfinite(s.cR) || !std::isfinite(s.betaDeg) ||
            (i > 0 && !(s.rR > in.blade[i - 1].rR)))
            return QStringLiteral("the blade's stations must be numbers, from hub to tip");
    }
    if (!(in.blade.back().rR > kRootRR) || in.blade.back().rR > 1)
        return QStringLiteral("the blade must reach beyond r/R %1 and not beyond the tip")
            .arg(kRootRR);
    return polarProblem(in.polar);
}

std::vector<LoadedElement> loadedElements(const PerformanceInputs& in, double rpm, double speed) {
    std::vector<LoadedElement> elements;
    if (!performanceProblem(in, rpm).isEmpty())
        return elements;
    const double root = std::max(kRootRR, in.blade.front().rR);
    const double tip = in.blade.back().rR;
    ElementFlow flow;
    flow.tipRadius = in.tipRadius;
    flow.blades = in.blades;
    flow.speed = speed;
    flow.omega = kTwoPi * rpm / kSecondsPerMinute;
    // Edges at root + (tip - root) sin(pi/2 j/N): each element narrower than the one inboard,
    // the last below a thousandth of the span, so the steep fall of the load at the tip is
    // resolved.
    double inner = root;
    for (int j = 1; j <= kElements; ++j) {
        const double outer = root + (tip - root) * std::sin(kPi / 2 * j / kElements);
        LoadedElement e;
        e.rR = (inner + outer) / 2;
        e.width = (outer - inner) * in.tipRadius;
        const Interpolated section = at(in, e.rR);
        flow.r = e.rR * in.tipRadius;
        flow.chord = section.chord;
        flow.beta = section.beta;
        e.solution = solveElement(flow, in.polar, in.air);
        elements.push_back(e);
        inner = outer;
    }
    return elements;
}

PerformancePoint operatingPoint(const PerformanceInputs& in, double rpm, double speed) {
    return integrate(in, rpm, speed);
}

PerformancePoint advanceRatioPoint(const PerformanceInputs& in, double rpm, double J) {
    return integrate(in, rpm, J * rpm / kSecondsPerMinute * 2 * in.tipRadius);
}

std::vector<PerformancePoint> performanceCurve(const PerformanceInputs& in, double rpm, double step,
                                               int maxPoints) {
    std::vector<PerformancePoint> curve;
    if (!performanceProblem(in, rpm).isEmpty() || !(step > 0))
        return curve;
    for (int i = 0; i < maxPoints; ++i) {
        curve.push_back(advanceRatioPoint(in, rpm, i * step));
        if (curve.back().thrust < 0)
            break;
    }
    return curve;
}

} // namespace bladetrace
