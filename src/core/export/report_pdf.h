#pragma once

#include "results/run_results.h"

#include <QByteArray>

namespace bladetrace {

// The report as an A4 PDF document. Its text needs the fonts of a QGuiApplication (the
// offscreen platform will do); without one it fails with 5.
QByteArray reportPdf(const RunResults& results);

} // namespace bladetrace
