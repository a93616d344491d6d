#include "geometry/station_layout.h"
#include "geometry/stations.h"
#include "results/sheet.h"
#include "support/failure_of.h"
#include "text/number_format.h"

#include <cmath>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

TEST(StationLayout, WindowWidthRoundsHalvesToEven) {
    struct Case {
        int columns, w, windows, count, lastWindowStart;
    };
    for (const Case& c :
         {Case{40, 1, 40, 42, 39}, Case{400, 10, 40, 42, 390}, Case{430, 11, 39, 41, 418},
          Case{410, 10, 41, 43, 400}, Case{615, 15, 41, 43, 600}, Case{820, 20, 41, 43, 800},
          Case{821, 21, 39, 41, 798}, Case{60, 2, 30, 32, 58}, Case{21, 1, 21, 23, 20}}) {
        SCOPED_TRACE(::testing::Message() << c.columns << " columns");
        const StationLayout layout = layoutStations(c.columns - 1, c.columns + 1);
        EXPECT_EQ(layout.N, c.columns - 1);
        EXPECT_EQ(layout.w, c.w);
        EXPECT_EQ(layout.windows, c.windows);
        EXPECT_EQ(layout.count(), c.count);
        EXPECT_EQ(layout.windowStart(layout.windows - 1), c.lastWindowStart);
    }
}

TEST(StationLayout, BladeNarrowerThan21ColumnsIsTooNarrowToMeasure) {
    const AppError error = testing::failureOf([] { layoutStations(25, 19); });
    EXPECT_EQ(error.number, errc::kDivisionByZero);
    EXPECT_TRUE(error.description.contains("too narrow to measure: it spans 20 pixel columns"))
        << error.description;
}

// The worked station: D 0.185 m, 15000 rpm, 50 m/s, r 0.0694 m, heights 12 and 6 mm.
TEST(Station, WorkedExampleInBothUnitSystems) {
    const StationEdges e{0.0f, 0.012f, 0.0f, 0.006f};
    const double R = double(0.185f) / 2.0;
    const StationResult metric =
        computeStation(11, StationKind::Window, 0.0694f, e, R, 250.0, 50.0, false);
    EXPECT_EQ(sheetRowCells(metric.row).join('\t'),
              "12\t0.7503\t0.1450\t69.4000\t12.0000\t26.5651\t218.0265\t100744\t0.35");
    EXPECT_NEAR(metric.Chord, 0.0134164, 1e-7);
    EXPECT_NEAR(metric.Beta, std::atan(0.5), 1e-7);
    EXPECT_NEAR(metric.row.mach, 0.353, 5e-4); // shown to two decimals only

    const QStringList m = sheetRowCells(metric.row);
    EXPECT_EQ(sheetRowCells(
                  computeStation(11, StationKind::Window, 0.0694f, e, R, 250.0, 50.0, true).row),
              (QStringList{m[0], m[1], m[2], "2.7323", "0.4724", m[5], "8.5837", m[7], m[8]}));
}

TEST(Station, OnlyAZeroTopHeightIsCaughtByTheGuards) {
    const StationEdges flat{0.01f, 0.01f, 0.02f, 0.03f};
    const auto beta = [&](StationKind kind) {
        return computeStation(0, kind, -0.05f, flat, 0.1, 100.0, 10.0, false).row.betaDeg;
    };
    EXPECT_EQ(formatFixed(beta(StationKind::FirstTip), 4), "89.9943");
    EXPECT_EQ(formatFixed(beta(StationKind::Window), 4), "90.0000");
    EXPECT_EQ(formatFixed(beta(StationKind::LastTip), 4), "90.0000");
    const StationEdges unit{0, 1, 0, 1}; // a height of one is no zero
    EXPECT_NEAR(computeStation(1, StationKind::Window, 0, unit, 1, 1, 1, false).row.betaDeg, 45,
                1e-6);
}

TEST(Station, OverflowFailsInsteadOfShowingInfinity) {
    const StationEdges e{0.01f, 0.02f, 0.02f, 0.03f};
    EXPECT_EQ(testing::failureOf([&] {
                  computeStation(3, StationKind::Window, 0.05f, e, 0.1, 1e300, 10.0, false);
              }).number,
              errc::kOverflow);
}

struct Sink : StationSink {
    int asked = 0;
    std::vector<StationRow> rows;
    bool imperialUnits() override { return ++asked % 2 == 0; } // every second row imperial
    void stationComputed(const StationRow& row) override { rows.push_back(row); }
};

// Edges that differ from column to column: column c has its top-view leading edge at c, its
// top-view height c + 1 and its side-view height 10, so each station's values tell which
// columns it averaged. The side view is two columns shorter: N + 1 = 410 columns make
// w = 10, 41 windows and 43 stations.
TEST(StationStage, AveragesEachStationsOwnColumnsAcrossTheDiameter) {
    EdgeArrays top, side;
    for (int c = 0; c <= 411; ++c) {
        top.xLE.push_back(float(c));
        top.xTE.push_back(float(2 * c + 1));
        side.xLE.push_back(float(-c));
        side.xTE.push_back(float(10 - c));
    }
    side.xLE.resize(410);
    side.xTE.resize(410);
    Sink sink;
    const StationTable t = computeStations({top, side, 0.2f, 100.0, 20.0}, sink);
    EXPECT_EQ(t.Count, 43);
    ASSERT_EQ(sink.rows.size(), 43u);
    EXPECT_EQ(sink.asked, 43); // the units once per row
    EXPECT_EQ(sink.rows.back().number, 43);
    // Station: the mean column of what it averaged (column 0; windows 0..9, 10..19, the last
    // 400..409; column N = 409), and its centre over the top view's last index, 411.
    const struct {
        int s;
        float mean;
        double rOverR;
    } stations[] = {{0, 0, -1},
                    {1, 4.5f, (5.0 / 411 - 0.5) * 2},
                    {2, 14.5f, (15.0 / 411 - 0.5) * 2},
                    {41, 404.5f, (405.0 / 411 - 0.5) * 2},
                    {42, 409, 1}};
    for (const auto& e : stations) {
        const auto s = std::size_t(e.s);
        EXPECT_FLOAT_EQ(t.XLE[s], e.mean) << e.s;
        EXPECT_FLOAT_EQ(t.ZLE[s], -e.mean) << e.s;
        EXPECT_FLOAT_EQ(t.Chord[s], std::hypot(e.mean + 1, 10.0f)) << e.s;
        EXPECT_FLOAT_EQ(t.Beta[s], std::atan(10 / (e.mean + 1))) << e.s;
        EXPECT_NEAR(sink.rows[s].rOverR, e.rOverR, 1e-6) << e.s;
    }
    EXPECT_NEAR(sink.rows[0].r, -100.0, 1e-4);       // metric, mm
    EXPECT_NEAR(sink.rows[1].c, 5.5 / 0.0254, 1e-2); // imperial, inch
}

} // namespace
} // namespace bladetrace
