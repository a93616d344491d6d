#pragma once

#include "base/app_error.h"
#include "performance/polar.h"

#include <QString>
#include <optional>

namespace bladetrace {

// What a QPROP propeller file says before its geometry: its name, its blade count (and tip
// radius, if given), and the section's polar. The geometry that follows is not read: the
// blade is the measured one.
struct QpropPolarFile {
    QString name;
    int blades = 2;
    std::optional<double> tipRadius;
    Polar polar;
};

struct QpropPolarRead {
    QpropPolarFile file;
    // Number 0 when the file was read. Otherwise type mismatch (13) for a missing or bad
    // number, naming the line, or invalid argument (5) for a polar that cannot be used.
    AppError error;
    int line = 0;      // the line at fault, counted from 1; 0 when none
    QString offending; // the text that is not a number
};

// Reads the file's text as QPROP does: blank lines are skipped, a line starting with "#" is
// a comment, and on a value line "!" starts one. The first line is the name, then
// "Nblades [R]", "CL0 CL_a", "CLmin CLmax", "CD0 CD2u CD2l CLCD0" and "REref REexp";
// numbers beyond those a line needs are ignored, as QPROP does.
QpropPolarRead parseQpropPolar(const QString& text);

// The polar's value lines in the layout of the program's QPROP files, from "CL0 CL_a" to
// "REref REexp", each with its "!" comment and `note` after the field names when not empty.
// A value has at least the decimals of QPROP's generic polar (0.50, 5.8, 0.028, 70000) and
// as many more as it needs.
QString qpropPolarLines(const Polar& polar, const QString& note = {});

} // namespace bladetrace
