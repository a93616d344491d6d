#pragma once

#include <QString>
#include <vector>

namespace bladetrace::render {

// The renderer draws the truth, so it uses the exact circle constant.
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// One row of a blade table.
struct BladeRow {
    double rOverR = 0;           // relative radius r/R
    double cOverR = 0;           // chord over tip radius
    double betaDeg = 0;          // blade angle from the plane of rotation, degrees
    double thicknessPercent = 0; // largest thickness in percent of the chord
};

// A straight blade: every section's pivot point lies on one radial line through the axis.
struct BladeDefinition {
    std::vector<BladeRow> rows; // strictly increasing r/R, at least one row
    double diameter = 0.2;      // metres, tip to tip
    double pivot = 0.25;        // fraction of the chord, from the leading edge, on the axis line
    double hubRadius = 0;       // metres; the hub is a cylinder around the propeller axis
    double hubLength = 0;       // metres along the axis; 0 makes it as long as its radius

    double radius() const { return diameter / 2.0; }
};

// The blade's section at one radius: chord in metres, angle in radians, thickness as a
// fraction of the chord.
struct Section {
    double chord = 0;
    double beta = 0;
    double thickness = 0;
};

// Linear between rows; below the first row the first row's section, above the last the last.
Section sectionAt(const BladeDefinition& blade, double rOverR);

// Reads rows of four numbers "r/R c/R beta t/c"; blank lines, lines starting with '#' and a
// header line of words are skipped. Returns an empty text, or what is wrong and where.
QString parseBladeTable(const QString& text, std::vector<BladeRow>& rows);

// An empty text when the definition can be drawn, otherwise the reason it cannot.
QString checkBlade(const BladeDefinition& blade);

} // namespace bladetrace::render
