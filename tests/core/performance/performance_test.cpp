#include "performance/performance.h"
#include "text/units.h"

#include <cmath>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// A published 10 x 7 in electric propeller's blade (r/R, c/R, beta in degrees).
const BladeSection kTable[] = {{0.15, 0.138, 37.86}, {0.20, 0.154, 45.82}, {0.25, 0.175, 44.19},
                               {0.30, 0.190, 38.35}, {0.35, 0.198, 33.64}, {0.40, 0.202, 29.90},
                               {0.45, 0.200, 27.02}, {0.50, 0.195, 24.67}, {0.55, 0.186, 22.62},
                               {0.60, 0.174, 20.88}, {0.65, 0.161, 19.36}, {0.70, 0.145, 17.98},
                               {0.75, 0.129, 16.74}, {0.80, 0.112, 15.79}, {0.85, 0.096, 14.64},
                               {0.90, 0.081, 13.86}, {0.95, 0.061, 12.72}, {1.00, 0.040, 11.53}};

PerformanceInputs tenBySeven() {
    PerformanceInputs in;
    in.blade.assign(std::begin(kTable), std::end(kTable));
    in.tipRadius = 0.127;
    return in;
}

// The same shape at any size and speed: no Reynolds or Mach number effects.
PerformanceInputs scaleFree(PerformanceInputs in) {
    in.polar.reExp = 0;
    in.polar.liftReExp = 0;
    in.air.speedOfSound = 1e12;
    return in;
}

// Without lift the static propeller gives no thrust and takes the profile drag's power:
// P = 1/2 rho Omega^3 B c cd0 (R^4 - r0^4) / 4 for a constant chord from r0 = 0.15 R.
TEST(Performance, ZeroLiftTakesTheProfileDragPower) {
    PerformanceInputs in = scaleFree(tenBySeven());
    in.blade = {{0.0, 0.1, 20}, {1.0, 0.1, 20}};
    in.polar.cl0 = in.polar.clAlpha = in.polar.clAtMinDrag = 0;
    in.polar.cd0 = 0.02;
    const double rpm = 6000, omega = rpm * 2 * kPi / 60, R = in.tipRadius;
    const PerformancePoint p = operatingPoint(in, rpm, 0);
    const double expected = 0.5 * in.air.density * std::pow(omega, 3) * 2 * 0.1 * R * 0.02 *
                            (std::pow(R, 4) - std::pow(0.15 * R, 4)) / 4;
    EXPECT_NEAR(p.thrust, 0.0, 1e-12);
    EXPECT_NEAR(p.power, expected, 1e-3 * expected);
    EXPECT_NEAR(p.torque * omega, p.power, 1e-8 * p.power);
}

// Dimensionless coefficients: the same at twice the size and twice the RPM, and the static
// point is the limit of small advance ratios.
TEST(Performance, CoefficientsFollowSimilarityAndTheStaticLimit) {
    const PerformanceInputs small = scaleFree(tenBySeven());
    PerformanceInputs large = small;
    large.tipRadius *= 2;
    const PerformancePoint a = advanceRatioPoint(small, 4000, 0.4);
    const PerformancePoint b = advanceRatioPoint(large, 8000, 0.4);
    EXPECT_NEAR(b.CT, a.CT, 1e-9);
    EXPECT_NEAR(b.CP, a.CP, 1e-9);
    EXPECT_NEAR(b.thrust, a.thrust * 64, 1e-6 * b.thrust); // n^2 D^4
    EXPECT_NEAR(a.eta, 0.4 * a.CT / a.CP, 1e-12);

    const PerformancePoint still = advanceRatioPoint(small, 4000, 0);
    const PerformancePoint creeping = advanceRatioPoint(small, 4000, 1e-7);
    EXPECT_NEAR(creeping.CT, still.CT, 1e-6 * still.CT);
    EXPECT_NEAR(creeping.CP, still.CP, 1e-6 * still.CP);
    EXPECT_EQ(still.eta, 0.0);

    const PerformancePoint at = operatingPoint(small, 4000, 10);
    EXPECT_NEAR(at.J, 10 / (4000 / 60.0 * 0.254), 1e-12);
    EXPECT_DOUBLE_EQ(at.CT, advanceRatioPoint(small, 4000, at.J).CT);
}

