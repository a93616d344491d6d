#include "text/error_report.h"

#include "text/string_table.h"

namespace bladetrace {

QString errorReportText(const AppError& error, const QString& sProcedure) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Error") + QString::number(error.number) + QLatin1Char(':') + crlf +
           crlf + error.description + QLatin1Char('.') + crlf + QStringLiteral("Issued by ") +
           sProcedure + QStringLiteral(" in ") + error.source + QLatin1Char('.');
}

void ErrorHandler(ReportHost& host, const AppError& error, const QString& sProcedure) {
    host.setBusyPointer(false);
    // A broken language number must not hide the report it is about to show.
    QString ready;
    try {
        ready = LoadLangResString(host.lLanguage(), str::kStatusReady);
    } catch (const Failure&) {
        ready = LoadLangResString(kEnglish, str::kStatusReady);
    }
    host.showStatus(ready);
    host.showMessage(errorReportText(error, sProcedure), MessageIcon::None, QString());
}

} // namespace bladetrace
