#include "run/span_messages.h"

#include "text/number_format.h"
#include "text/string_table.h"

namespace bladetrace {
namespace {

// "Top = 512,Side = 509": no blank after the comma, as the message always read.
QString spansLine(qint32 lLanguage, int topSpan, int sideSpan) {
    return LoadLangResString(lLanguage, str::kMismatchTop) + QStringLiteral(" = ") +
           QString::number(topSpan) + QLatin1Char(',') +
           LoadLangResString(lLanguage, str::kMismatchSide) + QStringLiteral(" = ") +
           QString::number(sideSpan);
}

} // namespace

QString spanMismatchText(qint32 lLanguage, int topSpan, int sideSpan) {
    return LoadLangResString(lLanguage, str::kMismatch1) + kCrLf +
           LoadLangResString(lLanguage, str::kMismatch2) + kCrLf +
           spansLine(lLanguage, topSpan, sideSpan);
}

QString spansTooFarText(qint32 lLanguage, double difference, int topSpan, int sideSpan) {
    return LoadLangResString(lLanguage, str::kSpansDiffer).arg(formatFixed(100 * difference, 1)) +
           kCrLf + LoadLangResString(lLanguage, str::kNotSamePropeller) + kCrLf +
           LoadLangResString(lLanguage, str::kSameAtOtherScale) + kCrLf +
           spansLine(lLanguage, topSpan, sideSpan);
}

} // namespace bladetrace
