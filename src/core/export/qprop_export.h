#pragma once

#include "results/run_results.h"

#include <QByteArray>

namespace bladetrace {

// The folded blade as a QPROP propeller file: the run's blade count and the measured radius,
// generic section coefficients for the user to replace, and r, chord (metres) and beta
// (degrees) from hub to tip, without the station on the axis.
QByteArray qpropBytes(const RunResults& results);

} // namespace bladetrace
