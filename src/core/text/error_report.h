#pragma once

#include "base/app_error.h"
#include "base/report_host.h"

namespace bladetrace {

// "Error53:" CR LF CR LF description "." CR LF "Issued by " procedure " in " source ".";
// a description that ends a sentence itself gets no second full stop.
QString errorReportText(const AppError& error, const QString& sProcedure);

// The program's one error report: default pointer, status "Ready.", then the message box.
void ErrorHandler(ReportHost& host, const AppError& error, const QString& sProcedure);

} // namespace bladetrace
