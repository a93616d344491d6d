#include "cli/batch_process.h"
#include "csv_table.h"
#include "support/painted_blades.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace bladetrace {
namespace {

using testing::fileBytes;
using testing::Result;
using testing::runBatch;
using testing::saveImage;
using testing::taperedView;

// The summary's rows by name, each as its header names the cells.
using Summary = std::map<QString, std::map<QString, QString>>;

Summary readSummary(const QString& path) {
    const cli::CsvText csv = cli::readCsv(QString::fromUtf8(fileBytes(path)), ',');
    Summary rows;
    for (std::size_t r = 1; r < csv.rows.size(); ++r) {
        for (int c = 0; c < csv.rows[0].size() && c < csv.rows[r].size(); ++c)
            rows[csv.rows[r][0]][csv.rows[0][c]] = csv.rows[r][c];
    }
    return rows;
}

// The value at r/R 0.75 between the rows of an exported CSV table, hub to tip.
std::optional<double> at075(const QString& csvPath, int column) {
    const cli::CsvText csv = cli::readCsv(QString::fromUtf8(fileBytes(csvPath)), ',');
    for (std::size_t r = 2; r < csv.rows.size(); ++r) {
        const double x0 = csv.rows[r - 1][0].toDouble(), x1 = csv.rows[r][0].toDouble();
        if (x0 <= 0.75 && 0.75 <= x1 && x1 > x0) {
            const double y0 = csv.rows[r - 1][column].toDouble(),
                         y1 = csv.rows[r][column].toDouble();
            return y0 + (0.75 - x0) / (x1 - x0) * (y1 - y0);
        }
    }
    return std::nullopt;
}

class Collection : public ::testing::Test {
protected:
    // Writes the two views of a pair as NAME-top.bmp and NAME-side.bmp; the side view's blade
    // half-heights `root` and `tip` make pairs differ.
    void pair(const QString& name, int root = 10, int tip = 12) {
        saveImage(taperedView(80, 30, 8), dir.path(), name + "-top.bmp");
        saveImage(taperedView(60, root, tip), dir.path(), name + "-side.bmp");
    }
    QString manifest(const QStringList& names, const QByteArray& extra = {}) {
        QByteArray text = "name,top,side,diameter,rpm,speed\n";
        for (const QString& n : names)
            text += (n + "," + n + "-top.bmp," + n + "-side.bmp,0.2,5000,10\n").toUtf8();
        testing::make(dir.filePath("list.csv"), text + extra);
        return dir.filePath("list.csv");
    }
    Result collect(const QStringList& more = {}) {
        return runBatch(QStringList{"--collection", dir.filePath("list.csv"), "--out", out()} +
                        more);
    }
    QString out(const QString& file = {}) const {
        return dir.filePath("out") + (file.isEmpty() ? QString() : "/" + file);
    }
    // "[1/2] b: measured: ..." lines: the names of the pairs run, in the order they ended.
    static QStringList runNow(const QString& err) {
        QStringList names;
        const QRegularExpression line(QStringLiteral("^\\[\\d+/\\d+\\] ([^:]+):"),
                                      QRegularExpression::MultilineOption);
        for (auto m = line.globalMatch(err); m.hasNext();)
            names << m.next().captured(1);
        names.sort();
        return names;
    }

