#include "text/error_report.h"

#include "text/string_table.h"

namespace bladetrace {

QString errorReportText(const AppError& error, const QString& sProcedure) {
    // The program's own longer descriptions are whole sentences with their full stop.
    const bool ended = error.description.endsWith(QLatin1Char('.')) ||
                       error.description.endsWith(QLatin1Char('!')) ||
                       error.description.endsWith(QLatin1Char('?'));
    return QStringLiteral("Error") + QString::number(error.number) + QLatin1Char(':') + kCrLf +
           kCrLf + error.description + (ended ? QString() : QStringLiteral(".")) + kCrLf +
           QStringLiteral("Issued by ") + sProcedure + QStringLiteral(" in ") + error.source +
           QLatin1Char('.');
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
