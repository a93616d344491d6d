#include "run/calc_it.h"
#include "support/painted_blades.h"
#include "support/recording_host.h"
#include "text/number_format.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

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
    EXPECT_EQ(host.header.size(), 9);
    EXPECT_EQ(host.clipboard.count("_Curve "), 22);
    EXPECT_EQ(host.columnsScanned, 420 + 420 + 2);
    ASSERT_EQ(host.rows.size(), 42);
    ASSERT_EQ(host.charts.size(), 1u);
    ASSERT_EQ(host.results.size(), 1u);
    // 40 pixel rows over 0.185 m / 399 columns: c = 40 * 0.185 / 399 m.
    EXPECT_EQ(host.rows[10].section('\t', 4, 5), "18.5464\t26.5651");
    EXPECT_EQ(host.charts[0][kChordChart].rows(), 22);
    EXPECT_TRUE(host.rows.front().startsWith("1\t-1.0000\t")) << host.rows.front();
    EXPECT_TRUE(host.rows.back().startsWith("42\t1.0000\t")) << host.rows.back();
}

// What a completed run hands over for saving: what it showed, and every input as typed and as
// used.
TEST_F(CalcItTest, TheRecordHoldsWhatTheRunShowedAndItsInputs) {
    host.threshold = 100;
    host.diameter = "0.2";
    host.rpm = "12000";
    host.velocity = "40";
    host.thickness = true;
    host.rootThickness = "18";
    host.tipThickness = "9";
    host.language = languageNumber(Language::German);
    ASSERT_EQ(CalcIt(host.host()), RunOutcome::Completed);
    ASSERT_EQ(host.results.size(), 1u);
    const RunResults& r = host.results[0];
    EXPECT_EQ(r.language, Language::German);
    EXPECT_TRUE(r.completed.isValid()); // the report's date
    EXPECT_FALSE(r.imperial);
    EXPECT_EQ(r.sheetHeader, host.header);
    QStringList rows;
    for (const QStringList& cells : r.sheetRows)
        rows << cells.join('\t');
    EXPECT_EQ(rows, host.rows);
    ASSERT_EQ(host.charts.size(), 1u);
    for (const int c : {kChordChart, kBetaChart, kPitchChart}) {
        SCOPED_TRACE(r.charts[std::size_t(c)].key.toStdString());
        EXPECT_EQ(r.charts[std::size_t(c)].key, host.charts[0][std::size_t(c)].key);
        EXPECT_EQ(r.charts[std::size_t(c)].x, host.charts[0][std::size_t(c)].x);
        EXPECT_EQ(r.charts[std::size_t(c)].y, host.charts[0][std::size_t(c)].y);
    }
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

// Small copies of the views as loaded, before the scan marks them, only for an output that
// asks for them (one that may save a report).
TEST_F(CalcItTest, ReportPicturesAreMadeOnlyWhenTheOutputAsksForThem) {
    for (const bool asked : {false, true}) {
        SCOPED_TRACE(asked ? "asked" : "not asked");
        host.reportPictures = asked;
        host.results.clear();
        ASSERT_EQ(CalcIt(host.host()), RunOutcome::Completed);
        ASSERT_EQ(host.results.size(), 1u);
        const RunResults& r = host.results[0];
        EXPECT_EQ(r.topPicture.isNull(), !asked);
        EXPECT_EQ(r.sidePicture.isNull(), !asked);
        if (!asked)
            continue;
        EXPECT_EQ(r.topPicture, QImage(host.topFile).convertToFormat(QImage::Format_RGB32));
        EXPECT_EQ(r.sidePicture, QImage(host.sideFile).convertToFormat(QImage::Format_RGB32));
    }
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
    ASSERT_EQ(host.results.size(), 1u);
    const ResultInputs& in = host.results[0].inputs;
    EXPECT_TRUE(in.imperialInputs);
    EXPECT_EQ(in.diameterText, "7.283");
    EXPECT_NEAR(in.diameter, 0.1849882, 1e-7);
    EXPECT_NEAR(in.speed, speed, 1e-5);
    EXPECT_FALSE(host.results[0].imperial); // the units box as the charts read it
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
    QFile corrupt(dir.filePath("corrupt.bmp"));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write("BM this is no picture");
    corrupt.close();
    const QString white = saveImage(paintBand(300, 50, 0, -1, 0, -1), dir.path(), "white.bmp");
    const Case cases[] = {
        {"rpm not a number", [&] { host.rpm = "fast"; }, "Error13:"},
        {"missing image", [&] { host.sideFile = dir.filePath("none.bmp"); }, "Error53:"},
        {"directory", [&] { host.sideFile = dir.path(); }, "Error75:"},
        {"corrupt image", [&] { host.sideFile = corrupt.fileName(); }, "Error481:"},
        {"empty name", [&] { host.sideFile.clear(); }, "Error53:"},
        {"no blade", [&] { host.sideFile = white; }, "Error11:", RunOutcome::ScanFailed, "DoIt()"},
        {"too narrow", [&] { usePair(15, 15); }, "Error11:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.rpm = "15000";
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
