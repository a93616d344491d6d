#include "text/number_format.h"

#include "base/app_error.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <vector>

namespace bladetrace {
namespace {

constexpr int kShownDigits = 15;

// Digits of |value| at kShownDigits significant digits, with the power of ten of the first.
struct Decimal {
    char digits[kShownDigits];
    int exponent;
};

// Never through the C library's locale, whose decimal sign may be any text ("٫" takes two
// bytes): "d.dddddddddddddde±x" always.
Decimal toDecimal(double magnitude) {
    char buf[40];
    const auto end = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                                   kShownDigits - 1)
                         .ptr;
    Decimal d{};
    d.digits[0] = buf[0];
    for (int i = 1; i < kShownDigits; ++i)
        d.digits[i] = buf[i + 1];              // skip the point
    const char* sign = buf + kShownDigits + 2; // from_chars reads no '+'
    std::from_chars(sign + 1, end, d.exponent);
    if (*sign == '-')
        d.exponent = -d.exponent;
    return d;
}

} // namespace

QString formatFixed(double value, int decimals, const QLocale& locale) {
    if (!std::isfinite(value))
        return locale.toString(value);
    const Decimal dec = toDecimal(std::fabs(value));
    const auto digitAt = [&dec](int place) {
        const int i = dec.exponent - place;
        return (i >= 0 && i < kShownDigits) ? dec.digits[i] - '0' : 0;
    };

    const int hi = std::max(dec.exponent, 0);
    const int lo = -decimals;
    std::vector<int> kept(std::size_t(hi - lo + 1));
    for (int place = hi; place >= lo; --place)
        kept[std::size_t(hi - place)] = digitAt(place);
    if (digitAt(lo - 1) >= 5) {
        auto it = kept.rbegin();
        for (; it != kept.rend() && ++*it == 10; ++it)
            *it = 0;
        if (it == kept.rend())
            kept.insert(kept.begin(), 1);
    }

    QString text;
    bool allZero = true;
    const std::size_t integerDigits = kept.size() - std::size_t(decimals);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i == integerDigits)
            text += locale.decimalPoint();
        text += QLatin1Char(char('0' + kept[i]));
        allZero = allZero && kept[i] == 0;
    }
    // A value that rounds to zero is shown as zero, not as "-0.00".
    if (value < 0 && !allZero)
        text.prepend(locale.negativeSign());
    return text;
}

QString formatSignificant(double value, int digits) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', digits);
}

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F);
}

// `text` without its thousands separators when it is a whole number in groups of three
// digits parted by them, maybe followed by `decimal` and digits: "1.234,5" gives "1234,5".
// Empty otherwise; a first group of 0 is none ("0.185" is no thousand).
template <typename IsSeparator>
QString ungrouped(const QString& text, IsSeparator isSeparator, const QString& decimal) {
    const auto digit = [&text](int i) {
        return i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9');
    };
    int i = 0;
    if (!text.isEmpty() &&
        (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+') || text[0] == QChar(0x2212)))
        ++i;
    const int first = i;
    while (digit(i))
        ++i;
    if (i == first || i - first > 3 || text[first] == QLatin1Char('0'))
        return {};
    QString plain = text.left(i);
    int groups = 0;
    for (; i < text.size() && isSeparator(text[i]) && digit(i + 1) && digit(i + 2) && digit(i + 3);
         i += 4, ++groups)
        plain += QStringView(text).mid(i + 1, 3);
    const QStringView rest = QStringView(text).mid(i);
    if (groups == 0 || (!rest.isEmpty() && !rest.startsWith(decimal)))
        return {};
    for (int d = int(decimal.size()); d < rest.size(); ++d) {
        if (!digit(i + d))
            return {};
    }
    return rest.size() == decimal.size() ? QString() : plain + rest.toString();
}

struct Reading {
    double value = 0; // infinite where the text is a number beyond a double's range
    bool ok = false;  // a finite number, or infinity
    std::optional<TwoReadings> ambiguous;
};

// The locale's own reading first; then a point where the user's separator is a comma, unless
// it could part thousands; then the locale's thousands separator between groups of three.
// Qt's reading of groups would make 185 of a German "0.185", so groups are read here.
Reading readNumber(const QString& text) {
    QString trimmed = text.trimmed();
    // Some locales put the minus sign between direction marks (ps_AF: U+200E '-' U+200E),
    // which the locale's own reading does not take back.
    for (const char16_t mark : {u'\u200E', u'\u200F', u'\u061C'})
        trimmed.remove(QChar(mark));
    if (trimmed.isEmpty())
        return {};
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    double value = locale.toDouble(trimmed, &ok);
    if (ok || std::isinf(value))
        return {value, ok, std::nullopt};
    if (locale.decimalPoint() != QLatin1String(".")) {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        value = c.toDouble(trimmed, &ok);
        if (ok || std::isinf(value)) {
            const QString thousands = ungrouped(
                trimmed, [](QChar ch) { return ch == QLatin1Char('.'); }, locale.decimalPoint());
            if (thousands.isEmpty())
                return {value, ok, std::nullopt};
            return {0, false, TwoReadings{value, locale.toDouble(thousands)}};
        }
    }
    const QString group = locale.groupSeparator();
    if (locale.language() == QLocale::C || group.size() != 1)
        return {};
    // Where the separator is a blank of some width, any blank parts the thousands.
    const bool blank = isBlank(group[0]);
    const QString plain = ungrouped(
        trimmed, [&](QChar ch) { return blank ? isBlank(ch) : ch == group[0]; },
        locale.decimalPoint());
    if (plain.isEmpty())
        return {};
    value = locale.toDouble(plain, &ok);
    return {value, ok || std::isinf(value), std::nullopt};
}

} // namespace

std::optional<double> tryParseNumber(const QString& text) {
    const Reading r = readNumber(text);
    if (!r.ok || !std::isfinite(r.value))
        return std::nullopt;
    return r.value;
}

std::optional<TwoReadings> ambiguousNumber(const QString& text) {
    return readNumber(text).ambiguous;
}

double parseNumber(const QString& text) {
    const Reading r = readNumber(text);
    if (r.ambiguous)
        fail(errc::kTypeMismatch,
             QStringLiteral("Type mismatch: \"%1\" could be %2 or %3; type it without a "
                            "thousands separator")
                 .arg(text.trimmed(), formatGeneral(r.ambiguous->decimalPoint),
                      formatGeneral(r.ambiguous->thousands)));
    if (std::isinf(r.value))
        fail(errc::kOverflow);
    if (!r.ok || std::isnan(r.value))
        fail(errc::kTypeMismatch);
    return r.value;
}

} // namespace bladetrace
