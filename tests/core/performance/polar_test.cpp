#include "performance/polar.h"
#include "support/polar_printer.h"

#include <QtMath>
#include <cmath>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// Reynolds and Mach effects off: the polar's own numbers at REref and Mach 0.
Polar plainPolar() {
    Polar p = genericPolar();
    p.liftReExp = 0.2;
    return p;
}

TEST(Polar, LinearLiftAndQuadraticDragBelowStall) {
    const Polar p = plainPolar();
    const SectionCoefficients s = sectionCoefficients(p, qDegreesToRadians(4), p.reRef, 0);
    EXPECT_NEAR(s.cl, 0.50 + 5.8 * qDegreesToRadians(4), 1e-12);
    EXPECT_FALSE(s.stalled);
    EXPECT_NEAR(s.cd, 0.028 + 0.050 * std::pow(s.cl - 0.5, 2), 1e-12);
    const SectionCoefficients low = sectionCoefficients(p, -qDegreesToRadians(6), p.reRef, 0);
    EXPECT_NEAR(low.cd, 0.028 + 0.020 * std::pow(low.cl - 0.5, 2), 1e-12);
}

// Beyond CLmax and CLmin the lift is held and the drag keeps rising.
TEST(Polar, StallHoldsTheLiftAndRaisesTheDrag) {
    const Polar p = plainPolar();
    const double stallAngle = (p.clMax - p.cl0) / p.clAlpha;
    double previous = sectionCoefficients(p, stallAngle, p.reRef, 0).cd;
    for (const double past : {2.0, 10.0, 30.0, 60.0}) {
        SCOPED_TRACE(past);
        const SectionCoefficients s =
            sectionCoefficients(p, stallAngle + qDegreesToRadians(past), p.reRef, 0);
        EXPECT_TRUE(s.stalled);
        EXPECT_DOUBLE_EQ(s.cl, p.clMax);
        EXPECT_GT(s.cd, previous);
        previous = s.cd;
    }
    const SectionCoefficients negative = sectionCoefficients(p, -qDegreesToRadians(40), p.reRef, 0);
    EXPECT_DOUBLE_EQ(negative.cl, p.clMin);
    EXPECT_GT(negative.cd, 0.3);
}

TEST(Polar, ReynoldsAndMachNumbers) {
    const Polar p = plainPolar();
    const double alpha = qDegreesToRadians(2);
    const double linear = p.cl0 + p.clAlpha * alpha;
    // Drag scales both ways with (Re / REref)^REexp (at zero lift, which no factor moves);
    // the lift falls below REref only.
    const double zeroLift = -p.cl0 / p.clAlpha;
    const double cdAtRef = sectionCoefficients(p, zeroLift, p.reRef, 0).cd;
    EXPECT_NEAR(sectionCoefficients(p, zeroLift, p.reRef / 4, 0).cd / cdAtRef,
                std::pow(0.25, p.reExp), 1e-12);
    EXPECT_NEAR(sectionCoefficients(p, zeroLift, p.reRef * 4, 0).cd / cdAtRef,
                std::pow(4.0, p.reExp), 1e-12);
    EXPECT_NEAR(sectionCoefficients(p, alpha, p.reRef / 4, 0).cl, linear * std::pow(0.25, 0.2),
                1e-12);
    EXPECT_NEAR(sectionCoefficients(p, alpha, p.reRef * 4, 0).cl, linear, 1e-12);
    // Prandtl-Glauert: 1 / sqrt(1 - 0.6^2) = 1.25.
    EXPECT_NEAR(sectionCoefficients(p, alpha, p.reRef, 0.6).cl, 1.25 * linear, 1e-12);
}

TEST(Polar, ProblemsAreNamed) {
    EXPECT_EQ(polarProblem(genericPolar()), QString());
    EXPECT_EQ(polarProblem(defaultPolar()), QString());
    const struct {
        const char* name;
        double Polar::*field;
        double value;
    } rows[] = {{"lift falling with the angle", &Polar::clAlpha, -1},
                {"CLmin above CLmax", &Polar::clMin, 1.5},
                {"negative drag", &Polar::cd0, -0.01},
                {"no reference Reynolds number", &Polar::reRef, 0},
                {"not a number", &Polar::cl0, std::nan("")}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Polar p = genericPolar();
        p.*row.field = row.value;
        EXPECT_NE(polarProblem(p), QString());
    }
}

// A polar equals another only in all its parameters: the QPROP file marks a default by it.
TEST(Polar, EqualInEveryParameter) {
    EXPECT_EQ(genericPolar(), genericPolar());
    EXPECT_NE(genericPolar(), defaultPolar());
    double Polar::*const fields[] = {&Polar::cl0,      &Polar::clAlpha,     &Polar::clMin,
                                     &Polar::clMax,    &Polar::cd0,         &Polar::cd2Upper,
                                     &Polar::cd2Lower, &Polar::clAtMinDrag, &Polar::reRef,
                                     &Polar::reExp,    &Polar::liftReExp};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        Polar other = genericPolar();
        other.*fields[i] += 0.001;
        EXPECT_NE(other, genericPolar()) << "field " << i;
    }
}

} // namespace
} // namespace bladetrace
