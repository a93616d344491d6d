#include "results/charts.h"
#include "run/calc_it.h"
#include "support/painted_blades.h"
#include "support/recording_host.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace bladetrace {
namespace {

using testing::paintBand;
using testing::saveImage;

struct Result {
    int exitCode;
    QString out;
    QString err;
};

// How the program is started besides its arguments.
struct Launch {
    QByteArray locale = "C";
    QString stdoutFile; // else a pipe
};

// Runs the built program as a user would, with the locale the test pins.
Result runBatch(const QStringList& arguments, const Launch& launch = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", QString::fromLatin1(launch.locale));
    process.setProcessEnvironment(env);
    if (!launch.stdoutFile.isEmpty())
        process.setStandardOutputFile(launch.stdoutFile);
    process.start(QStringLiteral(BLADETRACE_BATCH_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
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
        {"de_DE.UTF-8", {}});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err,
              QString::fromUtf8("Drehzahl muss größer als NULL sein!  Verwende 1.0 als Ersatz.\n"));
    EXPECT_TRUE(r.out.section('\n', 1, 1).startsWith("1\t-1,0000\t"));
}

TEST_F(BatchTool, SpanMismatchExitsWith3AndTheThreeLineMessage) {
    const QString wide = saveImage(paintBand(460, 50, 10, 439, 8, 30), dir.path(), "wide.bmp");
    const Result r = runBatch({top, wide, "--diameter", "1", "--rpm", "1", "--speed", "1"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Images of top and side view do not match in diameter.\n"
                     "Rescan with same size, better contrast or adjust threshold.\n"
                     "Diameter: top view = 419,side view = 429\n");
}

TEST_F(BatchTool, BadInputIsReportedBeforeAnyImageIsReadOrTheRunFailsWithItsReport) {
    QFile corrupt(dir.filePath("corrupt.jpg"));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write("not a picture");
    corrupt.close();
    const QString none = dir.filePath("none.bmp");

    struct Case {
        const char* what;
        QStringList arguments;
        int exitCode;
        const char* inError; // on the first line
    };
    const Case cases[] = {
        {"no arguments", {}, 2, "give the top view and the side view"},
        {"missing speed", {top, side, "--diameter", "1", "--rpm", "1"}, 2, "--speed"},
        {"unknown option", args({"--colour", "red"}), 2, "Unknown option 'colour'"},
        {"threshold out of range", args({"--threshold", "300"}), 2, "--threshold takes a whole"},
        {"script without thickness", args({"--script", dir.filePath("s.txt")}), 2, "--thickness"},
        {"bad language", args({"--language", "fr"}), 2, "--language takes en or de, not \"fr\""},
        {"letters",
         {none, side, "--diameter", "big", "--rpm", "1", "--speed", "1"},
         2,
         "--diameter takes a number, not \"big\""},
        {"empty",
         {none, side, "--diameter", "1", "--rpm=", "--speed", "1"},
         2,
         "--rpm takes a number, not \"\""},
        {"nan",
         {none, side, "--diameter", "1", "--rpm", "1", "--speed", "nan"},
         2,
         "--speed takes a number, not \"nan\""},
        {"beyond single precision",
         {none, side, "--diameter", "1e39", "--rpm", "1", "--speed", "1"},
         2,
         "--diameter takes a number no larger than 3.4e38, not \"1e39\""},
        {"infinite",
         {none, side, "--diameter", "1", "--rpm", "inf", "--speed", "1"},
         2,
         "--rpm takes a number, not \"inf\""},
        {"thickness not a number", args({"--thickness", "20,x"}), 2, "--thickness takes ROOT,TIP"},
        {"size limit not above zero", args({"--max-megapixels", "0"}), 2,
         "--max-megapixels takes a number above zero, not \"0\""},
        {"version", {"--version"}, 0, ""},
        {"missing image",
         {none, side, "--diameter", "1", "--rpm", "1", "--speed", "1"},
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
    };
    for (const Case& c : cases) {
        const Result r = runBatch(c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.what;
        EXPECT_TRUE(r.err.section('\n', 0, 0).contains(QString::fromUtf8(c.inError)))
            << c.what << ": " << r.err.toStdString();
        EXPECT_EQ(r.out.isEmpty(), c.exitCode != 0) << c.what << ": " << r.out.toStdString();
    }
    // The other spellings of the same run.
    const Result r =
        runBatch({"--diameter=0.185", "--rpm", "15000", "--speed=50", "--", top, side});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, runBatch(args()).out);
}

TEST_F(BatchTool, OutputsNeverReplaceAnInputAndFailOnAnyWriteError) {
    const QString old = dir.filePath("old.txt");
    const QString sheet = dir.filePath("sheet.txt");
    const QString full = dir.filePath("full");
    const bool devices = ::mknod(QFile::encodeName(full), S_IFCHR | 0666, makedev(1, 7)) == 0;
    const QByteArray image = fileBytes(top);

    struct Case {
        const char* what;
        QStringList arguments;
        QString stdoutFile;
        int exitCode;
        QByteArray inError;
    };
    const Case cases[] = {
        {"an input image",
         args({"--thickness", "20,10", "--script", top}),
         {},
         2,
         "--script " + top.toUtf8() + " names the same file as the top view image"},
        {"two outputs",
         args({"--thickness", "20,10", "--script", old, "--charts", old}),
         {},
         2,
         "--charts"},
        {"standard output's file", args({"--charts", "/dev/stdout"}), sheet, 2,
         "same file as standard output"},
        {"a missing folder",
         args({"--charts", dir.filePath("no/c.txt")}),
         {},
         4,
         "cannot write " + dir.filePath("no/c.txt").toUtf8() + ": No such file or directory"},
        {"standard output is full", args(), "/dev/full", 4,
         "cannot write standard output: No space left on device"},
        {"a full device among the outputs",
         args({"--thickness", "20,10", "--script", old, "--charts", full}),
         {},
         4,
         "cannot write " + full.toUtf8() + ": No space left on device"},
    };
    for (const Case& c : cases) {
        if (!devices && c.arguments.contains(full)) {
            std::cout << "skipped without the right to make devices: " << c.what << "\n";
            continue;
        }
        writeFile(old, "old");
        writeFile(top, image); // rows stay independent, also when one fails
        const Result r = runBatch(c.arguments, {"C", c.stdoutFile});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.what;
        EXPECT_TRUE(r.err.section('\n', 0, 0).contains(QString::fromUtf8(c.inError)))
            << c.what << ": " << r.err.toStdString();
        EXPECT_EQ(fileBytes(top), image) << c.what;
        EXPECT_EQ(fileBytes(old), "old") << c.what;
        if (devices) {
            EXPECT_TRUE(QFileInfo(full).exists() && !QFileInfo(full).isFile()) << c.what;
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter(".tmp"),
                  QStringList())
            << c.what;
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
