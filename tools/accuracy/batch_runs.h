#pragma once

#include "blade_tables.h"

#include <QString>
#include <QStringList>

namespace bladetrace::accuracy {

// One run of the batch tool and what it left: its exit status, the lines it wrote on
// standard error (the toolkit's own warnings left out), and the charts file's values.
struct BatchRun {
    int exitCode = -1;
    QStringList messages;
    Distribution measured; // empty unless the run completed

    bool completed() const { return exitCode == 0 && !measured.empty(); }
};

// Chord and angle do not depend on the speeds; any positive values do.
QStringList measurementArguments(const QString& top, const QString& side, double diameter);

// Runs `batch` with the arguments and "--charts FILE"; numbers in the C locale.
BatchRun runBatch(const QString& batch, QStringList arguments, const QString& chartsFile);

// The arguments as a user would type them, file names only, quoted where they hold blanks.
QString commandLine(QStringList arguments);

} // namespace bladetrace::accuracy
