#pragma once

#include "base/language.h"
#include "results/run_results.h"

#include <QString>
#include <vector>

namespace bladetrace {

// One line of a report's inputs: the window's caption for it and the value as given, with
// what the run made of it where that differs (a correction, a conversion to SI).
struct ReportInput {
    QString label;
    QString value;
    bool wide; // a file name: the whole width of the page
};

// The inputs of the run in the language of its window.
std::vector<ReportInput> reportInputs(const RunResults& results);

// What the prediction was made with: the blade count, the section's polar (QPROP's ten
// parameters, and whether it is the program's own) and the air, in the record's language.
std::vector<ReportInput> reportPerformanceInputs(const RunResults& results);

// A window caption as a label: without its access key, colon or trailing unit sign.
QString reportLabel(Language language, qint16 id);

} // namespace bladetrace
