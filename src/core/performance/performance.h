#pragma once

#include "performance/blade_element.h"
#include "performance/polar.h"

#include <QString>
#include <vector>

namespace bladetrace {

// The blade's shape at one radius: relative radius r/R, chord c/R, blade angle in degrees.
struct BladeSection {
    double rR = 0;
    double cR = 0;
    double betaDeg = 0;
};

// What the prediction needs: the folded blade (hub to tip, r/R increasing), the tip radius,
// the blade count, the air and the section's polar.
struct PerformanceInputs {
    std::vector<BladeSection> blade;
    double tipRadius = 0; // R, metres
    int blades = 2;
    Air air;
    Polar polar = defaultPolar();
};

// The blade is loaded from here to the tip: inboard, most propellers are hub.
constexpr double kRootRR = 0.15;
// Elements over that span, closer together towards the tip, where the load changes fastest.
constexpr int kElements = 40;
// The advance ratio's step along a curve.
constexpr double kAdvanceRatioStep = 0.01;

// The propeller at one advance ratio, coefficients as the UIUC data define them (n in
// revolutions per second, D = 2R): CT = T / (rho n^2 D^4), CP = P / (rho n^3 D^5),
// eta = J CT / CP.
struct PerformancePoint {
    double J = 0;     // V / (n D)
    double speed = 0; // V, m/s
    double CT = 0;
    double CP = 0;
    double eta = 0;
    double thrust = 0;     // N
    double power = 0;      // W
    double torque = 0;     // N m
    bool converged = true; // every element's inflow angle was found
};

// One element of the integration and its solution.
struct LoadedElement {
    double rR = 0;    // the element's middle
    double width = 0; // metres
    ElementSolution solution;
};

// Empty when the prediction can be made; otherwise what is wrong, in words.
QString performanceProblem(const PerformanceInputs& inputs, double rpm);

// The elements of the blade at `rpm` and flight speed `speed` (m/s), root to tip.
std::vector<LoadedElement> loadedElements(const PerformanceInputs& inputs, double rpm,
                                          double speed);

// The propeller at `rpm` and flight speed `speed` (m/s).
PerformancePoint operatingPoint(const PerformanceInputs& inputs, double rpm, double speed);

// The propeller at `rpm` and advance ratio J.
PerformancePoint advanceRatioPoint(const PerformanceInputs& inputs, double rpm, double J);

// J = 0 (static), step, 2 step, ... up to and with the first point whose thrust is below
// zero; at most `maxPoints` points. Empty when performanceProblem() finds a problem.
std::vector<PerformancePoint> performanceCurve(const PerformanceInputs& inputs, double rpm,
                                               double step = kAdvanceRatioStep,
                                               int maxPoints = 1000);

} // namespace bladetrace