    QTemporaryDir dir;
};

// Each pair's files are what a run of its own writes, and its summary row holds what that
// run says and what its table gives at r/R 0.75.
TEST_F(Collection, TheSummaryAgreesWithSingleRuns) {
    pair("a");
    pair("b", 14, 6);
    manifest({"a", "b"}, "c,c-top.bmp,c-side.bmp,0.2,5000,10\n");
    saveImage(taperedView(80, 30, 8), dir.path(), "c-top.bmp");
    // Spans of 399 and 499 columns: 25.1 % apart.
    saveImage(testing::paintBand(520, 60, 10, 509, 20, 40), dir.path(), "c-side.bmp");
    const Result r = collect({"--export-formats", "csv,qprop", "--blades", "3"});
    EXPECT_EQ(r.exitCode, 4) << r.err.toStdString();
    const Summary summary = readSummary(out("summary.csv"));
    ASSERT_EQ(summary.size(), 3u) << fileBytes(out("summary.csv")).toStdString();

    for (const QString name : {"a", "b"}) {
        SCOPED_TRACE(name.toStdString());
        const QString csv = dir.filePath(name + "-single.csv"),
                      performance = dir.filePath(name + "-performance.csv");
        const Result single = runBatch(
            {dir.filePath(name + "-top.bmp"), dir.filePath(name + "-side.bmp"), "--diameter", "0.2",
             "--rpm", "5000", "--speed", "10", "--match-spans", "--threshold", "auto", "--export",
             csv, "--blades", "3", "--performance", performance});
        ASSERT_EQ(single.exitCode, 0) << single.err.toStdString();
        EXPECT_EQ(fileBytes(out(name + ".csv")), fileBytes(csv));
        EXPECT_TRUE(fileBytes(out(name + ".qprop")).contains("\n 3  0.100000"));
        std::map<QString, QString> row = summary.at(name);
        EXPECT_EQ(row["status"], "0");
        EXPECT_EQ(row["result"], "measured");
        EXPECT_EQ(row["message"], single.err.trimmed());
        EXPECT_TRUE(single.err.startsWith("threshold " + row["threshold"] + ";"));
        EXPECT_EQ(row["scaled view"], "none");
        EXPECT_EQ(row["scale factor"], "1.0000");
        EXPECT_EQ(row["blades"], "3");
        EXPECT_EQ(row["stations"].toLongLong(), fileBytes(csv).count('\n') - 1);
        const struct {
            const char* column;
            int csvColumn;
            double tolerance; // the summary's rounding
        } figures[] = {{"c/R at r/R 0.75", 1, 5e-5},
                       {"beta at r/R 0.75 [deg]", 2, 5e-3},
                       {"pitch at 0.75 R [m]", 5, 5e-5}};
        for (const auto& f : figures) {
            SCOPED_TRACE(f.column);
            bool number = false;
            const double shown = row[f.column].toDouble(&number);
            ASSERT_TRUE(number) << row[f.column].toStdString();
            EXPECT_NEAR(shown, at075(csv, f.csvColumn).value_or(-1), f.tolerance);
        }
        // The operating point, 10 m/s at 5000 RPM and 0.2 m: J = 0.6, a row of the table.
        const cli::CsvText table = cli::readCsv(QString::fromUtf8(fileBytes(performance)), ',');
        const auto j06 = std::find_if(table.rows.begin() + 1, table.rows.end(),
                                      [](const QStringList& cells) { return cells[0] == "0.600"; });
        ASSERT_NE(j06, table.rows.end());
        const struct {
            const char* column;
            int tableColumn;
            double tolerance;
        } predicted[] = {{"thrust [N]", 5, 0.006},
                         {"power [W]", 6, 0.06},
                         {"efficiency", 4, 0.0006},
                         {"CT", 2, 6e-5},
                         {"CP", 3, 6e-5}};
        for (const auto& f : predicted) {
            SCOPED_TRACE(f.column);
            EXPECT_NEAR(row[f.column].toDouble(), (*j06)[f.tableColumn].toDouble(), f.tolerance);
        }
    }
    // A pair that fails leaves the others measured, with its reason.
    std::map<QString, QString> c = summary.at("c");
    EXPECT_EQ(c["status"], "3");
    EXPECT_EQ(c["result"], "spans differ");
    EXPECT_TRUE(c["message"].startsWith("The spans of the two views differ by 25.1 %."))
        << c["message"].toStdString();
    EXPECT_EQ(c["threshold"], "");
    EXPECT_EQ(c["thrust [N]"], "");
    EXPECT_FALSE(QFileInfo::exists(out("c.csv")));
}

// Run again, only what changed is measured; the rest, and the summary, stay as they are.
TEST_F(Collection, ASecondRunMeasuresOnlyWhatChanged) {
    for (const char* name : {"a", "b", "c"})
        pair(name);
    manifest({"a", "b", "c"}, "gone,none-top.bmp,c-side.bmp,0.2,5000,10\n");
    const Result first = collect();
    ASSERT_EQ(first.exitCode, 4) << first.err.toStdString();
    EXPECT_EQ(runNow(first.err), (QStringList{"a", "b", "c", "gone"}));
    const QByteArray summary = fileBytes(out("summary.csv"));
    EXPECT_TRUE(summary.contains("\ngone,4,failed,Error53:; File not found:"))
        << summary.toStdString();
    const auto rewrite = [this](const QString& name) {
        testing::make(dir.filePath(name), fileBytes(dir.filePath(name)));
    };
    const QString polar = dir.filePath("p.qprop");
    const QStringList withPolar{"--threshold", "120",     "--export-formats",
                                "csv,qprop",   "--polar", polar};
    const auto writePolar = [&polar](const char* cd0) {
        testing::make(polar, QByteArray("p\n2\n0.5 5.8\n-0.3 1.2\n") + cd0 +
                                 " 0.05 0.02 0.5\n70000 -0.7\n");
    };

    const struct {
        const char* name;
        std::function<void()> change;
        QStringList more; // options
        QStringList measured;
    } steps[] = {
        {"a picture written again, the same bytes", [&] { rewrite("b-top.bmp"); }, {}, {"gone"}},
        {"a picture changed", [&] { pair("b", 14, 6); }, {}, {"b", "gone"}},
        {"an output gone", [&] { QFile::remove(out("c.csv")); }, {}, {"c", "gone"}},
        {"an output format more, in another order",
         [] {},
         {"--export-formats", "qprop,csv"},
         {"a", "b", "c", "gone"}},
        {"a polar file", [&] { writePolar("0.028"); }, withPolar, {"a", "b", "c", "gone"}},
        {"the same polar written again", [&] { writePolar("0.028"); }, withPolar, {"gone"}},
        {"the polar file changed",
         [&] { writePolar("0.030"); },
         withPolar,
         {"a", "b", "c", "gone"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        const Result again = collect(step.more);
        EXPECT_EQ(again.exitCode, 4) << again.err.toStdString();
        EXPECT_EQ(runNow(again.err), step.measured) << again.err.toStdString();
        EXPECT_EQ(readSummary(out("summary.csv")).size(), 4u);
    }

    // Without the failing pair, nothing is run and nothing written.
    manifest({"a", "b", "c"});
    ASSERT_EQ(collect({"--threshold", "120", "--export-formats", "csv,qprop"}).exitCode, 0);
    const QByteArray settled = fileBytes(out("summary.csv"));
    const QDateTime written = QFileInfo(out("summary.csv")).lastModified();
    const Result idle = collect({"--threshold", "120", "--export-formats", "csv,qprop"});
    EXPECT_EQ(idle.exitCode, 0);
    EXPECT_EQ(runNow(idle.err), QStringList());
    EXPECT_TRUE(idle.err.startsWith("3 of 3 pairs unchanged since their last run\n"))
        << idle.err.toStdString();
    EXPECT_EQ(fileBytes(out("summary.csv")), settled);
    EXPECT_EQ(QFileInfo(out("summary.csv")).lastModified(), written);
}

// Ctrl-C or SIGTERM to the collection alone, as a terminal sends it to the group: the pairs
// done are in a whole summary, the others are measured by the next run.
TEST_F(Collection, ASignalKeepsAWholeSummaryAndTheNextRunGoesOn) {
    QStringList names;
    for (int i = 0; i < 12; ++i) {
        names << QStringLiteral("p%1").arg(i, 2, 10, QLatin1Char('0'));
        pair(names.back(), 8 + i, 12);
    }
    manifest(names);
    for (const auto& [number, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
        SCOPED_TRACE(strsignal(number));
        QDir(out()).removeRecursively();
        QProcess process;
        testing::startBatch(
            process, {"--collection", dir.filePath("list.csv"), "--out", out(), "--jobs", "2"});
        for (int i = 0; i < 3000 && readSummary(out("summary.csv")).size() < 2; ++i)
            process.waitForFinished(10);
        ::kill(pid_t(process.processId()), number);
        const Result r = testing::finished(process);
        EXPECT_EQ(r.exitCode, status) << r.err.toStdString();
        const Summary done = readSummary(out("summary.csv"));
        EXPECT_GE(done.size(), 2u);
        EXPECT_LT(done.size(), 12u) << "finished before the signal";
        for (const auto& [name, row] : done) {
            SCOPED_TRACE(name.toStdString());
            EXPECT_EQ(row.at("status"), "0");
            EXPECT_EQ(QString(fileBytes(out(name + ".csv")).left(4)), "r/R,");
        }
        EXPECT_EQ(QDir(out()).entryList(QDir::Files | QDir::Hidden).size(), done.size() + 2)
            << QDir(out()).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString();

        const Result rest = collect();
        EXPECT_EQ(rest.exitCode, 0) << rest.err.toStdString();
        EXPECT_EQ(runNow(rest.err).size() + done.size(), 12u) << rest.err.toStdString();
        EXPECT_EQ(readSummary(out("summary.csv")).size(), 12u);
    }
}

// What a collection takes and what it refuses before it measures anything.
TEST_F(Collection, RefusesOptionsOfOnePairAndBadLists) {
    pair("a");
    manifest({"a"});
    const QString list = dir.filePath("list.csv");
    const struct {
        const char* name;
        QStringList arguments;
        QString inError;
    } rows[] = {
        {"no output folder", {"--collection", list}, "--collection needs --out DIR"},
        {"an export of one pair",
         {"--collection", list, "--out", out(), "--export", "a.csv"},
         "--export is for one pair"},
        {"a picture besides",
         {"--collection", list, "--out", out(), "x.bmp"},
         "\"x.bmp\" is one too many"},
        {"an unknown format",
         {"--collection", list, "--out", out(), "--export-formats", "csv,doc"},
         "--export-formats takes a list of csv, qprop, txt and pdf, not \"csv,doc\""},
        {"exact spans matched",
         {"--collection", list, "--out", out(), "--exact-spans", "--match-spans"},
         "--exact-spans measures the views as they are"},
        {"jobs of one pair",
         {"a-top.bmp", "a-side.bmp", "--jobs", "2"},
         "--jobs is for a --collection"},
        {"no jobs",
         {"--collection", list, "--out", out(), "--jobs", "0"},
         "--jobs takes a whole number from 1 to 1024, not \"0\""},
        {"the summary over the list",
         {"--collection", dir.filePath("summary.csv"), "--out", dir.path()},
         "names the same file"},
    };
    testing::make(dir.filePath("summary.csv"), fileBytes(list));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Result r = runBatch(row.arguments);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.contains(row.inError)) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out("summary.csv")));
    }
}

} // namespace
} // namespace bladetrace
