#include "cli/batch_process.h"
#include "files/path_bytes.h"
#include "pair_run.h"
#include "support/failure_of.h"
#include "support/painted_blades.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace bladetrace {
namespace {

using testing::fileBytes;
using testing::finished;
using testing::make;
using testing::paintBand;
using testing::Result;
using testing::runBatch;
using testing::saveImage;
using testing::startBatch;

// A user's QPROP file: three blades, and a polar unlike the program's.
constexpr char kPolar[] = "My prop\n\n 3  0.0925  ! Nblades R\n 0.30 6.0 ! CL0 CL_a\n"
                          " -0.4 1.2\n 0.022 0.030 0.025 0.4\n 80000 -0.5\n 1 1 1 ! Rfac\n";

class BatchTool : public ::testing::Test {
protected:
    void SetUp() override {
        top = saveImage(paintBand(440, 70, 10, 429, 12, 55), dir.path(), "top view.bmp");
        side = saveImage(paintBand(450, 50, 15, 435, 8, 30), dir.path(), "side.bmp");
    }
    QStringList on(const QString& t, const QString& s, const QStringList& more = {}) const {
        return QStringList{t, s, "--diameter", "0.185", "--rpm", "15000", "--speed", "50"} + more;
    }
    QStringList args(const QStringList& more = {}) const { return on(top, side, more); }

