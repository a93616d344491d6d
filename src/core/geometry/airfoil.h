#pragma once

#include "base/report_host.h"

class QIODevice;

namespace bladetrace {

// Builds the blade section at one station: the base airfoil at the station's thickness
// (linear in |r/R| from dRootPercent at the axis to dTipPercent at the tip), turned to the
// blade angle corrected for that thickness, scaled by dCR and moved by dX0 and dZ0. Writes
// the section as one "_Curve " ... "_Enter" command to `script` and returns the corrected
// angle and chord in dBeta and dCR. A failure is reported as "Airfoil()" and leaves dBeta,
// dCR and the script unchanged; the result says whether the section was written.
bool Airfoil(float rR, float& dBeta, float& dCR, float dX0, float dZ0, float dRootPercent,
             float dTipPercent, QIODevice& script, ReportHost& host);

} // namespace bladetrace
