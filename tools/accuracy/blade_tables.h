#pragma once

#include <QString>
#include <vector>

namespace bladetrace::accuracy {

// Chord and blade angle over the relative radius, r/R increasing.
struct Distribution {
    std::vector<double> rR;
    std::vector<double> cOverR;
    std::vector<double> betaDeg;

    bool empty() const { return rR.empty(); }
};

// A published geometry file: a header line, then "r/R c/R beta" per line.
Distribution readPublished(const QString& fileName, QString& error);

// The blade table of the renderer: "r/R c/R beta t/c" per line, '#' comments.
Distribution readBladeTable(const QString& fileName, QString& error);

// The batch tool's --charts file: a header, then "No. r/R c/R beta H" per folded station,
// tip first.
Distribution readCharts(const QString& fileName, QString& error);

// Linear between the two neighbouring points; NaN outside the covered range.
double interpolate(const std::vector<double>& xs, const std::vector<double>& ys, double x);

} // namespace bladetrace::accuracy
