#include "base/language.h"
#include "base/report_host.h"
#include "text/error_report.h"
#include "text/string_table.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

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

} // namespace
} // namespace bladetrace
