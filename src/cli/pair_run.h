#pragma once

#include "batch_options.h"

#include <QString>

namespace bladetrace::cli {

// One pair measured as the options say, its files written; the exit status. The interrupt
// handler must be installed.
int runPair(const BatchOptions& options);

// "bladetrace-batch: TEXT" on standard error, file names byte for byte.
void printError(const QString& text);

} // namespace bladetrace::cli
