#include "performance/blade_element.h"

#include "text/units.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bladetrace {
namespace {

constexpr double kHalfPi = kPi / 2;
// Below this F the element carries no load worth solving for; keeps 1/F finite at the tip.
constexpr double kLeastTipLoss = 1e-9;
constexpr double kAngleTolerance = 1e-9; // radians
constexpr int kMostIterations = 100;
constexpr int kScanSteps = 24;
constexpr double kLeastAngle = 1e-9; // radians: the search's start when phi = 0 is no solution
constexpr double kNearby = 0.01;     // radians: the second solution's bracket about the first

double tipLossOf(int blades, double rR, double absSinPhi) {
    if (rR >= 1)
        return 0;
    if (!(absSinPhi > 0))
        return 1;
    const double f = blades / 2.0 * (1 - rR) / (rR * absSinPhi);
    return 2 / kPi * std::acos(std::exp(-f));
}

// The element's equations as a residual in the inflow angle phi. The induced velocities
// follow from the lift (the bound circulation) alone, as in the vortex theory; the profile
// drag acts on the loads, not on the stream. Axial and tangential momentum of the annulus,
// with Prandtl's F, give
//   Vx (1 - k) = V,   Vt (1 + k') = Omega r,   k = s cl cos(phi) / sin^2(phi),
//   k' = s cl / cos(phi),   s = sigma' / (4 F),   sigma' = B c / (2 pi r),
// and tan(phi) = Vx / Vt. Multiplied through by sin^2(phi) this is
//   g(phi) = sin^2(phi) - lambda sin(phi) cos(phi) - s cl (cos(phi) + lambda sin(phi)),
// lambda = V / (Omega r): finite everywhere, also at phi = 0 and in the static case.
class Residual {
public:
    Residual(const ElementFlow& flow, const Polar& polar, double reynolds, double mach)
        : flow_(flow), polar_(polar), liftFactor_(liftFactor(polar, reynolds, mach)),
          solidity_(flow.blades * flow.chord / (kTwoPi * flow.r)),
          lambda_(flow.speed / (flow.omega * flow.r)) {}

    double operator()(double phi) const {
        const double sn = std::sin(phi), cs = std::cos(phi);
        return sn * sn - lambda_ * sn * cs - loading(phi, sn) * (cs + lambda_ * sn);
    }

    // s cl: the element's lift as it loads the stream.
    double loading(double phi, double sinPhi) const {
        const double F = std::max(tipLoss(sinPhi), kLeastTipLoss);
        return solidity_ / (4 * F) * heldLift(polar_, flow_.beta - phi, liftFactor_);
    }

