#pragma once

#include "run/run_host.h"

#include <functional>

namespace bladetrace {

enum class RunOutcome {
    Completed,  // sheet, script and charts are the new results
    Aborted,    // Escape during the scans
    Mismatch,   // the two spans differ by more than two columns (or, matching spans, by 15 %)
    ScanFailed, // a view could not be scaled; already reported as "DoIt()"
    Refused,    // the views cannot be measured: one file given twice, or a blade cut off by
                // the picture's top or bottom edge
    Failed,     // reported as "CalcIt()"
};

// Turns a file name into a picture ready to scan; fails with the error value.
using PictureLoader = std::function<ScanHolder(const QString& fileName)>;

// One analysis run, from reading the inputs to the charts. Never throws: every failure is
// reported through the host's error report and ends the run. The pictures come from
// `loader` (by default the image files, decoded, so that the marks can be shown).
RunOutcome CalcIt(const RunHost& host, const PictureLoader& loader);
RunOutcome CalcIt(const RunHost& host);

} // namespace bladetrace
