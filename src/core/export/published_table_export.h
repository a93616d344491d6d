#pragma once

#include "results/run_results.h"

#include <QByteArray>

namespace bladetrace {

// The folded blade as propeller data sites publish geometry: a header line, then r/R and
// c/R to four decimals and the blade angle in degrees to two, from hub to tip.
QByteArray publishedTableBytes(const RunResults& results);

} // namespace bladetrace