    QTemporaryDir dir;
    QString top, side;
};

TEST_F(BatchTool, PrintsTheSpreadsheetAndWritesEveryFileAsked) {
    const QString script = dir.filePath("script.txt"), charts = dir.filePath("charts.txt"),
                  csv = dir.filePath("blade.csv"), report = dir.filePath("blade.pdf");
    const Result r = runBatch(args({"--thickness", "20,10", "--script", script, "--charts", charts,
                                    "--export", csv, "--export", report}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // 420 and 421 columns: windows of 10, 44 stations and the header; each file in its format.
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.count('\n'), 1 + 44);
    for (const auto& [path, start] :
         {std::pair{script, "_Curve \r\n"}, std::pair{charts, "No.\tr/R [-]\t"},
          std::pair{csv, "r/R,c/R,"}, std::pair{report, "%PDF"}})
        EXPECT_TRUE(fileBytes(path).startsWith(start)) << start;
    QByteArray plainCsv = fileBytes(csv);

    // A report needs no display, whatever platform the environment names.
    QFile::remove(report);
    const Result headless = runBatch(args({"--export", report}), {"C", {}, {}, "xcb"});
    EXPECT_EQ(headless.exitCode, 0) << headless.err;
    EXPECT_EQ(QString(fileBytes(report).left(4)), "%PDF");

    // --csv regional, of the same run: what a spreadsheet set to German opens in columns.
    const QStringList regional{"--thickness", "20,10", "--export", csv, "--csv", "regional"};
    ASSERT_EQ(runBatch(args(regional), {"de_DE.UTF-8"}).exitCode, 0);
    EXPECT_EQ(fileBytes(csv), "\xEF\xBB\xBF" + plainCsv.replace(',', ';').replace('.', ','));

    // The options reach the run: the root thickness and the units change what comes out.
    const QString other = dir.filePath("other.txt");
    ASSERT_EQ(runBatch(args({"--thickness", "10,10", "--script", other})).exitCode, 0);
    EXPECT_NE(fileBytes(other), fileBytes(script));
    EXPECT_NE(runBatch(args({"--imperial"})).out, runBatch(args()).out);
}

// The table from J = 0 until the thrust is below zero, in the units asked; the QPROP file's
// polar and blade count, --blades and the air reach the prediction.
TEST_F(BatchTool, WritesThePredictedPerformance) {
    const QString polar = dir.filePath("polar.qprop"), csv = dir.filePath("perf.csv");
    make(polar, kPolar);
    const auto table = [&](const QStringList& more) {
        const Result r = runBatch(args(QStringList{"--performance", csv} + more));
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QString(fileBytes(csv)).split('\n', Qt::SkipEmptyParts);
    };
    const auto cell = [](const QStringList& lines, int row, int column) {
        return lines.value(row).split(',').value(column).toDouble();
    };
    const QStringList metric = table({});
    ASSERT_GT(metric.size(), 3);
    EXPECT_EQ(metric[0], "J,V [m/s],CT,CP,eta,T [N],P [W],Q [N m]");
    EXPECT_TRUE(metric[1].startsWith("0.000,0.00,")) << metric[1].toStdString();
    EXPECT_GT(cell(metric, 1, 5), 0.0);
    EXPECT_LT(cell(metric, int(metric.size()) - 1, 5), 0.0);
    EXPECT_GT(cell(metric, int(metric.size()) - 2, 5), 0.0);
    EXPECT_EQ(table({"--imperial", "--diameter", "7.283"})[0],
              "J,V [mph],CT,CP,eta,T [lbf],P [W],Q [N m]");
    // Thrust and power in proportion to the density; the coefficients stay.
    const QStringList thin = table({"--air-density", "0.6125"});
    EXPECT_EQ(cell(thin, 1, 2), cell(metric, 1, 2));
    EXPECT_NEAR(cell(thin, 1, 5), cell(metric, 1, 5) / 2, 0.001);

    const QStringList fromFile = table({"--polar", polar});
    EXPECT_NE(cell(fromFile, 1, 2), cell(metric, 1, 2));
    EXPECT_EQ(table({"--polar", polar, "--blades", "3"}), fromFile); // the file's three blades
    EXPECT_LT(cell(table({"--polar", polar, "--blades", "2"}), 1, 2), cell(fromFile, 1, 2));
}

// A run with no prediction has no table to write.
TEST(BatchPerformance, NoPredictionNoTable) {
    const AppError error = testing::failureOf([] { cli::performanceBytes(RunResults(), false); });
    EXPECT_EQ(error.number, errc::kInvalidCall);
    EXPECT_EQ(error.description, "--performance: no prediction: the RPM must be a positive number");
}

// Every row leaves an old file as it was, and no temporary file behind. (The row that names an
// input as output is refused before anything is written.) Usage errors end with 2, views that
// differ with 3, what cannot be read or written with 4, views that cannot be measured with 5;
// each message says why.
TEST_F(BatchTool, BadInputAndUnwritableOutputsFailBeforeTheRunOrWithTheirReport) {
    const QString wide = saveImage(paintBand(460, 50, 10, 439, 8, 30), dir.path(), "wide.bmp");
    // Spans 419 and 494: 17.9 % apart.
    const QString far = saveImage(paintBand(520, 50, 10, 504, 8, 30), dir.path(), "far.bmp");
    const QString old = dir.filePath("old.txt"), full = dir.filePath("full");
    const QString polar = dir.filePath("polar.qprop"), badPolar = dir.filePath("bad.qprop");
    make(polar, kPolar);
    make(badPolar, QByteArray(kPolar).replace("0.30", "abc"));
    const QString missing = dir.filePath(pathFromBytes("none\xfe.bmp"));
    const bool devices = ::mknod(QFile::encodeName(full), S_IFCHR | 0666, makedev(1, 7)) == 0;
    const struct {
        const char* what;
        QStringList arguments; // a later option wins
        int exitCode;
        QString inError;
        QByteArray locale = "C";
        QString stdoutFile = {}; // else a pipe
    } cases[] = {
        {"no arguments", {}, 2, "give the top view and the side view"},
        {"missing diameter", {top, side, "--rpm", "1", "--speed", "1"}, 2, "--diameter"},
        {"unknown option", args({"--colour", "red"}), 2, "Unknown option 'colour'"},
        {"threshold", args({"--threshold", "300"}), 2, "--threshold takes a whole"},
        {"threshold 0: pure black only", args({"--threshold", "0"}), 0, ""},
        {"script without thickness", args({"--script", "s.txt"}), 2, "--script needs"},
        {"charts to no name", args({"--charts", ""}), 2, "--charts needs a file name"},
        {"script twice", args({"--thickness", "20,10", "--script", "a", "--script", "b"}), 2,
         "--script is given 2 times"},
        {"language", args({"--language", "fr"}), 2, "--language takes en or de, not \"fr\""},
        {"letters", args({"--diameter", "big"}), 2, "--diameter takes a number, not \"big\""},
        {"beyond float", args({"--diameter", "1e39"}), 2, "no larger than 3.4e38, not \"1e39\""},
        {"thickness", args({"--thickness", "20,x"}), 2, "--thickness takes ROOT,TIP"},
        {"size limit", args({"--max-megapixels", "0"}), 2, "above zero, not \"0\""},
        {"unknown export", args({"--export", "blade.doc"}), 2, "use .csv, .qprop, .txt or .pdf"},
        {"a CSV style without a CSV", args({"--csv", "regional"}), 2,
         "--csv takes a style for a .csv --export"},
        {"speed below zero", args({"--speed", "-5"}), 2,
         "--speed takes a flight speed of zero or more, not \"-5\""},
        {"speed zero", args({"--speed", "0"}), 0, ""},
        {"15 or 15000", args({"--rpm", "15.000"}), 2,
         "--rpm takes a number, not \"15.000\", which could be 15 or 15000 where the decimal "
         "sign is \",\"",
         "de_DE.UTF-8"},
        {"version", {"--version"}, 0, ""},
        {"regional numbers, German messages, the window's correction",
         {top, side, "--diameter", "0,185", "--rpm", "0", "--speed", "50", "--language", "de"},
         0,
         "Drehzahl muss größer als NULL sein!  Verwende 1.0 als Ersatz.\n",
         "de_DE.UTF-8"},
        {"an input as output", args({"--charts", top}), 2, "--charts " + top + " names the same"},
        {"standard output's file", args({"--charts", "/dev/stdout"}), 2,
         "same file as standard output", "C", old},
        {"full standard output", args(), 4, "cannot write standard output: No space left", "C",
         "/dev/full"},
        {"a full device", args({"--thickness", "20,10", "--script", old, "--charts", full}), 4,
         "cannot write " + full + ": No space left on device"},
        {"missing image by a name that is not UTF-8", on(missing, side), 4,
         "Error53:\n\nFile not found: " + missing},
        {"one file as both views", on(top, top), 5,
         "The top view and the side view are the same file:\n" + top},
        // Black on white: every grey between the two splits them alike.
        {"spans matched", on(top, wide, {"--match-spans", "--threshold", "auto"}), 0,
         "threshold 127; top view scaled by 1.02"},
        {"spans 17.9 % apart", on(top, far, {"--match-spans"}), 3,
         "The spans of the two views differ by 17.9 %."},
        {"spans 17.9 % apart, 20 % allowed",
         on(top, far, {"--match-spans", "--max-span-difference", "20"}), 0,
         "top view scaled by 1.17"},
        {"an allowance without matching", args({"--max-span-difference", "20"}), 2,
         "--max-span-difference needs --match-spans"},
        {"a polar file that is not QPROP's", args({"--polar", badPolar}), 2,
         "--polar " + badPolar + ": Line 4 of the QPROP file: \"abc\" is not a number."},
        {"no polar file", args({"--polar", "none.qprop"}), 2,
         "--polar none.qprop: File not found: none.qprop"},
        {"the polar file as output", args({"--polar", polar, "--performance", polar}), 2,
         "--performance " + polar + " names the same file as the polar file"},
        {"air of no density", args({"--air-density", "0"}), 2,
         "--air-density takes a number above zero, not \"0\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (!devices && c.arguments.contains(full))
            continue; // needs the right to make devices, as CI has
        make(old, "old");
        const Result r = runBatch(c.arguments, {c.locale, c.stdoutFile});
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(c.inError)) << r.err;
        if (c.exitCode == 2) {
            EXPECT_EQ(r.out, "") << "a usage error prints no sheet";
        }
        EXPECT_EQ(fileBytes(old), c.stdoutFile == old ? "" : "old");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files | QDir::System).size(),
                  7 + devices);
    }
    // Read as the locale reads it: the same sheet as without the separator.
    EXPECT_EQ(runBatch(args({"--rpm", "15,000"}), {"en_US.UTF-8"}).out,
              runBatch(args({"--rpm", "15000"})).out);
}

