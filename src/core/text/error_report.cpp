#include "text/error_report.h"

#include "text/string_table.h"

namespace bladetrace {

QString errorReportText(const AppError& error, const QString& sProcedure) {
    return QStringLiteral("Error") + QString::number(error.number) + QLatin1Char(':') + kCrLf +
           kCrLf + error.description + QLatin1Char('.') + kCrLf + QStringLiteral("Issued by ") +
           sProcedure + QStringLiteral(" in ") + error.source + QLatin1Char('.');
}

void ErrorHandler(ReportHost& host, const AppError& error, const QString& sProcedure) {
    host.setBusyPointer(false);
    // A broken language number must not hide the report it is about to show.
    QString ready;
    try {
        ready = LoadLangResString(host.lLanguage(), str::kStatusReady);
    } catch (const Failure&) {
        ready = LoadLangResString(Language::English, str::kStatusReady);
    }
    host.showStatus(ready);
    host.showMessage(errorReportText(error, sProcedure), MessageIcon::None, QString());
}

} // namespace bladetrace
