#pragma once

#include "run/run_host.h"

namespace bladetrace {

enum class RunOutcome {
    Completed,  // sheet, script and charts are the new results
    Aborted,    // Escape during the scans
    Mismatch,   // the two spans differ by more than two columns
    ScanFailed, // a view could not be scaled; already reported as "DoIt()"
    Failed,     // reported as "CalcIt()"
};

// One analysis run, from reading the inputs to the charts. Never throws: every failure is
// reported through the host's error report and ends the run.
RunOutcome CalcIt(RunHost& host);

} // namespace bladetrace
