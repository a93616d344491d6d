#include "support/painted_blades.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace bladetrace {
namespace {

using testing::paintBand;
using testing::saveImage;

struct Result {
    int exitCode;
    QString out, err;
};

// Runs the built program as a user would, with the locale the test pins; standard output
// goes to `stdoutFile` if one is given.
Result runBatch(const QStringList& arguments, const QByteArray& locale = "C",
                const QString& stdoutFile = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", QString::fromLatin1(locale));
    process.setProcessEnvironment(env);
    if (!stdoutFile.isEmpty())
        process.setStandardOutputFile(stdoutFile);
    process.start(QStringLiteral(BLADETRACE_BATCH_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

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
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // 420 and 421 columns: windows of 10, 44 stations and the header; each file in its format.
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.count('\n'), 1 + 44);
    for (const auto& [path, start] :
         {std::pair{script, "_Curve \r\n"}, std::pair{charts, "No.\tr/R [-]\t"},
          std::pair{csv, "r/R,c/R,"}, std::pair{report, "%PDF"}})
        EXPECT_TRUE(fileBytes(path).startsWith(start)) << start;

    // The options reach the run: the root thickness and the units change what comes out.
    const QString other = dir.filePath("other.txt");
    ASSERT_EQ(runBatch(args({"--thickness", "10,10", "--script", other})).exitCode, 0);
    EXPECT_NE(fileBytes(other), fileBytes(script));
    EXPECT_NE(runBatch(args({"--imperial"})).out, runBatch(args()).out);
}

// Every row leaves an old file as it was, and no temporary file behind. (The row that names an
// input as output is refused before anything is written.)
TEST_F(BatchTool, BadInputAndUnwritableOutputsFailBeforeTheRunOrWithTheirReport) {
    const QString wide = saveImage(paintBand(460, 50, 10, 439, 8, 30), dir.path(), "wide.bmp");
    const QString white = saveImage(paintBand(300, 40, 0, -1, 0, -1), dir.path(), "white.bmp");
    const QString old = dir.filePath("old.txt"), full = dir.filePath("full");
    const bool devices = ::mknod(QFile::encodeName(full), S_IFCHR | 0666, makedev(1, 7)) == 0;
    const struct {
        const char* what;
        QStringList arguments; // a later option wins
        int exitCode;
        QString inError;
        QString stdoutFile = {}; // else a pipe
        QByteArray locale = "C";
    } cases[] = {
        {"no arguments", {}, 2, "give the top view and the side view"},
        {"missing diameter", {top, side, "--rpm", "1", "--speed", "1"}, 2, "--diameter"},
        {"unknown option", args({"--colour", "red"}), 2, "Unknown option 'colour'"},
        {"threshold", args({"--threshold", "300"}), 2, "--threshold takes a whole"},
        {"threshold 0: pure black only", args({"--threshold", "0"}), 0, ""},
        {"script without thickness", args({"--script", "s.txt"}), 2, "--script needs"},
        {"language", args({"--language", "fr"}), 2, "--language takes en or de, not \"fr\""},
        {"letters", args({"--diameter", "big"}), 2, "--diameter takes a number, not \"big\""},
        {"beyond float", args({"--diameter", "1e39"}), 2, "no larger than 3.4e38, not \"1e39\""},
        {"thickness", args({"--thickness", "20,x"}), 2, "--thickness takes ROOT,TIP"},
        {"size limit", args({"--max-megapixels", "0"}), 2, "above zero, not \"0\""},
        {"unknown export", args({"--export", "blade.doc"}), 2, "use .csv, .qprop, .txt or .pdf"},
        {"version", {"--version"}, 0, ""},
        {"regional numbers, German messages, the window's correction",
         {top, side, "--diameter", "0,185", "--rpm", "0", "--speed", "50", "--language", "de"},
         0,
         "Drehzahl muss größer als NULL sein!  Verwende 1.0 als Ersatz.\n",
         {},
         "de_DE.UTF-8"},
        {"an input as output", args({"--charts", top}), 2, "--charts " + top + " names the same"},
        {"standard output's file", args({"--charts", "/dev/stdout"}), 2,
         "same file as standard output", old},
        {"full standard output", args(), 4, "cannot write standard output: No space left",
         "/dev/full"},
        {"a full device", args({"--thickness", "20,10", "--script", old, "--charts", full}), 4,
         "cannot write " + full + ": No space left on device"},
        {"missing image", on(dir.filePath("none.bmp"), side), 4, "Error53:"},
        {"spans differ", on(top, wide), 3, "do not match in diameter"},
        // Black on white: every grey between the two splits them alike.
        {"spans matched", on(top, wide, {"--match-spans", "--threshold", "auto"}), 0,
         "threshold 127; top view scaled by 1.02"},
        {"no blade", on(top, white), 4, "Issued by DoIt() in Bladetrace."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (!devices && c.arguments.contains(full))
            continue; // needs the right to make devices, as CI has
        QFile file(old);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write("old"), 3);
        file.close();
        const Result r = runBatch(c.arguments, c.locale, c.stdoutFile);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(c.inError)) << r.err;
        if (c.exitCode == 2) {
            EXPECT_EQ(r.out, "") << "a usage error prints no sheet";
        }
        EXPECT_EQ(fileBytes(old), c.stdoutFile == old ? "" : "old");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files | QDir::System).size(),
                  5 + devices);
    }
}

} // namespace
} // namespace bladetrace