// Names reach the file system as they were typed, in a UTF-8 locale and in the C locale: two
// names that are not UTF-8 are two files, and neither is what Qt would make of them.
TEST_F(BatchTool, NamesReachTheFileSystemByteForByte) {
    const QString oddTop = dir.filePath(pathFromBytes("top\xff.bmp")),
                  charts = dir.filePath(pathFromBytes("charts\xff.txt")),
                  csv = dir.filePath(pathFromBytes("charts\xfe.csv")),
                  qtSpelling = dir.filePath(QString::fromUtf8("charts\xff.txt"));
    make(oddTop, fileBytes(top));
    make(qtSpelling, "old");
    for (const char* locale : {"C.UTF-8", "C"}) {
        SCOPED_TRACE(locale);
        const Result r =
            runBatch(on(oddTop, side, {"--charts", charts, "--export", csv}), {locale});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(QString(fileBytes(charts).left(4)), "No.\t");
        EXPECT_EQ(QString(fileBytes(csv).left(4)), "r/R,");
        EXPECT_EQ(QString(fileBytes(qtSpelling)), "old");
    }
    for (const QString& odd : {oddTop, charts, csv})
        ::unlink(pathBytes(odd).constData()); // Qt could not remove them
}

// Standard error appending to a log: no output replaces that log, by any of its names.
TEST_F(BatchTool, NoOutputReplacesTheLogOfStandardError) {
    const QString log = dir.filePath("run.log");
    for (const QString& name : {QStringLiteral("/dev/stderr"), log}) {
        SCOPED_TRACE(name.toStdString());
        make(log, "log\n");
        const Result r = runBatch(args({"--charts", name}), {"C", {}, log});
        EXPECT_EQ(r.exitCode, 2);
        const QByteArray logged = fileBytes(log);
        EXPECT_EQ(QString(logged.left(4)), "log\n");
        EXPECT_TRUE(logged.contains("names the same file as standard error")) << logged.left(200);
    }
}

