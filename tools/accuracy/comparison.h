#pragma once

#include "blade_tables.h"

#include <QString>
#include <QStringList>

namespace bladetrace::accuracy {

// One measurement compared with a reference table at the reference's stations.
struct Comparison {
    QString label;          // the measurement's name in the tables
    Distribution reference; // the published or designed blade
    Distribution measured;  // the charted values of the run
    QStringList notes;      // how the pair was prepared and run
};

// Mean and largest absolute difference over the reference stations the measurement covers.
struct Deviation {
    int stations = 0;
    double chordMean = 0, chordMax = 0, betaMean = 0, betaMax = 0; // c/R; degrees
    double betaSigned = 0; // mean of the signed differences: positive when measured high
};
Deviation deviation(const Comparison& c);

// The differences as a Markdown table, one row per reference station, and a one-line
// summary (mean and largest absolute difference) for the overview.
QString comparisonTable(const Comparison& c);
QString summaryRow(const QString& propeller, const Comparison& c);
QString summaryHeader();

// Fixed decimals, "–" for a value that is not a number.
QString fixed(double v, int decimals);

} // namespace bladetrace::accuracy