// From J = 0 in steps of 0.01 until the thrust turns negative; on a blade that does not
// stall the thrust falls all the way. Every element converges, at any RPM, with three
// blades and with very wide ones.
TEST(Performance, CurveFromStaticToNegativeThrust) {
    PerformanceInputs unstalled = tenBySeven();
    unstalled.polar.clMax = 10;
    const std::vector<PerformancePoint> curve = performanceCurve(unstalled, 5000);
    ASSERT_GT(curve.size(), 50u);
    EXPECT_EQ(curve.front().J, 0.0);
    EXPECT_LT(curve.back().thrust, 0.0);
    for (std::size_t i = 1; i < curve.size(); ++i) {
        SCOPED_TRACE(curve[i].J);
        EXPECT_NEAR(curve[i].J - curve[i - 1].J, kAdvanceRatioStep, 1e-12);
        EXPECT_LT(curve[i].thrust, curve[i - 1].thrust);
        EXPECT_GE(curve[i - 1].thrust, 0.0);
    }

    PerformanceInputs wide = tenBySeven();
    for (BladeSection& s : wide.blade)
        s.cR *= 3;
    for (const auto& [name, inputs, blades] :
         {std::tuple{"10x7", tenBySeven(), 2}, std::tuple{"10x7", tenBySeven(), 3},
          std::tuple{"three times as wide", wide, 2}})
        for (const double rpm : {1000.0, 6000.0, 20000.0}) {
            PerformanceInputs in = inputs;
            in.blades = blades;
            SCOPED_TRACE(::testing::Message() << name << ", " << blades << " blades, " << rpm);
            const std::vector<PerformancePoint> c = performanceCurve(in, rpm);
            ASSERT_FALSE(c.empty());
            EXPECT_LT(c.back().thrust, 0.0);
            for (const PerformancePoint& p : c)
                EXPECT_TRUE(p.converged) << "J " << p.J;
        }
}

// What lies inboard of r/R 0.15 is hub: it does not count. A tip extrapolated to a chord
// below zero has none where it is below zero.
TEST(Performance, TheHubAndANegativeTipChordDoNotCount) {
    const double plain = advanceRatioPoint(tenBySeven(), 5000, 0.3).CT;
    PerformanceInputs withHub = tenBySeven();
    withHub.blade.insert(withHub.blade.begin(), {{0.0, 0.5, 80}, {0.1, 0.5, 80}});
    EXPECT_DOUBLE_EQ(advanceRatioPoint(withHub, 5000, 0.3).CT, plain);

    PerformanceInputs negativeTip = tenBySeven(), zeroFromCrossing = tenBySeven();
    negativeTip.blade.back().cR = -0.01;
    // The chord 0.061 at r/R 0.95 falls linearly to -0.01 at the tip: zero at 0.95 + 0.05 *
    // 0.061 / 0.071, the blade angle there on its line from 12.72 to 11.53 degrees.
    const double crossing = 0.95 + 0.05 * 0.061 / 0.071;
    zeroFromCrossing.blade.back() = {crossing, 0, 12.72 + (crossing - 0.95) / 0.05 * -1.19};
    zeroFromCrossing.blade.push_back({1.0, 0, 11.53});
    const PerformancePoint negative = advanceRatioPoint(negativeTip, 5000, 0.3);
    EXPECT_TRUE(negative.converged);
    EXPECT_NEAR(negative.CT, advanceRatioPoint(zeroFromCrossing, 5000, 0.3).CT, 1e-9);
}

TEST(Performance, UnusableInputsAreNamed) {
    EXPECT_EQ(performanceProblem(tenBySeven(), 5000), QString());
    const struct {
        const char* name;
        void (*spoil)(PerformanceInputs&);
        double rpm;
    } rows[] = {
        {"no RPM", [](PerformanceInputs&) {}, 0},
        {"no diameter", [](PerformanceInputs& in) { in.tipRadius = 0; }, 5000},
        {"no blades", [](PerformanceInputs& in) { in.blades = 0; }, 5000},
        {"one station", [](PerformanceInputs& in) { in.blade.resize(1); }, 5000},
        {"stations out of order",
         [](PerformanceInputs& in) { std::swap(in.blade[3], in.blade[4]); }, 5000},
        {"beyond the tip", [](PerformanceInputs& in) { in.blade.back().rR = 1.2; }, 5000},
        {"no air", [](PerformanceInputs& in) { in.air.density = 0; }, 5000},
        {"unusable polar", [](PerformanceInputs& in) { in.polar.reRef = -1; }, 5000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PerformanceInputs in = tenBySeven();
        row.spoil(in);
        EXPECT_NE(performanceProblem(in, row.rpm), QString());
        EXPECT_TRUE(performanceCurve(in, row.rpm).empty());
        EXPECT_FALSE(operatingPoint(in, row.rpm, 10).converged);
    }
}

} // namespace
} // namespace bladetrace
