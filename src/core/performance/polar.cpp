#include "performance/polar.h"

#include <algorithm>
#include <cmath>

namespace bladetrace {
namespace {

// Beyond stall the drag grows as a flat plate's normal force tilts into it: 2 sin^2 of the
// angle past stall, which reaches a flat plate's drag of about 2 broadside.
constexpr double kFlatPlateDrag = 2.0;
// Prandtl-Glauert's factor grows without bound towards Mach 1; past this the section is
// beyond what the polar describes anyway.
constexpr double kMaxMach = 0.9;
// The drag's Reynolds scaling is held below this, where a section hardly makes lift.
constexpr double kMinReynolds = 1000.0;

} // namespace

Polar genericPolar() {
    Polar p;
    p.cl0 = 0.50;
    p.clAlpha = 5.8;
    p.clMin = -0.3;
    p.clMax = 1.2;
    p.cd0 = 0.028;
    p.cd2Upper = 0.050;
    p.cd2Lower = 0.020;
    p.clAtMinDrag = 0.5;
    p.reRef = 70000;
    p.reExp = -0.7;
    return p;
}

bool operator==(const Polar& a, const Polar& b) {
    return a.cl0 == b.cl0 && a.clAlpha == b.clAlpha && a.clMin == b.clMin && a.clMax == b.clMax &&
           a.cd0 == b.cd0 && a.cd2Upper == b.cd2Upper && a.cd2Lower == b.cd2Lower &&
           a.clAtMinDrag == b.clAtMinDrag && a.reRef == b.reRef && a.reExp == b.reExp &&
           a.liftReExp == b.liftReExp;
}

Polar defaultPolar() {
    // Fitted to the published geometry and wind-tunnel tests of the 22 development
    // propellers, starting from the generic polar, to three digits (docs/accuracy.md, "How
    // the default polar was chosen"); CLmin, CD2l, CLCD0 and REref are the generic ones.
    Polar p = genericPolar();
    p.cl0 = 0.427;
    p.clAlpha = 4.98;
    p.clMax = 1.28;
    p.cd0 = 0.0330;
    p.cd2Upper = 0.0792;
    p.reExp = -0.330;
    p.liftReExp = 0.128;
    return p;
}

QString polarProblem(const Polar& p) {
    const double values[] = {p.cl0,      p.clAlpha,  p.clMin,       p.clMax, p.cd0,
                             p.cd2Upper, p.cd2Lower, p.clAtMinDrag, p.reRef, p.reExp};
    for (double v : values)
        if (!std::isfinite(v))
            return QStringLiteral("every coefficient must be a finite number");
    if (p.clAlpha < 0)
        return QStringLiteral("the lift slope CL_a must not be negative");
    if (p.clMin >= p.clMax)
        return QStringLiteral("CLmin must be below CLmax");
    if (p.cd0 < 0 || p.cd2Upper < 0 || p.cd2Lower < 0)
        return QStringLiteral("CD0, CD2u and CD2l must not be negative");
    if (p.reRef <= 0)
        return QStringLiteral("the reference Reynolds number REref must be positive");
    return {};
}

double liftFactor(const Polar& p, double reynolds, double mach) {
    const double m = std::min(std::fabs(mach), kMaxMach);
    const double lowReynolds =
        reynolds < p.reRef ? std::pow(std::max(reynolds, kMinReynolds) / p.reRef, p.liftReExp)
                           : 1.0;
    return lowReynolds / std::sqrt(1.0 - m * m);
}

double heldLift(const Polar& p, double alpha, double factor) {
    return std::clamp((p.cl0 + p.clAlpha * alpha) * factor, p.clMin, p.clMax);
}

SectionCoefficients sectionCoefficients(const Polar& p, double alpha, double reynolds,
                                        double mach) {
    SectionCoefficients s;
    const double factor = liftFactor(p, reynolds, mach);
    s.cl = (p.cl0 + p.clAlpha * alpha) * factor;
    double pastStall = 0;
    if (s.cl > p.clMax || s.cl < p.clMin) {
        // The angle past the one at which the linear lift reaches the limit.
        const double held = s.cl > p.clMax ? p.clMax : p.clMin;
        if (p.clAlpha > 0)
            pastStall = alpha - (held / factor - p.cl0) / p.clAlpha;
        s.cl = held;
        s.stalled = true;
    }
    const double dcl = s.cl - p.clAtMinDrag;
    const double cd2 = dcl > 0 ? p.cd2Upper : p.cd2Lower;
    const double scale = std::pow(std::max(reynolds, kMinReynolds) / p.reRef, p.reExp);
    const double sinPast = std::sin(pastStall);
    s.cd = (p.cd0 + cd2 * dcl * dcl) * scale + kFlatPlateDrag * sinPast * sinPast;
    return s;
}

} // namespace bladetrace
