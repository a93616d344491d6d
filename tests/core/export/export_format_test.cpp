// The text formats (csv_export, qprop_export, published_table_export), each written through
// exportBytes from the folded blade.
#include "core/export/sample_runs.h"
#include "export/export_format.h"
#include "performance/polar.h"
#include "support/failure_of.h"
#include "support/locale_guard.h"

#include <QMap>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

using ExportFormats = testing::SampleRunsTest;

// Read back as a user's program would, in a German locale, and compared with the charts:
// each column by its name in the table's header, to as many decimals as it shows.
TEST_F(ExportFormats, TextFormatsReadBackGiveTheChartValuesFromHubToTip) {
    const struct {
        const char* fileName;
        bool imperial;
        const char* tableHeader; // the data lines follow it
        const char* decimals;
        bool axisStation; // the station at r = 0 is listed
    } formats[] = {
        {"blade.CSV", false, "r/R,c/R,beta [deg],r [m],c [m],pitch [m]", "664666", true},
        {"blade.csv", true, "r/R,c/R,beta [deg],r [in],c [in],pitch [in]", "664555", true},
        {"blade.qprop", false, "#  r  chord  beta", "663", false},
        {"blade.Txt", false, "r/R c/R beta", "442", true}};
    const QRegularExpression separators("[,\\s]+");
    for (const auto& f : formats) {
        SCOPED_TRACE(f.fileName);
        const RunResults& run = f.imperial ? imperialRun() : metricRun();
        QString text;
        {
            const testing::LocaleGuard german(QLocale::German);
            text = QString::fromUtf8(exportBytes(run, QString::fromLatin1(f.fileName)));
        }
        QStringList lines = text.split('\n', Qt::SkipEmptyParts);
        const int header = int(lines.indexOf(QString::fromLatin1(f.tableHeader)));
        ASSERT_GE(header, 0) << text.toStdString();
        QStringList columns = lines[header].split(separators, Qt::SkipEmptyParts);
        columns.removeIf([](const QString& c) { return c == "#" || c.startsWith('['); });
        lines = lines.mid(header + 1);

        const ChartSet& charts = run.charts;
        const int skipped = f.axisStation ? 0 : 1; // 42 stations: the fold ends on the axis
        const int rows = charts[kChordChart].rows() - skipped;
        ASSERT_EQ(lines.size(), rows);
        const double length = run.radius() / (f.imperial ? 0.0254 : 1.0);
        for (int i = 0; i < rows; ++i) {
            SCOPED_TRACE(lines[i].toStdString());
            const auto n = std::size_t(rows - 1 - i);
            const double rR = charts[kChordChart].x[n];
            const double cR = charts[kChordChart].y[n];
            const QMap<QString, double> expected = {{"r/R", rR},
                                                    {"c/R", cR},
                                                    {"beta", charts[kBetaChart].y[n]},
                                                    {"r", rR * length},
                                                    {"c", cR * length},
                                                    {"chord", cR * length},
                                                    {"pitch", charts[kPitchChart].y[n]}};
            const QStringList cells = lines[i].split(separators, Qt::SkipEmptyParts);
            ASSERT_EQ(cells.size(), columns.size());
            for (int c = 0; c < columns.size(); ++c) {
                ASSERT_TRUE(expected.contains(columns[c])) << columns[c].toStdString();
                bool ok = false;
                const double value = QLocale::c().toDouble(cells[c], &ok);
                EXPECT_TRUE(ok) << cells[c].toStdString();
                EXPECT_NEAR(value, expected[columns[c]], 0.51 * std::pow(10.0, '0' - f.decimals[c]))
                    << columns[c].toStdString();
                EXPECT_EQ(cells[c].section('.', 1).size(), f.decimals[c] - '0')
                    << cells[c].toStdString();
            }
        }
    }
}

