#include "run/calc_it.h"
#include "scan/picture_loader.h"
#include "support/painted_blades.h"
#include "support/recording_host.h"
#include "support/test_files.h"
#include "text/number_format.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

namespace bladetrace {
namespace {

using testing::paintBand;
using testing::RecordingHost;
using testing::saveImage;

// A pair whose spans are `topColumns` and `sideColumns` wide (400 unless a test says
// otherwise); heights 2:1, so every station has a blade angle of atan(1/2).
class CalcItTest : public ::testing::Test {
protected:
    void SetUp() override { usePair(400, 400); }
    void usePair(int topColumns, int sideColumns) {
        host.topFile = saveImage(paintBand(topColumns + 20, 60, 10, 10 + topColumns - 1, 10, 50),
                                 dir.path(), "top.bmp");
        host.sideFile = saveImage(paintBand(sideColumns + 20, 40, 10, 10 + sideColumns - 1, 10, 30),
                                  dir.path(), "side.bmp");
    }

    QTemporaryDir dir;
    RecordingHost host;
};

TEST_F(CalcItTest, CompleteRunShowsStatusesRowsScriptAndCharts) {
    host.thickness = true;
    EXPECT_EQ(CalcIt(host.host()), RunOutcome::Completed);
    EXPECT_EQ(host.statuses,
              (QStringList{"Working...", "Working on Top View ...", "Working on Side View...",
                           "Working on geometry...", "Ready."}));
    EXPECT_EQ(host.messages.size(), 0u);
    EXPECT_EQ(host.notes, QStringList());
    EXPECT_FALSE(host.busy);
    EXPECT_FALSE(host.previewVisible);
    EXPECT_EQ(host.clipboard.count("_Curve "), 22);
    EXPECT_EQ(host.columnsScanned, 420 + 420 + 2);
    ASSERT_EQ(host.rows.size(), 42);
    ASSERT_EQ(host.charts.size(), 1u);
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_TRUE(host.results[0].topPicture.isNull()) << "made though not asked for";
    // 40 pixel rows over 0.185 m / 399 columns: c = 40 * 0.185 / 399 m.
    EXPECT_EQ(host.rows[10].section('\t', 4, 5), "18.5464\t26.5651");
}

// What a completed run hands over for saving: what it showed, every input as typed and as
// used, and, for an output that may save a report, small copies of the views as loaded, before
// the scan marks them.
TEST_F(CalcItTest, TheRecordHoldsWhatTheRunShowedAndItsInputs) {
    host.threshold = 100;
    host.diameter = "0.2";
    host.rpm = "12000";
    host.velocity = "40";
    host.thickness = true;
    host.rootThickness = "18";
    host.tipThickness = "9";
    host.language = languageNumber(Language::German);
    host.reportPictures = true;
    ASSERT_EQ(CalcIt(host.host()), RunOutcome::Completed);
    ASSERT_EQ(host.results.size(), 1u);
    const RunResults& r = host.results[0];
    EXPECT_EQ(r.topPicture, QImage(host.topFile).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(r.sidePicture, QImage(host.sideFile).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(r.language, Language::German);
    EXPECT_TRUE(r.completed.isValid()); // the report's date
    EXPECT_FALSE(r.imperial);
    EXPECT_EQ(r.sheetHeader, host.header);
    QStringList rows;
    for (const QStringList& cells : r.sheetRows)
        rows << cells.join('\t');
    EXPECT_EQ(rows, host.rows);
    ASSERT_EQ(host.charts.size(), 1u);
    for (const std::size_t c : {kChordChart, kBetaChart, kPitchChart})
        EXPECT_EQ(r.charts[c].y, host.charts[0][c].y) << r.charts[c].key;
    const ResultInputs& in = r.inputs;
    EXPECT_EQ(in.topFile, host.topFile);
    EXPECT_EQ(in.sideFile, host.sideFile);
    EXPECT_EQ(in.threshold, 100);
    EXPECT_FALSE(in.autoThreshold);
    EXPECT_FALSE(in.spanMatching);
    EXPECT_EQ(in.diameterText, "0.2");
    EXPECT_EQ(in.rpmText, "12000");
    EXPECT_EQ(in.velocityText, "40");
    EXPECT_FLOAT_EQ(in.diameter, 0.2f);
    EXPECT_DOUBLE_EQ(in.revolutionsPerSecond, 200.0);
    EXPECT_DOUBLE_EQ(in.speed, 40.0);
    EXPECT_FALSE(in.diameterCorrected);
    EXPECT_FALSE(in.rpmCorrected);
    EXPECT_FALSE(in.imperialInputs);
    EXPECT_TRUE(in.thicknessCorrection);
    EXPECT_EQ(in.rootThicknessText, "18");
    EXPECT_EQ(in.tipThicknessText, "9");
}

// A suggested threshold and matched spans: the run measures the prepared views and says what
// it did once, at the end.
TEST_F(CalcItTest, PreparedViewsAreNotedOnce) {
    usePair(400, 410);
    struct : RecordingHost {
        bool matchSpans() override { return true; }
        bool autoThreshold() override { return true; }
    } prepared;
    prepared.topFile = host.topFile;
    prepared.sideFile = host.sideFile;
    EXPECT_EQ(CalcIt(prepared.host()), RunOutcome::Completed);
    EXPECT_EQ(prepared.notes, QStringList{"threshold 127; top view scaled by 1.0251"});
    ASSERT_EQ(prepared.results.size(), 1u);
    const ResultInputs& used = prepared.results[0].inputs; // for the report
    EXPECT_EQ(used.threshold, 127);
    EXPECT_TRUE(used.autoThreshold);
    EXPECT_TRUE(used.spanMatching);
}

// Matching spans further apart than allowed, the run asks: Yes measures with the shorter
// view scaled up, No stops without another word; with nobody to ask the refusal is said. A
// larger allowance takes them without a question.
TEST_F(CalcItTest, SpansTooFarApartAreMatchedWhenTheUserSaysTheyShowOnePropeller) {
    usePair(400, 472); // spans 399 and 471: 18.0 % apart
    const struct {
        const char* name;
        std::optional<bool> answer;
        double allowed;
        RunOutcome outcome;
        int questions, messages;
    } cases[] = {
        {"asked, yes", true, 0.15, RunOutcome::Completed, 1, 0},
        {"asked, no", false, 0.15, RunOutcome::Mismatch, 1, 0},
        {"nobody to ask", std::nullopt, 0.15, RunOutcome::Mismatch, 1, 1},
        {"allowed 20 %", std::nullopt, 0.20, RunOutcome::Completed, 0, 0},
    };
    host.spanMatching = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.answer = c.answer;
        host.spanDifference = c.allowed;
        host.questions.clear();
        host.messages.clear();
        host.notes.clear();
        host.results.clear();
        EXPECT_EQ(CalcIt(host.host()), c.outcome);
        EXPECT_EQ(host.questions.size(), c.questions);
        if (!host.questions.isEmpty()) {
            EXPECT_EQ(host.questions[0],
                      "The spans differ by 18.0 %. Do both images show the same propeller?");
        }
        ASSERT_EQ(int(host.messages.size()), c.messages);
        if (c.messages > 0) {
            EXPECT_TRUE(
                host.messages[0].text.startsWith("The spans of the two views differ by 18.0 %."))
                << host.messages[0].text;
        }
        if (c.outcome != RunOutcome::Completed) {
            EXPECT_TRUE(host.results.empty());
            continue;
        }
        // Measured as one span, 471 columns: 41 stations; the report knows how.
        ASSERT_EQ(host.results.size(), 1u);
        EXPECT_EQ(host.notes, QStringList{"top view scaled by 1.1805"});
        EXPECT_EQ(host.results[0].inputs.scaledView, ScaledView::Top);
        EXPECT_NEAR(host.results[0].inputs.spanScale, 1.1805, 5e-5);
        EXPECT_EQ(host.rows.size(), 41);
    }
}

// A box that holds no number ends the run with the error report, which names the box and
// its text in the run's language.
TEST_F(CalcItTest, ATextThatIsNoNumberNamesItsBox) {
    const struct {
        const char* name;
        Language language;
        QString RecordingHost::*box;
        const char* typed;
        const char* line; // the report's fourth
    } cases[] = {
        {"diameter", Language::English, &RecordingHost::diameter, "big",
         "Diameter: \"big\" is not a number."},
        {"RPM, German", Language::German, &RecordingHost::rpm, " schnell ",
         "Drehzahl: \u201eschnell\u201c ist keine Zahl."},
        {"flight speed", Language::English, &RecordingHost::velocity, "fifty",
         "Flight Speed: \"fifty\" is not a number."},
        {"root thickness, German", Language::German, &RecordingHost::rootThickness, "dick",
         "Dicke an der Wurzel: \u201edick\u201c ist keine Zahl."},
        {"tip thickness, empty", Language::English, &RecordingHost::tipThickness, "",
         "Thickness at the tip: \"\" is not a number."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingHost typed;
        typed.topFile = host.topFile;
        typed.sideFile = host.sideFile;
        typed.language = languageNumber(c.language);
        typed.thickness = true;
        typed.*c.box = QString::fromUtf8(c.typed);
        EXPECT_EQ(CalcIt(typed.host()), RunOutcome::Failed);
        ASSERT_EQ(typed.messages.size(), 1u);
        const QStringList lines = typed.messages[0].text.split("\r\n");
        ASSERT_EQ(lines.size(), 5) << typed.messages[0].text;
        EXPECT_EQ(lines[0], "Error13:");
        EXPECT_EQ(lines[3], QString::fromUtf8(c.line));
    }
}

TEST_F(CalcItTest, SpansTwoColumnsApartPassThreeDoNot) {
    usePair(500, 502);
    EXPECT_EQ(CalcIt(host.host()), RunOutcome::Completed);
    const QStringList previous = host.rows;

    usePair(500, 503);
    EXPECT_EQ(CalcIt(host.host()), RunOutcome::Mismatch);
    ASSERT_EQ(host.messages.size(), 1u);
    const RecordingHost::Message& m = host.messages[0];
    EXPECT_EQ(m.text, "Images of top and side view do not match in diameter.\r\n"
                      "Rescan with same size, better contrast or adjust threshold.\r\n"
                      "Diameter: top view = 499,side view = 502");
    EXPECT_EQ(m.icon, MessageIcon::None);
    EXPECT_EQ(m.title, QString());
    EXPECT_EQ(host.rows, previous); // the sheet was not prepared again
    EXPECT_EQ(host.sheetPreparations, 1);
    EXPECT_EQ(host.statuses.back(), "Ready.");
}

TEST_F(CalcItTest, EscapeDuringTheTopViewAbortsBothScans) {
    host.language = languageNumber(Language::German);
    // Pressed while the scan strip shows the scan.
    host.onColumn = [this](int x) { host.abort = host.abort || (x == 100 && host.previewVisible); };
    EXPECT_EQ(CalcIt(host.host()), RunOutcome::Aborted);
    EXPECT_EQ(host.columnsScanned, 101); // the side view returns at its first column
    ASSERT_EQ(host.messages.size(), 1u);
    const RecordingHost::Message& m = host.messages[0];
    EXPECT_EQ(m.text, QString::fromUtf8("Bearbeitung abgebrochen (Escape wurde gedrückt)"));
    EXPECT_EQ(m.icon, MessageIcon::Critical);
    EXPECT_EQ(m.title, "Vorgang Abgebrochen");
    EXPECT_EQ(host.sheetPreparations, 0);
    EXPECT_EQ(host.statuses.mid(2), (QStringList{"Bearbeite Seitenansicht", "Bereit."}));
}

TEST_F(CalcItTest, NonPositiveInputsAreCorrectedWithAMessage) {
    host.diameter = "0";
    host.rpm = "-5";
    EXPECT_EQ(CalcIt(host.host()), RunOutcome::Completed);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text,
              "Diameter must be larger than ZERO!  Assuming default of 1.0.");
    EXPECT_EQ(host.messages[1].text, "RPM must be larger than ZERO!  Assuming default of 1.0.");
    EXPECT_EQ(host.messages[1].icon, MessageIcon::Critical);
    EXPECT_EQ(host.messages[1].title, "Process cancelled");
    EXPECT_EQ(host.rows.front().section('\t', 3, 3), "-500.0000"); // r of a 1 m propeller
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_TRUE(host.results[0].inputs.diameterCorrected);
    EXPECT_TRUE(host.results[0].inputs.rpmCorrected);
    EXPECT_FLOAT_EQ(host.results[0].inputs.diameter, 1.0f);
    EXPECT_DOUBLE_EQ(host.results[0].inputs.revolutionsPerSecond, 1.0);
    host.messages.clear();
    host.rpm = "30"; // below one revolution a second, still above zero
    EXPECT_EQ(CalcIt(host.host()), RunOutcome::Completed);
    EXPECT_EQ(host.messages.size(), 1u); // the diameter's alone
}

TEST_F(CalcItTest, ImperialInputsAreConvertedOnceAtTheStart) {
    host.diameter = "7.283";
    host.velocity = "100";
    int reads = 0;
    // Imperial at the start only: the rows then show the converted metres as millimetres.
    host.imperialAt = [&reads] { return ++reads == 1; };
    EXPECT_EQ(CalcIt(host.host()), RunOutcome::Completed);
    EXPECT_EQ(host.rows.front().section('\t', 3, 3), "-92.4941"); // 0.1849882 m / 2
    const double speed = 44.70401;                                // 100 mph in m/s
    const double ma = std::sqrt(std::pow(0.0924941 * 250 * 6.283185314, 2) + speed * speed) / 340;
    EXPECT_EQ(host.rows.front().section('\t', 8, 8), formatFixed(ma, 2));
    // The record's converted inputs: the report inputs' imperial run.
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_FALSE(host.results[0].imperial); // the units box as the charts read it
}

// A blade that reaches the picture's top or bottom row may go on beyond it: the run refuses
// it, naming the view and the edge, unless at most a tenth of its columns do (a mount below
// the hub).
TEST_F(CalcItTest, ABladeCutOffByThePicturesEdgeIsRefusedAFewColumnsAreNoted) {
    const auto mounted = [](int columns) { // of the 400, down to the bottom row
        QImage mount = paintBand(420, 60, 10, 409, 10, 50);
        QPainter(&mount).fillRect(200, 50, columns, 10, Qt::black);
        return mount;
    };
    const QImage cut = paintBand(420, 60, 10, 409, 10, 59);
    const struct {
        const char* name;
        QImage top; // the side view stays sound
        std::function<void(RecordingHost&)> setUp;
        RunOutcome outcome;
        QString said; // the message's start, or the note
    } rows[] = {
        {"cut by the bottom edge",
         cut,
         {},
         RunOutcome::Refused,
         "The blade in the top view touches the picture's bottom edge in 400 of its 400 "
         "columns: it may be cut off.\r\nTake the picture with paper above and below the blade."},
        // The crop's margin of paper must not hide the cut.
        {"matched spans", cut, [](RecordingHost& h) { h.spanMatching = true; }, RunOutcome::Refused,
         "The blade in the top view touches the picture's bottom edge"},
        {"a mount of a tenth down to the bottom edge",
         mounted(40),
         {},
         RunOutcome::Completed,
         "top view: 40 of 400 columns touch the bottom edge"},
        {"a mount of more than a tenth",
         mounted(41),
         {},
         RunOutcome::Refused,
         "The blade in the top view touches the picture's bottom edge in 41 of its 400 columns"},
        {"all dark", paintBand(420, 60, 0, 419, 0, 59),
         [](RecordingHost& h) { h.language = languageNumber(Language::German); },
         RunOutcome::Refused,
         QString::fromUtf8("Das Blatt in der Draufsicht berührt in 420 seiner 420 Spalten den "
                           "oberen und unteren Rand des Bildes")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingHost run;
        run.topFile = saveImage(row.top, dir.path(), "cut.bmp");
        run.sideFile = host.sideFile;
        if (row.setUp)
            row.setUp(run);
        EXPECT_EQ(CalcIt(run.host()), row.outcome);
        if (row.outcome == RunOutcome::Refused) {
            ASSERT_EQ(run.messages.size(), 1u);
            EXPECT_TRUE(run.messages[0].text.startsWith(row.said)) << run.messages[0].text;
            EXPECT_EQ(run.rows.size(), 0);
        } else {
            EXPECT_EQ(run.notes, QStringList{row.said});
        }
    }
}

// By what the names lead to, not how they are spelt; before either picture is read.
TEST_F(CalcItTest, OneFileAsBothViewsIsRefused) {
    const QString hard = dir.filePath("hard.bmp"), copy = dir.filePath("copy.bmp");
    ASSERT_EQ(
        ::link(QFile::encodeName(host.topFile).constData(), QFile::encodeName(hard).constData()),
        0);
    ASSERT_TRUE(QFile::copy(host.topFile, copy));
    const struct {
        const char* name;
        QString side;
        RunOutcome outcome;
    } rows[] = {
        {"a hard link", hard, RunOutcome::Refused},
        {"a copy", copy, RunOutcome::Completed}, // another file, measured
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingHost run;
        run.language = languageNumber(Language::German);
        run.topFile = host.topFile;
        run.sideFile = row.side;
        int loads = 0;
        const auto loader = [&loads](const QString& name) {
            ++loads;
            return ScanHolder(loadPicture(name));
        };
        EXPECT_EQ(CalcIt(run.host(), loader), row.outcome);
        if (row.outcome != RunOutcome::Refused)
            continue;
        EXPECT_EQ(loads, 0);
        ASSERT_EQ(run.messages.size(), 1u);
        EXPECT_EQ(run.messages[0].text,
                  "Draufsicht und Seitenansicht sind dieselbe Datei:\r\n" + row.side +
                      QString::fromUtf8("\r\nZwei Bilder wählen: eines längs der Achse gesehen, "
                                        "eines von der Seite."));
    }
}

// A view without a blade ends like an abort, after the scanner's own report.
TEST_F(CalcItTest, FailuresAreReportedOnceAndEndTheRun) {
    const QString good = host.sideFile;
    struct Case {
        const char* what;
        std::function<void()> setUp;
        const char* firstLine;
        RunOutcome outcome = RunOutcome::Failed;
        const char* issuer = "CalcIt()";
    };
    const QString corrupt = dir.filePath("corrupt.bmp");
    testing::make(corrupt, "BM this is no picture");
    const QString white = saveImage(paintBand(300, 50, 0, -1, 0, -1), dir.path(), "white.bmp");
    const Case cases[] = {
        {"missing image", [&] { host.sideFile = dir.filePath("none.bmp"); }, "Error53:"},
        {"directory", [&] { host.sideFile = dir.path(); }, "Error75:"},
        {"corrupt image", [&] { host.sideFile = corrupt; }, "Error481:"},
        {"empty name", [&] { host.sideFile.clear(); }, "Error53:"},
        {"no blade", [&] { host.sideFile = white; }, "Error11:", RunOutcome::ScanFailed, "DoIt()"},
        {"too narrow", [&] { usePair(15, 15); }, "Error11:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.sideFile = good;
        host.rows.clear();
        host.messages.clear();
        c.setUp();
        EXPECT_EQ(CalcIt(host.host()), c.outcome);
        ASSERT_EQ(host.messages.size(), 1u);
        const QString& text = host.messages[0].text;
        EXPECT_TRUE(text.startsWith(c.firstLine)) << text;
        EXPECT_TRUE(text.endsWith(QString("Issued by %1 in Bladetrace.").arg(c.issuer))) << text;
        EXPECT_FALSE(host.busy);
        EXPECT_FALSE(host.previewVisible);
        EXPECT_EQ(host.statuses.back(), "Ready.");
        EXPECT_EQ(host.rows, QStringList());
        EXPECT_EQ(host.charts.size(), 0u);
    }
    host.messages.clear();
    EXPECT_EQ(CalcIt(host.host(), [](const QString&) -> ScanHolder { throw std::bad_alloc(); }),
              RunOutcome::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.startsWith("Error7:")) << host.messages[0].text;
}

} // namespace
} // namespace bladetrace
