#include "support/env_guard.h"
#include "support/failure_of.h"
#include "support/locale_guard.h"
#include "support/test_files.h"
#include "text/number_format.h"

#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <gtest/gtest.h>
#include <optional>
#include <tuple>

namespace bladetrace {
namespace {

TEST(FormatFixed, PatternsRoundHalvesAsShownAwayFromZero) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {{100744.4, 0, "100744"},
                 {-92.49411, 4, "-92.4941"},
                 // 2.675 is 2.67499999... in binary; the user typed and sees 2.675.
                 {2.675, 2, "2.68"},
                 {-2.675, 2, "-2.68"},
                 {99.99995, 4, "100.0000"},
                 {-0.00001, 4, "0.0000"},
                 {-0.00005, 4, "-0.0001"},
                 {1.25e20, 0, "125000000000000000000"},
                 {6.5e-8, 7, "0.0000001"}};
    for (const auto& c : cases)
        EXPECT_EQ(formatFixed(c.value, c.decimals), c.text) << c.value;
}

// The C library's numbers change with the locale too, as they do for users: locales of their
// numbers alone are compiled for the test, over a character map of ASCII and the two Arabic
// signs, which compiles in an instant.
TEST(FormatFixed, UsesTheRegionalDecimalSignWhateverTheCLibrarysLocale) {
    QTemporaryDir dir;
    const testing::EnvGuard locales("LOCPATH", QFile::encodeName(dir.path()));
    const testing::LocaleGuard restored;
    QString charmap = "<code_set_name> UTF-8\n<mb_cur_min> 1\n<mb_cur_max> 2\nCHARMAP\n";
    for (int c = 0; c < 128; ++c)
        charmap += QString::asprintf("<U%04X> \\x%02x\n", c, c);
    testing::make(dir.filePath("charmap"),
                  (charmap + "<U066B> \\xd9\\xab\n<U066C> \\xd9\\xac\nEND CHARMAP\n").toUtf8());
    // ps_AF's decimal sign takes two bytes; Qt writes its minus between direction marks.
    for (const auto& [locale, decimal, group, sign, minus] :
         {std::tuple{"de_DE", "<U002C>", "<U002E>", ",", "-"},
          std::tuple{"ps_AF", "<U066B>", "<U066C>", "\u066B", "\u200E-\u200E"}}) {
        SCOPED_TRACE(locale);
        const QString name = QString::fromLatin1(locale) + ".UTF-8";
        testing::make(dir.filePath(locale), QStringLiteral("LC_NUMERIC\ndecimal_point \"%1\"\n"
                                                           "thousands_sep \"%2\"\ngrouping 3;3\n"
                                                           "END LC_NUMERIC\n")
                                                .arg(QLatin1String(decimal), QLatin1String(group))
                                                .toUtf8());
        // It warns of the categories left out.
        QProcess::execute("localedef", {"-c", "-i", dir.filePath(locale), "-f",
                                        dir.filePath("charmap"), dir.filePath(name)});
        ASSERT_NE(std::setlocale(LC_NUMERIC, name.toLatin1().constData()), nullptr);
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        const QString point = QString::fromUtf8(sign);
        EXPECT_EQ(formatFixed(0.185, 4), "0" + point + "1850");
        EXPECT_EQ(formatFixed(-1234.5, 1), QString::fromUtf8(minus) + "1234" + point + "5");
        EXPECT_EQ(formatFixed(0.5, 7, QLocale::c()), "0.5000000"); // the script's
        // A point is a decimal point too, never a thousands separator that makes 185 of it.
        for (const QString& typed : {"0" + point + "185", QString("0.185")})
            EXPECT_EQ(tryParseNumber(typed), 0.185) << typed;
        EXPECT_EQ(tryParseNumber(formatFixed(-1234.5, 1)), -1234.5);
        EXPECT_EQ(tryParseNumber("1" + point + "2" + point + "3"), std::nullopt);
    }
}

TEST(ParseNumber, ReadsWhatUsersTypeAndRefusesTheRest) {
    for (const auto& [text, value] : {std::pair{" 0.185 ", 0.185}, {"-1", -1.0}, {"1e3", 1000.0}})
        EXPECT_EQ(parseNumber(QString::fromLatin1(text)), value) << text;
    for (const char* text : {"", "  ", "abc", "1.2.3", "12abc", "nan"}) {
        EXPECT_EQ(testing::failureOf([&] { parseNumber(QString::fromLatin1(text)); }).number,
                  errc::kTypeMismatch)
            << text;
        EXPECT_FALSE(tryParseNumber(QString::fromLatin1(text)).has_value()) << text;
    }
    EXPECT_EQ(testing::failureOf([] { parseNumber("1e999"); }).number, errc::kOverflow);
}

// A number is read one way or refused: where a point may be the decimal sign the program
// accepts or the thousands separator, it is refused and both readings are told.
TEST(ParseNumber, GroupSeparatorsAreReadAsTheLocaleReadsThemOrRefusedAsAmbiguous) {
    const testing::LocaleGuard restored;
    struct Ambiguous {
        double decimalPoint, thousands;
    };
    const struct {
        const char* name;
        const char* locale;
        const char16_t* text;
        std::optional<double> read;
        std::optional<Ambiguous> ambiguous = std::nullopt;
    } rows[] = {
        {"de: decimal comma", "de_DE", u"1,5", 1.5},
        {"de: no thousand starts with 0", "de_DE", u"0.185", 0.185},
        {"de: 15 or 15000", "de_DE", u"15.000", std::nullopt, Ambiguous{15, 15000}},
        {"de: thousands and a decimal comma", "de_DE", u"1.234,5", 1234.5},
        {"en: thousands", "en_US", u"15,000", 15000.0},
        {"en: a point is the decimal sign", "en_US", u"15.000", 15.0},
        {"fr_CH: a point may part thousands too", "fr_CH", u"15.000", std::nullopt,
         Ambiguous{15, 15000}},
        {"de_CH: apostrophe", "de_CH", u"15\u2019000", 15000.0},
        {"C: no thousands separator", "C", u"15,000", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QLocale::setDefault(QLocale(QString::fromLatin1(row.locale)));
        const QString text = QString::fromUtf16(row.text);
        EXPECT_EQ(tryParseNumber(text), row.read);
        const std::optional<TwoReadings> two = ambiguousNumber(text);
        ASSERT_EQ(two.has_value(), row.ambiguous.has_value());
        if (two) {
            EXPECT_EQ(two->decimalPoint, row.ambiguous->decimalPoint);
            EXPECT_EQ(two->thousands, row.ambiguous->thousands);
        }
    }
    // The window's boxes: a type mismatch that tells both readings.
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    const AppError error = testing::failureOf([] { parseNumber(" 15.000 "); });
    EXPECT_EQ(error.number, errc::kTypeMismatch);
    EXPECT_EQ(error.description,
              "Type mismatch: \"15.000\" could be 15 or 15000; type it without a thousands "
              "separator");
}

TEST(FormatSignificant, SevenDigitsNoTrailingZeros) {
    // More digits: the chart values' test.
    EXPECT_EQ(formatSignificant(0.5, 7), "0.5");
    EXPECT_EQ(formatGeneral(0.1850), "0.185");
    EXPECT_EQ(formatGeneral(50.0), "50");
    const testing::LocaleGuard german(QLocale::German); // no groups
    EXPECT_EQ(formatSignificant(1234.5, 7), "1234,5");
}

} // namespace
} // namespace bladetrace