// A signal while the outputs are written leaves the old files and no temporary one, and ends
// the program with the signal's status. The charts go to a pipe that no one reads, so the
// program waits there with the new CSV written beside the old one.
TEST_F(BatchTool, ASignalWhileWritingLeavesTheOldFilesAndEndsWithItsStatus) {
    const QString pipe = dir.filePath("charts"), csv = dir.filePath("blade.csv");
    ASSERT_EQ(::mkfifo(pathBytes(pipe).constData(), 0600), 0);
    const auto hidden = [this] {
        return QDir(dir.path(), ".*").entryList(QDir::Hidden | QDir::Files);
    };
    for (const auto& [number, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
        SCOPED_TRACE(strsignal(number));
        make(csv, "old");
        QProcess process;
        startBatch(process, args({"--charts", pipe, "--export", csv}));
        // Written and waiting: the new copy stays (the check before the run makes one briefly).
        for (int i = 0; i < 1200 && process.state() != QProcess::NotRunning; ++i) {
            if (!hidden().isEmpty() && !process.waitForFinished(200) && !hidden().isEmpty())
                break;
            process.waitForFinished(50);
        }
        ASSERT_EQ(hidden().size(), 1) << "not waiting with the new copy";
        ::kill(pid_t(process.processId()), number);
        int reader = -1;
        if (!process.waitForFinished(10000)) // it would wait for ever: let it go on
            reader = ::open(pathBytes(pipe).constData(), O_RDONLY | O_NONBLOCK);
        const Result r = finished(process);
        ::close(reader);
        EXPECT_EQ(r.exitCode, status);
        EXPECT_TRUE(r.err.contains("aborted")) << r.err;
        EXPECT_EQ(QString(fileBytes(csv)), "old");
        EXPECT_EQ(hidden(), QStringList());
    }
}

} // namespace
} // namespace bladetrace