    double tipLoss(double sinPhi) const {
        return tipLossOf(flow_.blades, flow_.r / flow_.tipRadius, std::fabs(sinPhi));
    }

private:
    const ElementFlow& flow_;
    const Polar& polar_;
    double liftFactor_;
    double solidity_;
    double lambda_;
};

struct Root {
    double phi = 0;
    bool found = false;
};

// Brent's method on [a, b], where g(a) and g(b) differ in sign or one is zero.
template <class G> Root brent(const G& g, double a, double b, double ga, double gb) {
    if (ga == 0)
        return {a, true};
    if (gb == 0)
        return {b, true};
    double c = a, gc = ga, d = b - a, e = d;
    for (int i = 0; i < kMostIterations; ++i) {
        if ((gb > 0) == (gc > 0)) {
            c = a;
            gc = ga;
            d = e = b - a;
        }
        if (std::fabs(gc) < std::fabs(gb)) {
            a = b;
            b = c;
            c = a;
            ga = gb;
            gb = gc;
            gc = ga;
        }
        const double tolerance =
            2 * std::numeric_limits<double>::epsilon() * std::fabs(b) + kAngleTolerance / 2;
        const double m = (c - b) / 2;
        if (std::fabs(m) <= tolerance || gb == 0)
            return {b, true};
        if (std::fabs(e) >= tolerance && std::fabs(ga) > std::fabs(gb)) {
            // Interpolation: secant with two points, inverse quadratic with three.
            double p, q;
            const double s = gb / ga;
            if (a == c) {
                p = 2 * m * s;
                q = 1 - s;
            } else {
                const double r = gb / gc, t = ga / gc;
                p = s * (2 * m * t * (t - r) - (b - a) * (r - 1));
                q = (t - 1) * (r - 1) * (s - 1);
            }
            if (p > 0)
                q = -q;
            else
                p = -p;
            if (2 * p < std::min(3 * m * q - std::fabs(tolerance * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = e = m;
            }
        } else {
            d = e = m;
        }
        a = b;
        ga = gb;
        b += std::fabs(d) > tolerance ? d : (m > 0 ? tolerance : -tolerance);
        gb = g(b);
    }
    return {b, false};
}

// The first interval of [from, to] in `steps` over which g changes sign, solved.
template <class G>
Root scan(const G& g, double from, double to, int steps, double& closestPhi, double& closest) {
    double a = from, ga = g(a);
    for (int i = 1; i <= steps; ++i) {
        const double b = from + (to - from) * i / steps;
        const double gb = g(b);
        if (std::fabs(gb) < closest) {
            closest = std::fabs(gb);
            closestPhi = b;
        }
        if ((ga <= 0) != (gb <= 0) || ga == 0)
            return brent(g, a, b, ga, gb);
        a = b;
        ga = gb;
    }
    return {};
}

// The inflow angle: in the propeller's working state a root lies between 0 and pi/2, where
// g starts negative (the section lifts) and ends positive. Otherwise (a section that lifts
// backwards, a windmilling element) the root is searched over the rest of (-pi/4, pi).
// With a flight speed, phi = 0 cannot be a solution (the stream passes the disc), though g,
// multiplied by sin(phi), vanishes there when the section has no lift: the search then
// starts just above it.
Root inflowAngle(const Residual& g, bool moving) {
    const double low = moving ? kLeastAngle : 0.0;
    const double g0 = g(low), g90 = g(kHalfPi);
    if ((g0 <= 0) != (g90 <= 0) || g0 == 0)
        return brent(g, low, kHalfPi, g0, g90);
    double closestPhi = low, closest = std::fabs(g0);
    for (const auto& [from, to] :
         {std::pair{low, kHalfPi}, std::pair{kHalfPi, kPi * 0.999}, std::pair{-low, -kPi / 4}}) {
        const Root r = scan(g, from, to, kScanSteps, closestPhi, closest);
        if (r.found)
            return r;
    }
    return {closestPhi, false};
}

// Near a solution of nearly the same equations, a narrow bracket saves most of the steps.
Root inflowAngleNear(const Residual& g, double phi, bool moving) {
    const double a = phi - kNearby, b = phi + kNearby;
    const double ga = g(a), gb = g(b);
    if ((ga <= 0) != (gb <= 0))
        return brent(g, a, b, ga, gb);
    return inflowAngle(g, moving);
}

} // namespace

double prandtlTipLoss(int blades, double rR, double phi) {
    return tipLossOf(blades, rR, std::fabs(std::sin(phi)));
}

ElementSolution solveElement(const ElementFlow& flow, const Polar& polar, const Air& air) {
    ElementSolution s;
    const double tangential = flow.omega * flow.r;
    // Reynolds and Mach number first of the undisturbed stream, then of the relative speed
    // that solution gives: the induced velocities change them by a few per cent, the section's
    // coefficients by less, so one repetition settles them.
    double w = std::hypot(flow.speed, tangential);
    const bool moving = flow.speed != 0;
    for (int pass = 0; pass < 2; ++pass) {
        s.reynolds = w * flow.chord / air.kinematicViscosity;
        s.mach = w / air.speedOfSound;
        const Residual g(flow, polar, s.reynolds, s.mach);
        const Root root =
            pass == 0 || !s.converged ? inflowAngle(g, moving) : inflowAngleNear(g, s.phi, moving);
        s.phi = root.phi;
        s.converged = root.found;
        const double sn = std::sin(s.phi);
        s.tipLoss = g.tipLoss(sn);
        // Vt = Omega r cos(phi) / (cos(phi) + s cl), Vx = Vt tan(phi), W = Vt / cos(phi).
        const double denominator = std::cos(s.phi) + g.loading(s.phi, sn);
        if (denominator > 0)
            w = tangential / denominator;
    }
    s.relativeSpeed = w;
    s.alpha = flow.beta - s.phi;
    const SectionCoefficients c = sectionCoefficients(polar, s.alpha, s.reynolds, s.mach);
    s.cl = c.cl;
    s.cd = c.cd;
    s.stalled = c.stalled;
    const double load = 0.5 * air.density * w * w * flow.chord * flow.blades;
    const double sn = std::sin(s.phi), cs = std::cos(s.phi);
    s.thrustPerMetre = load * (c.cl * cs - c.cd * sn);
    s.torquePerMetre = load * (c.cl * sn + c.cd * cs) * flow.r;
    return s;
}

} // namespace bladetrace
