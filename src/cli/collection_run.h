#pragma once

#include "batch_options.h"

namespace bladetrace::cli {

// Measures every pair that `options.collection` names into `options.outDir`, each by a run
// of this program in a process of its own, `options.jobs` at once; keeps the summary and
// the pairs' record there after each pair. The exit status: 0 every pair measured, 2 bad
// usage, 4 a pair failed or the summary could not be written, 130 or 143 interrupted.
int runCollection(const BatchOptions& options);

// The cores this process may run on.
int availableCores();

} // namespace bladetrace::cli
