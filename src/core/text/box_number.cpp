#include "text/box_number.h"

#include "base/app_error.h"
#include "text/number_format.h"
#include "text/string_table.h"

namespace bladetrace {

double parseBoxNumber(const QString& text, qint32 lLanguage, qint16 boxName) {
    try {
        return parseNumber(text);
    } catch (const Failure& failure) {
        if (failure.error().number != errc::kTypeMismatch)
            throw;
        fail(errc::kTypeMismatch,
             classicDescription(errc::kTypeMismatch) + QLatin1Char('.') + kCrLf +
                 LoadLangResString(lLanguage, str::kNotANumber)
                     .arg(LoadLangResString(lLanguage, boxName), text.trimmed()));
    }
}

} // namespace bladetrace
