#include "results/charts.h"
#include "text/number_format.h"

#include <gtest/gtest.h>
#include <tuple>

namespace bladetrace {
namespace {

// A folded table's radii alone, as the fold leaves them.
FoldedTable radiiTable(int count) {
    FoldedTable folded;
    StationTable& t = folded.table;
    t.Count = count;
    for (int i = 0; i <= count / 2; ++i)
        t.rR[std::size_t(i)] = float(1.0 - 2.0 * i / count);
    return folded;
}

TEST(Charts, TipIsExtrapolatedFromTheNextTwoStations) {
    FoldedTable t = radiiTable(30);
    t.table.Beta[0] = 1.5f;
    t.table.Beta[1] = 0.30f;
    t.table.Beta[2] = 0.35f;
    t.table.Chord[0] = 9.0f;
    t.table.Chord[1] = 0.020f;
    t.table.Chord[2] = 0.024f;
    applyTipCorrection(t);
    EXPECT_FLOAT_EQ(t.table.Beta[0], 0.30f - (0.35f - 0.30f));
    EXPECT_FLOAT_EQ(t.table.Chord[0], 0.016f);
}

// The labels are in the text table's header below.
TEST(Charts, ValuesTitlesAndLabels) {
    FoldedTable t = radiiTable(20);
    t.table.Chord[3] = 0.02f;
    t.table.Beta[3] = 0.5f;
    t.table.rR[3] = 0.5f;
    const float D = 0.185f;
    const ChartSet metric = chartValues(t, D, double(D) / 2.0, false);
    const ChartSet imperial = chartValues(t, D, double(D) / 2.0, true);
    const auto y3 = [](const ChartSeries& s) { return formatSignificant(s.y[3], 7); };
    EXPECT_EQ(y3(metric[kChordChart]), "0.2162162");
    EXPECT_EQ(y3(metric[kBetaChart]), "28.64789");
    EXPECT_EQ(y3(metric[kPitchChart]), "0.158754");
    EXPECT_EQ(y3(imperial[kPitchChart]), "6.250159");
    const struct {
        const char* name;
        const ChartSeries& series;
        const char *key, *yTitle, *yLabel;
    } charts[] = {{"chord", metric[kChordChart], "CHORD", "c/R", "c/R [-]"},
                  {"twist", metric[kBetaChart], "BETA", "ß [°]", "ß [°]"},
                  {"pitch", metric[kPitchChart], "PITCH", "H [m]", "H [m]"},
                  {"pitch in inches", imperial[kPitchChart], "PITCH", "H [inch]", "H [inch]"}};
    for (const auto& c : charts) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.series.key, c.key); // the page that shows it
        EXPECT_EQ(c.series.xTitle, "r/R");
        EXPECT_EQ(c.series.xLabel, "r/R [-]");
        EXPECT_EQ(c.series.yTitle, QString::fromUtf8(c.yTitle));
        EXPECT_EQ(c.series.yLabel, QString::fromUtf8(c.yLabel));
    }
}

TEST(Charts, OneRowPerFoldedStationFromTheTip) {
    for (const auto& [count, rows, lastRadius] :
         {std::tuple{20, 11, 0.0}, std::tuple{21, 11, 1.0 - 20.0 / 21}, std::tuple{5, 3, 0.2}}) {
        SCOPED_TRACE(::testing::Message() << count << " stations");
        const ChartSet charts = chartValues(radiiTable(count), 0.2f, 0.1, false);
        for (const ChartSeries& s : charts) {
            SCOPED_TRACE(s.key.toStdString());
            ASSERT_EQ(s.rows(), rows);
            EXPECT_DOUBLE_EQ(s.x.front(), 1.0);
            EXPECT_NEAR(s.x.back(), lastRadius, 1e-7);
        }
    }
}

TEST(Charts, TextTableHasHeaderAndOneLinePerRow) {
    FoldedTable t = radiiTable(4);
    t.table.Chord = std::vector<float>(42, 0.01f);
    const ChartSet charts = chartValues(t, 0.2f, 0.1, false);
    const QStringList lines = chartsText(charts).split('\n');
    ASSERT_EQ(lines.size(), 5); // header, 3 rows, nothing after the last LF
    EXPECT_EQ(lines[0], QString::fromUtf8("No.\tr/R [-]\tc/R [-]\tß [°]\tH [m]"));
    EXPECT_EQ(lines[1], "1\t1\t0.1\t0\t0");
    EXPECT_EQ(lines[3], "3\t0\t0.1\t0\t0");
    EXPECT_EQ(lines[4], "");
    // One chart's own grid, as its copy gives it.
    EXPECT_TRUE(seriesText(charts[kChordChart]).startsWith("\tr/R [-]\tc/R [-]\n1\t1\t0.1\n2\t"))
        << seriesText(charts[kChordChart]);
}

} // namespace
} // namespace bladetrace
