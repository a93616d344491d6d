#include "base/checked_math.h"
#include "support/failure_of.h"
#include "text/error_report.h"
#include "text/number_format.h"
#include "text/string_table.h"
#include "text/units.h"

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <cfloat>
#include <clocale>
#include <gtest/gtest.h>
#include <optional>
#include <tuple>

namespace bladetrace {
namespace {

TEST(StringTable, LooksUpByLanguageAndEntry) {
    EXPECT_EQ(LoadLangResString(languageNumber(Language::English), str::kCaption), "Bladetrace");
    EXPECT_EQ(LoadLangResString(languageNumber(Language::German), 0), "----------DEUTSCH---------");
    // The texts are kept verbatim, double blanks and umlauts included.
    EXPECT_EQ(LoadLangResString(languageNumber(Language::English), str::kMustBePositive),
              "must be larger than ZERO!  Assuming default of 1.0.");
    EXPECT_EQ(LoadLangResString(languageNumber(Language::German), str::kWhiteThreshold),
              QString::fromUtf8("Weißabgleich:"));
    EXPECT_EQ(resourceString(2028)->left(32),
              QString::fromUtf8("Diese Bilder können können durch"));
    // Added features' texts follow the same numbering, past the original entries.
    EXPECT_EQ(LoadLangResString(languageNumber(Language::German), str::kMatchSpans),
              "Spannweiten angleichen");
    EXPECT_EQ(resourceString(1000 + str::kSave), QString::fromUtf8("Save…"));
}

TEST(StringTable, EveryEntryExistsInBothLanguagesAndNothingBeyond) {
    for (qint32 language : {languageNumber(Language::English), languageNumber(Language::German)}) {
        for (qint16 n = 0; n < kStringsPerLanguage; ++n)
            EXPECT_FALSE(LoadLangResString(language, n).isEmpty()) << language << " " << n;
    }
    for (qint32 id : {999, 1051, 1099, 1999, 2051, 3000, 0, -1})
        EXPECT_FALSE(resourceString(id).has_value()) << id;
}

TEST(StringTable, LookupOutsideTheTableIsAnErrorValue) {
    const AppError error = testing::failureOf([] { LoadLangResString(3, 41); });
    EXPECT_TRUE(error.description.contains(QStringLiteral("3041")));
    const auto failure = [](qint32 language, qint16 id) {
        return testing::failureOf([=] { LoadLangResString(language, id); }).number;
    };
    // 1000 * -2147484 + 352 is the smallest whole number a lookup can name.
    EXPECT_EQ((QList<qint32>{error.number, failure(languageNumber(Language::English), 51),
                             failure(languageNumber(Language::German), -1), failure(2147483, 1000),
                             failure(-2147484, 352)}),
              (QList<qint32>{errc::kResourceNotFound, errc::kResourceNotFound,
                             errc::kResourceNotFound, errc::kOverflow, errc::kResourceNotFound}));
}

struct ReportRecorder : ReportHost {
    qint32 language = languageNumber(Language::English);
    QStringList events;
    qint32 lLanguage() const override { return language; }
    void setBusyPointer(bool busy) override { events << (busy ? "busy" : "default pointer"); }
    void showStatus(const QString& text) override { events << "status " + text; }
    void showMessage(const QString& text, MessageIcon icon, const QString& title) override {
        events << QStringLiteral("message[%1|%2] %3")
                      .arg(icon == MessageIcon::None ? "no icon" : "icon", title, text);
    }
};

TEST(ErrorReport, ResetsPointerAndStatusBeforeTheMessage) {
    ReportRecorder host;
    host.language = languageNumber(Language::German);
    ErrorHandler(host, makeError(errc::kDivisionByZero), QStringLiteral("DoIt()"));
    EXPECT_EQ(host.events, (QStringList{"default pointer", "status Bereit.",
                                        "message[no icon|] Error11:\r\n\r\nDivision by zero.\r\n"
                                        "Issued by DoIt() in Bladetrace."}));
}

// A description that is a whole sentence keeps its one full stop.
TEST(ErrorReport, EndsTheDescriptionWithOneFullStop) {
    const struct {
        const char* name;
        QString description;
        QString line; // the report's third line
    } cases[] = {
        {"classic wording", QString(), "Division by zero."},
        {"a sentence", "Cannot save a.doc: unknown file type; use .csv or .pdf.",
         "Cannot save a.doc: unknown file type; use .csv or .pdf."},
        {"a question", "Is it there?", "Is it there?"},
        {"ends in a bracket", "Path/File access error: a (denied)",
         "Path/File access error: a (denied)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList lines =
            errorReportText(makeError(errc::kDivisionByZero, c.description), "btnSave_Click()")
                .split(kCrLf);
        ASSERT_EQ(lines.size(), 4);
        EXPECT_EQ(lines[2], c.line);
    }
}

TEST(ErrorReport, StillReportsWhenTheLanguageIsBroken) {
    ReportRecorder host;
    host.language = 7;
    ErrorHandler(host, makeError(errc::kOverflow), QStringLiteral("Form_Load()"));
    ASSERT_EQ(host.events.size(), 3);
    EXPECT_EQ(host.events[1], "status Ready.");
}

TEST(FormatFixed, PatternsRoundHalvesAsShownAwayFromZero) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {{100744.4, 0, "100744"},
                 {-92.49411, 4, "-92.4941"},
                 {12, 4, "12.0000"},
                 {0, 0, "0"},
                 // 2.675 is 2.67499999... in binary; the user typed and sees 2.675.
                 {2.675, 2, "2.68"},
                 {-2.675, 2, "-2.68"},
                 {0.5, 0, "1"},
                 {99.99995, 4, "100.0000"},
                 {999.5, 0, "1000"},
                 {-0.00001, 4, "0.0000"},
                 {-0.00005, 4, "-0.0001"},
                 {1.25e20, 0, "125000000000000000000"},
                 {3.2e-9, 7, "0.0000000"},
                 {6.5e-8, 7, "0.0000001"}};
    for (const auto& c : cases)
        EXPECT_EQ(formatFixed(c.value, c.decimals), c.text) << c.value;
}

void writeText(const QString& path, const QString& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

// The C library's numbers change with the locale too, as they do for users: locales of their
// numbers alone are compiled for the test, over a character map of ASCII and the two Arabic
// signs, which compiles in an instant.
TEST(FormatFixed, UsesTheRegionalDecimalSignWhateverTheCLibrarysLocale) {
    QTemporaryDir dir;
    qputenv("LOCPATH", QFile::encodeName(dir.path()));
    QString charmap = "<code_set_name> UTF-8\n<mb_cur_min> 1\n<mb_cur_max> 2\nCHARMAP\n";
    for (int c = 0; c < 128; ++c)
        charmap += QString::asprintf("<U%04X> \\x%02x\n", c, c);
    writeText(dir.filePath("charmap"),
              charmap + "<U066B> \\xd9\\xab\n<U066C> \\xd9\\xac\nEND CHARMAP\n");
    // ps_AF's decimal sign takes two bytes; Qt writes its minus between direction marks.
    for (const auto& [locale, decimal, group, sign, minus] :
         {std::tuple{"de_DE", "<U002C>", "<U002E>", ",", "-"},
          std::tuple{"ps_AF", "<U066B>", "<U066C>", "\u066B", "\u200E-\u200E"}}) {
        const QString name = QString::fromLatin1(locale) + ".UTF-8";
        writeText(dir.filePath(locale), QStringLiteral("LC_NUMERIC\ndecimal_point \"%1\"\n"
                                                       "thousands_sep \"%2\"\ngrouping 3;3\n"
                                                       "END LC_NUMERIC\n")
                                            .arg(QLatin1String(decimal), QLatin1String(group)));
        // It warns of the categories left out.
        QProcess::execute("localedef", {"-c", "-i", dir.filePath(locale), "-f",
                                        dir.filePath("charmap"), dir.filePath(name)});
        ASSERT_NE(std::setlocale(LC_NUMERIC, name.toLatin1().constData()), nullptr);
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        const QString point = QString::fromUtf8(sign);
        EXPECT_EQ(formatFixed(0.185, 4), "0" + point + "1850") << locale;
        EXPECT_EQ(formatFixed(-1234.5, 1),
                  QString::fromUtf8(minus) + "1234" + point + "5");          // no groups
        EXPECT_EQ(formatFixed(0.5, 7, QLocale::c()), "0.5000000") << locale; // the script's
        // A point is a decimal point too, never a thousands separator that makes 185 of it.
        for (const QString& typed : {"0" + point + "185", QString("0.185")})
            EXPECT_EQ(tryParseNumber(typed), 0.185) << locale << " " << typed.toStdString();
        EXPECT_EQ(tryParseNumber(formatFixed(-1234.5, 1)), -1234.5) << locale;
        EXPECT_EQ(tryParseNumber("1" + point + "2" + point + "3"), std::nullopt) << locale;
    }
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
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
    EXPECT_EQ(testing::failureOf([] { toSingle(-1e39); }).number, errc::kOverflow);
    EXPECT_EQ(toSingle(-double(FLT_MAX)), -FLT_MAX); // the largest float still fits
    EXPECT_EQ(testing::failureOf([] { checkedDivide(1, 0); }).number, errc::kDivisionByZero);
}

// A number is read one way or refused: where a point may be the decimal sign the program
// accepts or the thousands separator, it is refused and both readings are told.
TEST(ParseNumber, GroupSeparatorsAreReadAsTheLocaleReadsThemOrRefusedAsAmbiguous) {
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
        {"de: negative", "de_DE", u"-1.500", std::nullopt, Ambiguous{-1.5, -1500}},
        {"de: thousands and a decimal comma", "de_DE", u"1.234,5", 1234.5},
        {"de: a group of four", "de_DE", u"1.2345,5", std::nullopt},
        {"en: thousands", "en_US", u"15,000", 15000.0},
        {"en: no thousand starts with 0", "en_US", u"0,185", std::nullopt},
        {"en: a point is the decimal sign", "en_US", u"15.000", 15.0},
        {"fr_CH: plain blank", "fr_CH", u"15 000", 15000.0},
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
    QLocale::setDefault(QLocale::c());
}

TEST(FormatSignificant, SevenDigitsNoTrailingZeros) {
    // More digits: the chart values' test.
    EXPECT_EQ((QStringList{formatSignificant(0.5, 7), formatGeneral(0.1850), formatGeneral(50.0)}),
              (QStringList{"0.5", "0.185", "50"}));
    QLocale::setDefault(QLocale::German); // no groups
    EXPECT_EQ(formatSignificant(1234.5, 7), "1234,5");
    QLocale::setDefault(QLocale::c());
}

// Each switch shows what it rounded to, so a round trip keeps the rounding; a box without a
// number is left as it is.
TEST(UnitSwitch, RoundTripsAccumulateTheShownRounding) {
    const struct {
        const char *diameter, *velocity;
        int language;
        QStringList imperial, metric;
    } cases[] = {
        {"0.185",
         "50",
         languageNumber(Language::English),
         {"7.283", "111.85"},
         {"0.1850", "50.00"}},
        {"1", "1", languageNumber(Language::German), {"39.370", "2.24"}, {"1.0000", "1.00"}},
        {"", "fast", languageNumber(Language::English), {"", "fast"}, {"", "fast"}}};
    for (const auto& c : cases) {
        const UnitBoxes imperial = switchUnits(true, c.diameter, c.velocity, c.language);
        const UnitBoxes metric =
            switchUnits(false, imperial.diameter, imperial.velocity, c.language);
        EXPECT_EQ((QStringList{imperial.diameter, imperial.velocity, imperial.diameterUnit,
                               imperial.velocityUnit}),
                  (c.imperial + QStringList{"[inch]", "[mph]"}));
        EXPECT_EQ((QStringList{metric.diameter, metric.velocity, metric.diameterUnit,
                               metric.velocityUnit}),
                  (c.metric + QStringList{"[m]", "[m/s]"}));
    }
}

} // namespace
} // namespace bladetrace
