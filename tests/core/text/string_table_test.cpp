#include "support/failure_of.h"
#include "text/error_report.h"
#include "text/string_table.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

TEST(StringTable, LooksUpByLanguageAndEntry) {
    EXPECT_EQ(LoadLangResString(kEnglish, str::kCaption), "Bladetrace");
    EXPECT_EQ(LoadLangResString(kGerman, 0), "----------DEUTSCH---------");
    // The texts are kept verbatim, double blanks and umlauts included.
    EXPECT_EQ(LoadLangResString(kEnglish, str::kMustBePositive),
              "must be larger than ZERO!  Assuming default of 1.0.");
    EXPECT_EQ(LoadLangResString(kGerman, str::kWhiteThreshold), QString::fromUtf8("Weißabgleich:"));
    EXPECT_EQ(resourceString(2028)->left(32),
              QString::fromUtf8("Diese Bilder können können durch"));
    // Added features' texts follow the same numbering, past the original entries.
    EXPECT_EQ(LoadLangResString(kGerman, str::kMatchSpans), "Spannweiten angleichen");
    EXPECT_EQ(resourceString(1000 + str::kSave), QString::fromUtf8("Save…"));
}

TEST(StringTable, EveryEntryExistsInBothLanguagesAndNothingBeyond) {
    for (qint32 language : {kEnglish, kGerman}) {
        for (qint16 n = 0; n < kStringsPerLanguage; ++n)
            EXPECT_FALSE(LoadLangResString(language, n).isEmpty()) << language << " " << n;
    }
    for (qint32 id : {999, 1051, 1099, 1999, 2051, 3000, 0, -1})
        EXPECT_FALSE(resourceString(id).has_value()) << id;
}

TEST(StringTable, LookupOutsideTheTableIsAnErrorValue) {
    const AppError error = testing::failureOf([] { LoadLangResString(3, 41); });
    EXPECT_EQ(error.number, errc::kResourceNotFound);
    EXPECT_TRUE(error.description.contains(QStringLiteral("3041")));
    EXPECT_EQ(testing::failureOf([] { LoadLangResString(kEnglish, 51); }).number,
              errc::kResourceNotFound);
    EXPECT_EQ(testing::failureOf([] { LoadLangResString(kGerman, -1); }).number,
              errc::kResourceNotFound);
    EXPECT_EQ(testing::failureOf([] { LoadLangResString(2147483, 1000); }).number, errc::kOverflow);
    // 1000 * -2147484 + 352 is the smallest whole number a lookup can name.
    EXPECT_EQ(testing::failureOf([] { LoadLangResString(-2147484, 352); }).number,
              errc::kResourceNotFound);
}

struct ReportRecorder : ReportHost {
    qint32 language = kEnglish;
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
    host.language = kGerman;
    ErrorHandler(host, makeError(errc::kDivisionByZero), QStringLiteral("DoIt()"));
    ASSERT_EQ(host.events.size(), 3);
    EXPECT_EQ(host.events[0], "default pointer");
    EXPECT_EQ(host.events[1], "status Bereit.");
    EXPECT_EQ(host.events[2], "message[no icon|] Error11:\r\n\r\nDivision by zero.\r\n"
                              "Issued by DoIt() in Bladetrace.");
}

TEST(ErrorReport, StillReportsWhenTheLanguageIsBroken) {
    ReportRecorder host;
    host.language = 7;
    ErrorHandler(host, makeError(errc::kOverflow), QStringLiteral("Form_Load()"));
    ASSERT_EQ(host.events.size(), 3);
    EXPECT_EQ(host.events[1], "status Ready.");
}

} // namespace
} // namespace bladetrace
