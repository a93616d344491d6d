#include "results/charts.h"
#include "run/calc_it.h"
#include "support/painted_blades.h"
#include "support/recording_host.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

using testing::paintBand;
using testing::saveImage;

struct Result {
    int exitCode;
    QString out;
    QString err;
};

// Runs the built program as a user would, with the locale the test pins.
Result runBatch(const QStringList& arguments, const QByteArray& lcNumeric = "C") {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", QString::fromLatin1(lcNumeric));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(BLADETRACE_BATCH_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString readFile(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

class BatchTool : public ::testing::Test {
protected:
    void SetUp() override {
        top = saveImage(paintBand(440, 70, 10, 429, 12, 55), dir.path(), "top view.bmp");
        side = saveImage(paintBand(450, 50, 15, 435, 8, 30), dir.path(), "side.bmp");
    }
    QStringList args(const QStringList& more = {}) const {
        return QStringList{top, side, "--diameter", "0.185", "--rpm", "15000", "--speed", "50"} +
               more;
    }

    QTemporaryDir dir;
    QString top, side;
};

TEST_F(BatchTool, PrintsTheSpreadsheetAndWritesScriptAndChartsAsTheWindowWould) {
    const QString script = dir.filePath("script.txt");
    const QString charts = dir.filePath("charts.txt");
    const Result r =
        runBatch(args({"--thickness", "20,10", "--script", script, "--charts", charts}));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, "");

    // The same run through the library, as the window drives it.
    testing::RecordingHost host;
    host.topFile = top;
    host.sideFile = side;
    host.thickness = true;
    ASSERT_EQ(CalcIt(host), RunOutcome::Completed);
    const QString expected = host.header.join('\t') + '\n' + host.rows.join('\n') + '\n';
    EXPECT_EQ(r.out, expected);
    EXPECT_TRUE(r.out.startsWith(QString::fromUtf8("No.\tr/R\tc/R\tr\tc\tß\tH\tRe\tMa\n")));
    EXPECT_EQ(r.out.count('\n'), 1 + host.rows.size());
    EXPECT_EQ(readFile(script), host.clipboard);
    EXPECT_TRUE(readFile(script).startsWith("_Curve \r\nw"));
    EXPECT_EQ(readFile(charts), chartsText(host.charts.at(0)));
}

TEST_F(BatchTool, ReadsNumbersInTheRegionalFormatAndSpeaksGerman) {
    const Result r = runBatch(
        {top, side, "--diameter", "0,185", "--rpm", "0", "--speed", "50", "--language", "de"},
        "de_DE.UTF-8");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err,
              QString::fromUtf8("Drehzahl muss größer als NULL sein!  Verwende 1.0 als Ersatz.\n"));
    EXPECT_TRUE(r.out.section('\n', 1, 1).startsWith("1\t-1,0000\t"));
}

TEST_F(BatchTool, SpanMismatchExitsWith3AndTheThreeLineMessageUnlessSpansAreMatched) {
    const QString wide = saveImage(paintBand(460, 50, 10, 439, 8, 30), dir.path(), "wide.bmp");
    const Result r = runBatch({top, wide, "--diameter", "1", "--rpm", "1", "--speed", "1"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Images of top and side view do not match in diameter.\n"
                     "Rescan with same size, better contrast or adjust threshold.\n"
                     "Diameter: top view = 419,side view = 429\n");

    const Result matched = runBatch({top, wide, "--diameter", "1", "--rpm", "1", "--speed", "1",
                                     "--match-spans", "--threshold", "auto"});
    EXPECT_EQ(matched.exitCode, 0) << matched.err.toStdString();
    // Black on white: every grey between the two splits them alike.
    EXPECT_TRUE(matched.err.startsWith("threshold 127; top view scaled by 1.02"))
        << matched.err.toStdString();
}

TEST_F(BatchTool, BadInputGetsAClearMessageAndANonZeroExit) {
    QFile corrupt(dir.filePath("corrupt.jpg"));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write("not a picture");
    corrupt.close();

    struct Case {
        const char* what;
        QStringList arguments;
        int exitCode;
        const char* inError;
    };
    const Case cases[] = {
        {"no arguments", {}, 2, "usage: bladetrace-batch"},
        {"missing speed", {top, side, "--diameter", "1", "--rpm", "1"}, 2, "--speed"},
        {"unknown option", args({"--colour", "red"}), 2, "unknown option --colour"},
        {"threshold out of range", args({"--threshold", "300"}), 2, "0 to 255"},
        {"script without thickness", args({"--script", dir.filePath("s.txt")}), 2, "--thickness"},
        {"bad language", args({"--language", "fr"}), 2, "en or de"},
        {"diameter not a number",
         {top, side, "--diameter", "big", "--rpm", "1", "--speed", "1"},
         4,
         "Error13:\n\nType mismatch.\nIssued by CalcIt() in Bladetrace."},
        {"missing image",
         {dir.filePath("none.bmp"), side, "--diameter", "1", "--rpm", "1", "--speed", "1"},
         4,
         "Error53:"},
        {"directory as image",
         {dir.path(), side, "--diameter", "1", "--rpm", "1", "--speed", "1"},
         4,
         "Error75:"},
        {"corrupt image",
         {corrupt.fileName(), side, "--diameter", "1", "--rpm", "1", "--speed", "1"},
         4,
         "Error481:"},
        {"script is a folder", args({"--thickness", "20,10", "--script", dir.path()}), 4,
         "cannot write"},
        {"charts in a missing folder", args({"--charts", dir.filePath("no/such/dir/c.txt")}), 4,
         "cannot write"},
    };
    for (const Case& c : cases) {
        const Result r = runBatch(c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.what;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.inError)))
            << c.what << ": " << r.err.toStdString();
    }
}

TEST_F(BatchTool, AViewWithoutBladeFailsAfterTheScannersReport) {
    const QString white = saveImage(paintBand(300, 40, 0, -1, 0, -1), dir.path(), "white.bmp");
    const Result r = runBatch({top, white, "--diameter", "1", "--rpm", "1", "--speed", "1"});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_TRUE(r.err.contains("Issued by DoIt() in Bladetrace.")) << r.err.toStdString();
    EXPECT_EQ(r.out, "");
}

} // namespace
} // namespace bladetrace
