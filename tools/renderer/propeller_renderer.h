#pragma once

#include "blade_definition.h"

#include <QImage>
#include <QtGlobal>

namespace bladetrace::render {

struct RenderOptions {
    double pixelsPerMetre = 10000; // the scanner's resolution, the same across and along
    int margin = 3;                // paper around the propeller, in pixels
    int oversample = 8;            // sub-columns per pixel column for the grey edges
    int paperGrey = 235;
    int bladeGrey = 30;
    double noise = 0; // standard deviation of the grey noise added to every pixel
    double blur = 0;  // standard deviation of a Gaussian blur in pixels, as an unsharp lens gives
    quint32 seed = 1; // the same seed gives the same noise
    // Turns the left blade about its axis line, as a mis-set blade of an adjustable propeller;
    // both blades are otherwise alike.
    double leftBladeOffsetDeg = 0;
};

// The two silhouettes, 32-bit RGB, the same width; column x covers [x, x + 1) in image
// coordinates, and the left tip (r = -R) lies at x = tipX, the right tip at
// tipX + diameter * pixelsPerMetre.
struct RenderedPair {
    QImage top;
    QImage side;
    double tipX = 0;
    double pixelsPerMetre = 0;
};

// Draws a two-bladed propeller as a flat-bed scan shows it (see the program's --help for
// the conventions). The blade must pass checkBlade() and the options must be positive.
RenderedPair renderPropeller(const BladeDefinition& blade, const RenderOptions& options);

} // namespace bladetrace::render
