#pragma once

#include <QString>

namespace bladetrace {

// A blade section's lift and drag in QPROP's parameters. Angles in radians.
struct Polar {
    double cl0 = 0;         // CL0: lift at zero angle of attack
    double clAlpha = 0;     // CL_a: lift slope per radian
    double clMin = 0;       // CLmin
    double clMax = 0;       // CLmax
    double cd0 = 0;         // CD0: the least profile drag ...
    double cd2Upper = 0;    // CD2u: ... rising with (CL - CLCD0)^2 above CLCD0
    double cd2Lower = 0;    // CD2l: ... and below it
    double clAtMinDrag = 0; // CLCD0
    double reRef = 0;       // REref: the Reynolds number the drag is given at
    double reExp = 0;       // REexp: drag scales with (Re / REref)^REexp
    // Not one of QPROP's: below REref the linear lift scales with (Re / REref)^liftReExp.
    double liftReExp = 0;
};

bool operator==(const Polar& a, const Polar& b);
inline bool operator!=(const Polar& a, const Polar& b) {
    return !(a == b);
}

// QPROP's generic coefficients, which a user replaces with the section's own.
Polar genericPolar();

// The program's default: the generic polar refitted to the development propellers'
// wind-tunnel tests (docs/accuracy.md, "Performance").
Polar defaultPolar();

// Empty when the polar can be used; otherwise what is wrong with it, in words.
QString polarProblem(const Polar& polar);

struct SectionCoefficients {
    double cl = 0;
    double cd = 0;
    bool stalled = false; // the lift is held at CLmax or CLmin
};

// Lift and drag at an angle of attack (radians), a Reynolds number and a Mach number.
// The linear lift CL0 + CL_a alpha falls below REref with (Re / REref)^liftReExp, is
// corrected for compressibility (Prandtl-Glauert), and is held at CLmax or CLmin beyond
// them, where the drag rises towards a flat plate's.
SectionCoefficients sectionCoefficients(const Polar& polar, double alpha, double reynolds,
                                        double mach);

// The lift alone, as sectionCoefficients gives it, in two steps: the factor on the linear
// lift at a Reynolds and Mach number, and the lift with that factor, held at the limits.
double liftFactor(const Polar& polar, double reynolds, double mach);
double heldLift(const Polar& polar, double alpha, double factor);

} // namespace bladetrace
