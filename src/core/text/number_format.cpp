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

// The locale's own reading first; a point where the user's separator is a comma second.
// Group separators would turn a German "0.185" into 185, so they are refused.
double readNumber(const QString& text, bool* ok) {
    QString trimmed = text.trimmed();
    // Some locales put the minus sign between direction marks (ps_AF: U+200E '-' U+200E),
    // which the locale's own reading does not take back.
    for (const char16_t mark : {u'\u200E', u'\u200F', u'\u061C'})
        trimmed.remove(QChar(mark));
    *ok = false;
    if (trimmed.isEmpty())
        return 0.0;
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    double value = locale.toDouble(trimmed, ok);
    if (!*ok && !std::isinf(value)) {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        value = c.toDouble(trimmed, ok);
    }
    return value;
}

} // namespace

std::optional<double> tryParseNumber(const QString& text) {
    bool ok = false;
    const double value = readNumber(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double parseNumber(const QString& text) {
    bool ok = false;
    const double value = readNumber(text, &ok);
    if (std::isinf(value))
        fail(errc::kOverflow);
    if (!ok || std::isnan(value))
        fail(errc::kTypeMismatch);
    return value;
}

} // namespace bladetrace
