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

// The differences as a Markdown table, one row per reference station, and a one-line
// summary (mean and largest absolute difference) for the overview.
QString comparisonTable(const Comparison& c);
QString summaryRow(const QString& propeller, const Comparison& c);
QString summaryHeader();

} // namespace bladetrace::accuracy
