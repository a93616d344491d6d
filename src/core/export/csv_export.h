#pragma once

#include "results/run_results.h"

#include <QByteArray>

namespace bladetrace {

// The folded blade as comma-separated values, one line per station from hub to tip, with a
// decimal point whatever the user's locale. Lengths in the run's units (metres or inches).
QByteArray csvBytes(const RunResults& results);

} // namespace bladetrace