// A pointed tip's chord, extrapolated below zero, is written as 0: QPROP stops at a negative
// chord.
TEST_F(ExportFormats, NoFileGetsANegativeChord) {
    RunResults run = metricRun();
    run.charts[kChordChart].y.front() = -0.004158; // c/R at the tip, which comes first
    const QString qprop = QString::fromUtf8(exportBytes(run, ExportFormat::Qprop)).trimmed();
    const QStringList tip = qprop.section('\n', -1).split(' ', Qt::SkipEmptyParts);
    ASSERT_EQ(tip.size(), 3) << tip;
    EXPECT_EQ(tip[1], "0.000000");
}

// QPROP's value lines before the table, each with its "!" comment: the polar the run used,
// marked as one to replace unless the user gave it.
QStringList qpropValueLines(const RunResults& run, const char* note) {
    const QStringList lines = QString::fromUtf8(exportBytes(run, ExportFormat::Qprop)).split('\n');
    EXPECT_EQ(lines[0], "top");
    QStringList values;
    for (const QString& line : lines.mid(1, lines.indexOf("#  r  chord  beta") - 1)) {
        if (line.isEmpty())
            continue;
        SCOPED_TRACE(line.toStdString());
        EXPECT_TRUE(line.contains('!'));
        const bool marked = values.size() >= 1 && values.size() <= 4 && note != nullptr;
        EXPECT_EQ(line.contains("default"), marked);
        if (marked) {
            EXPECT_TRUE(line.contains(note));
        }
        values << line.section('!', 0, 0).simplified();
    }
    return values;
}

TEST_F(ExportFormats, QpropPreambleHoldsTheRadiusAndThePolarUsed) {
    RunResults run = metricRun();
    const QString blades = "2 " + QString::number(run.radius(), 'f', 6);
    EXPECT_EQ(qpropValueLines(run, "program's default").size(), 7);
    run.inputs.polar = genericPolar();
    EXPECT_EQ(qpropValueLines(run, "generic default"),
              (QStringList{blades, "0.50 5.8", "-0.3 1.2", "0.028 0.050 0.020 0.5", "70000 -0.7",
                           "1 1 1", "0 0 0"}));
    run.inputs.polar.cl0 = 0.3;
    run.inputs.polar.reRef = 150000;
    EXPECT_EQ(qpropValueLines(run, nullptr),
              (QStringList{blades, "0.30 5.8", "-0.3 1.2", "0.028 0.050 0.020 0.5", "150000 -0.7",
                           "1 1 1", "0 0 0"}));
}

// QPROP takes the first line that is neither blank nor a "#" comment for the propeller's name:
// the top view's name, which must not read as a comment or be missing.
TEST_F(ExportFormats, QpropNamesThePropellerAfterTheTopView) {
    const struct {
        const char* topFile;
        const char* name;
    } cases[] = {
        {"/scans/pylon 1.bmp", "pylon 1"}, {"/scans/#3.bmp", "Bladetrace #3"}, {"", "Bladetrace"}};
    for (const auto& c : cases) {
        RunResults run = metricRun();
        run.inputs.topFile = QString::fromLatin1(c.topFile);
        EXPECT_EQ(QString::fromUtf8(exportBytes(run, ExportFormat::Qprop)).section('\n', 0, 0),
                  c.name)
            << c.topFile;
    }
}

// In any case, as the text formats' test names them; nothing else is a format.
TEST(ExportFormat, OnlyTheKnownExtensionsChooseAFormat) {
    EXPECT_EQ(exportFormatFor("a.b/blade.QPROP"), ExportFormat::Qprop);
    EXPECT_EQ(exportFormatFor("blade.png"), std::nullopt);
    EXPECT_EQ(exportFormatFor("csv"), std::nullopt);
    EXPECT_EQ(exportFormatFor("blade.csv.bak"), std::nullopt);
}

TEST_F(ExportFormats, AnUnknownExtensionFailsNamingTheKnownOnes) {
    const AppError error = testing::failureOf([] { exportBytes(metricRun(), "blade.doc"); });
    EXPECT_EQ(error.number, errc::kBadFileName);
    EXPECT_EQ(error.description,
              "Cannot save blade.doc: unknown file type; use .csv, .qprop, .txt or .pdf.");
}

} // namespace
} // namespace bladetrace
