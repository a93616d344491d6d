#pragma once

#include "results/run_results.h"

#include <QByteArray>

namespace bladetrace {

enum class CsvStyle {
    Plain,    // commas and a decimal point, whatever the user's locale
    Regional, // semicolons and the user's decimal sign, which a spreadsheet set to a region
              // with a decimal comma splits into columns when the file is opened
};

// The folded blade as separated values, one line per station from hub to tip. Lengths in the
// run's units (metres or inches). The regional form starts with a byte order mark, so that
// a spreadsheet reads a regional sign beyond ASCII (U+2212) as UTF-8.
QByteArray csvBytes(const RunResults& results, CsvStyle style = CsvStyle::Plain);

} // namespace bladetrace
