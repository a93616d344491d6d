#include "performance/blade_element.h"
#include "text/units.h"

#include <QtMath>
#include <cmath>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// An element at r = 0.6 R of a 0.25 m propeller at 6000 rpm.
ElementFlow element(double speed, double chord = 0.025, double betaDeg = 20) {
    ElementFlow f;
    f.tipRadius = 0.125;
    f.r = 0.6 * f.tipRadius;
    f.chord = chord;
    f.beta = qDegreesToRadians(betaDeg);
    f.blades = 2;
    f.speed = speed;
    f.omega = 6000 * 2 * kPi / 60;
    return f;
}

// Lift without stall, Reynolds or compressibility effects, and no drag.
Polar liftOnly() {
    Polar p = genericPolar();
    p.clMax = 100;
    p.clMin = -100;
    p.cd0 = p.cd2Upper = p.cd2Lower = 0;
    p.reExp = 0;
    return p;
}

// No speed of sound to speak of: Mach 0.
Air incompressible() {
    Air a;
    a.speedOfSound = 1e12;
    return a;
}

TEST(TipLoss, OneFarFromTheTipZeroAtIt) {
    EXPECT_NEAR(prandtlTipLoss(2, 0.3, qDegreesToRadians(10)), 1.0, 1e-5);
    EXPECT_DOUBLE_EQ(prandtlTipLoss(2, 1.0, qDegreesToRadians(10)), 0.0);
    const double two = prandtlTipLoss(2, 0.9, qDegreesToRadians(10));
    EXPECT_GT(two, 0.0);
    EXPECT_LT(two, 1.0);
    EXPECT_GT(prandtlTipLoss(4, 0.9, qDegreesToRadians(10)), two); // more blades lose less
}

// The solution balances the blade element's lift against the momentum of its annulus:
// T' = 4 pi r rho F Vx (Vx - V) axially and Q' = 4 pi r^2 rho F Vx (Omega r - Vt) around.
TEST(Element, LiftBalancesTheMomentumOfTheAnnulus) {
    const Air air = incompressible();
    for (const double speed : {0.0, 5.0, 20.0}) {
        SCOPED_TRACE(speed);
        const ElementFlow f = element(speed);
        const ElementSolution s = solveElement(f, liftOnly(), air);
        ASSERT_TRUE(s.converged);
        const double vx = s.relativeSpeed * std::sin(s.phi);
        const double vt = s.relativeSpeed * std::cos(s.phi);
        const double annulus = 4 * kPi * f.r * air.density * s.tipLoss * vx;
        EXPECT_NEAR(s.thrustPerMetre, annulus * (vx - speed), 1e-7 * s.thrustPerMetre);
        EXPECT_NEAR(s.torquePerMetre, annulus * f.r * (f.omega * f.r - vt),
                    1e-7 * s.torquePerMetre);
        EXPECT_NEAR(s.alpha, f.beta - s.phi, 1e-15);
    }
}

// A lightly loaded element induces almost nothing: its load per chord tends to that of the
// undisturbed stream, 1/2 rho W0^2 B cl(beta - phi0) cos(phi0), phi0 = atan(V / (Omega r)).
TEST(Element, LightLoadingTendsToTheUndisturbedStream) {
    const Air air = incompressible();
    const ElementFlow light = element(20, 1e-6);
    const double phi0 = std::atan(light.speed / (light.omega * light.r));
    const double w0 = std::hypot(light.speed, light.omega * light.r);
    const Polar p = liftOnly();
    const double cl = p.cl0 + p.clAlpha * (light.beta - phi0);
    const ElementSolution s = solveElement(light, p, air);
    EXPECT_NEAR(s.phi, phi0, 1e-5);
    const double undisturbed = 0.5 * air.density * w0 * w0 * light.blades * cl * std::cos(phi0);
    EXPECT_NEAR(s.thrustPerMetre / light.chord, undisturbed, 1e-4 * undisturbed);
}

} // namespace
} // namespace bladetrace
