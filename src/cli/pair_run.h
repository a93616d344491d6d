#pragma once

#include "batch_options.h"
#include "results/run_results.h"

#include <QString>

namespace bladetrace::cli {

// One pair measured as the options say, its files written; the exit status. The interrupt
// handler must be installed.
int runPair(const BatchOptions& options);

// The predicted performance as --performance writes it; fails with what is missing when the
// run has no prediction, so that no file is written.
QByteArray performanceBytes(const RunResults& results, bool imperial);

// "bladetrace-batch: TEXT" on standard error, file names byte for byte.
void printError(const QString& text);

} // namespace bladetrace::cli
