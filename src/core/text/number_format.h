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
// is understood, and so is a point where the user's separator is a comma, unless the point
// could as well part thousands (ambiguousNumber). The user's thousands separator is read
// between groups of three digits, where nothing else could be meant ("15,000" in the USA,
// "1.234,5" in Germany; any blank where the separator is a space); the C locale has none.
std::optional<double> tryParseNumber(const QString& text);

// The two readings of a text that tryParseNumber refuses because its point, where the user's
// decimal separator is a comma, could as well part thousands: "15.000" is 15 or 15000.
struct TwoReadings {
    double decimalPoint;
    double thousands;
};
std::optional<TwoReadings> ambiguousNumber(const QString& text);

// As tryParseNumber; a text that is no number, or an ambiguous one, fails with type
// mismatch (13), one beyond the range of a double with overflow (6).
double parseNumber(const QString& text);

} // namespace bladetrace
