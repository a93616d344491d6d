#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace bladetrace {

// The patterns "0", "0.00", "0.000", "0.0000", "0.0000000": at least one digit before the
// user's decimal separator and exactly `decimals` after it. The number is taken at the 15
// significant digits a user sees and rounded half away from zero, so 2.675 gives "2.68".
// `locale` defaults to the user's.
QString formatFixed(double value, int decimals, const QLocale& locale = QLocale());

// At most `digits` significant digits, no trailing zeros, in the user's format.
QString formatSignificant(double value, int digits);

// The general format of stored numbers: up to 15 significant digits, no trailing zeros.
inline QString formatGeneral(double value) {
    return formatSignificant(value, 15);
}

// A text as the user typed it: blanks around it are ignored, the user's decimal separator
// is understood, and so is a point where the user's separator is a comma. Nothing else.
std::optional<double> tryParseNumber(const QString& text);

// As tryParseNumber; a text that is no number fails with type mismatch (13), one beyond
// the range of a double with overflow (6).
double parseNumber(const QString& text);

} // namespace bladetrace
