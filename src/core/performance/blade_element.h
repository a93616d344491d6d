#pragma once

#include "performance/polar.h"

namespace bladetrace {

// The air the propeller turns in; the defaults are the standard atmosphere at sea level
// (15 °C).
struct Air {
    double density = 1.225;              // kg/m^3
    double kinematicViscosity = 1.46e-5; // m^2/s (1.789e-5 Pa s / 1.225 kg/m^3)
    double speedOfSound = 340.3;         // m/s
};

// One blade element of a propeller: where it is, its section, and how it moves.
struct ElementFlow {
    double r = 0;         // radius, metres
    double chord = 0;     // metres
    double beta = 0;      // blade angle to the plane of rotation, radians
    double tipRadius = 0; // R, metres
    int blades = 2;
    double speed = 0; // flight speed V, m/s
    double omega = 0; // rotation rate, rad/s
};

// The element's solved flow and its loads per metre of radius (all blades together).
struct ElementSolution {
    double phi = 0;   // inflow angle to the plane of rotation, radians
    double alpha = 0; // angle of attack beta - phi
    double cl = 0;
    double cd = 0;
    double reynolds = 0;
    double mach = 0;
    double tipLoss = 1;        // Prandtl's factor F
    double relativeSpeed = 0;  // W, m/s, induced velocities included
    double thrustPerMetre = 0; // N/m
    double torquePerMetre = 0; // N m/m
    bool stalled = false;
    bool converged = false; // the inflow angle solves the element's equations
};

// Prandtl's tip-loss factor F = 2/pi acos(exp(-f)), f = B/2 (1 - r/R) / (r/R |sin phi|):
// 1 far inboard, 0 at the tip.
double prandtlTipLoss(int blades, double rR, double phi);

// Solves the element for its inflow angle: blade-element forces balanced against the
// momentum of a ring of the stream tube, with the tip loss. The angle is bracketed and found
// by Brent's method, so the solution does not depend on a starting guess and is found in the
// static case and at high solidity.
ElementSolution solveElement(const ElementFlow& flow, const Polar& polar, const Air& air);

} // namespace bladetrace
