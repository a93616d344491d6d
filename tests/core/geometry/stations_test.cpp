#include "support/recording_host.h"
#include "geometry/min.h"
#include "geometry/station_layout.h"
#include "geometry/stations.h"
#include "results/sheet.h"
#include "text/app_error.h"
#include "text/number_format.h"

#include <cmath>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

TEST(StationLayout, WindowWidthRoundsHalvesToEven) {
    struct Case {
        int columns, w, windows, count;
    };
    for (const Case& c : {Case{40, 1, 40, 42}, Case{400, 10, 40, 42}, Case{430, 11, 39, 41},
                          Case{410, 10, 41, 43}, Case{615, 15, 41, 43}, Case{820, 20, 41, 43},
                          Case{821, 21, 39, 41}, Case{60, 2, 30, 32}, Case{21, 1, 21, 23}}) {
        const StationLayout layout = layoutStations(c.columns - 1, c.columns + 1);
        EXPECT_EQ(layout.N, c.columns - 1);
        EXPECT_EQ(layout.w, c.w) << c.columns;
        EXPECT_EQ(layout.windows, c.windows) << c.columns;
        EXPECT_EQ(layout.count(), c.count) << c.columns;
        EXPECT_LE(layout.windowStart(layout.windows - 1) + layout.w - 1, layout.N);
    }
    // N + 1 = 820 is 20.5 windows wide: the half goes to the even 20.
    EXPECT_EQ(layoutStations(819, 900).w, 20);
}

TEST(StationLayout, BladeNarrowerThan21ColumnsIsTooNarrowToMeasure) {
    try {
        layoutStations(25, 19);
        FAIL() << "accepted";
    } catch (const Failure& f) {
        EXPECT_TRUE(f.error().description.contains("too narrow"))
            << f.error().description.toStdString();
        EXPECT_TRUE(f.error().description.contains("20 pixel columns"));
    }
}

TEST(Min, ReturnsTheSecondOnATie) {
    const int a = 3, b = 3, c = 2;
    EXPECT_EQ(&Min(a, b), &b);
    EXPECT_EQ(&Min(c, a), &c);
    EXPECT_EQ(Min(2.5, -1.0), -1.0);
}

// The worked station: D 0.185 m, 15000 rpm, 50 m/s, r 0.0694 m, heights 12 and 6 mm.
TEST(Station, WorkedExampleInBothUnitSystems) {
    const StationEdges e{0.0f, 0.012f, 0.0f, 0.006f};
    const double R = double(0.185f) / 2.0;
    const StationResult metric =
        computeStation(11, StationKind::Window, 0.0694f, e, R, 250.0, 50.0, false);
    EXPECT_EQ(sheetRowText(metric.row),
              "12\t0.7503\t0.1450\t69.4000\t12.0000\t26.5651\t218.0265\t100744\t0.35");
    EXPECT_NEAR(metric.row.rOverR, 0.75027, 5e-6);
    EXPECT_NEAR(metric.Chord, 0.0134164, 1e-7);
    EXPECT_NEAR(metric.row.cOverR, 0.14504, 5e-6);
    EXPECT_NEAR(metric.row.pitch, 218.027, 5e-4);
    EXPECT_NEAR(metric.row.mach, 0.353, 5e-4);
    EXPECT_NEAR(metric.Beta, std::atan(0.5), 1e-7);

    const StationResult imperial =
        computeStation(11, StationKind::Window, 0.0694f, e, R, 250.0, 50.0, true);
    const QStringList m = sheetRowCells(metric.row);
    const QStringList i = sheetRowCells(imperial.row);
    for (int column : {0, 1, 2, 5, 7, 8})
        EXPECT_EQ(i[column], m[column]) << column;
    EXPECT_EQ(i[3], "2.7323"); // 69.4 mm
    EXPECT_EQ(i[4], "0.4724"); // 12 mm
    EXPECT_EQ(i[6], "8.5837"); // 218.0265 mm
}

TEST(Station, ZeroTopHeightIsCaughtByTheGuards) {
    const StationEdges flat{0.01f, 0.01f, 0.02f, 0.03f};
    const auto beta = [&](StationKind kind) {
        return computeStation(0, kind, -0.05f, flat, 0.1, 100.0, 10.0, false).row.betaDeg;
    };
    EXPECT_EQ(formatFixed(beta(StationKind::FirstTip), 4), "89.9943");
    EXPECT_EQ(formatFixed(beta(StationKind::Window), 4), "90.0000");
    EXPECT_EQ(formatFixed(beta(StationKind::LastTip), 4), "90.0000");
}

TEST(Station, OverflowFailsInsteadOfShowingInfinity) {
    const StationEdges e{0.01f, 0.02f, 0.02f, 0.03f};
    EXPECT_THROW(computeStation(3, StationKind::Window, 0.05f, e, 0.1, 1e300, 10.0, false),
                 Failure);
}

// Two views with the same edges everywhere: every station has the same chord and angle.
struct Sink : StationSink {
    bool imperial = false;
    std::vector<StationRow> rows;
    bool imperialUnits() override { return imperial; }
    void stationComputed(const StationRow& row) override { rows.push_back(row); }
};

EdgeArrays uniform(int last, float le, float te) {
    return {std::vector<float>(std::size_t(last) + 1, le),
            std::vector<float>(std::size_t(last) + 1, te)};
}

TEST(StationStage, SpansTheDiameterFromTipToTip) {
    const EdgeArrays top = uniform(399, 0.010f, 0.018f);
    const EdgeArrays side = uniform(401, 0.020f, 0.026f);
    Sink sink;
    const StationTable table = computeStations({top, side, 0.2f, 100.0, 20.0}, sink);
    ASSERT_EQ(table.Count, 42);
    ASSERT_EQ(sink.rows.size(), 42u);
    EXPECT_EQ(formatFixed(sink.rows.front().rOverR, 4), "-1.0000");
    EXPECT_EQ(formatFixed(sink.rows.back().rOverR, 4), "1.0000");
    EXPECT_EQ(sink.rows.back().number, 42);
    // Window 39 (the last) covers columns 390..399; its centre 395 lies half a column beyond.
    EXPECT_NEAR(sink.rows[40].rOverR, (395.0 / 399 - 0.5) * 2, 1e-6);
    for (int s = 0; s < 42; ++s) {
        EXPECT_NEAR(table.Beta[std::size_t(s)], std::atan(0.75), 1e-5) << s;
        EXPECT_NEAR(table.Chord[std::size_t(s)], 0.010f, 1e-7) << s;
        EXPECT_FLOAT_EQ(table.XLE[std::size_t(s)], 0.010f);
        EXPECT_FLOAT_EQ(table.ZLE[std::size_t(s)], 0.020f);
    }
}

TEST(StationStage, KeepsEveryStationBeyond42) {
    const EdgeArrays top = uniform(409, 0.01f, 0.02f);
    Sink sink;
    const StationTable table = computeStations({top, top, 0.2f, 100.0, 20.0}, sink);
    EXPECT_EQ(table.Count, 43);
    EXPECT_EQ(sink.rows.size(), 43u);
    EXPECT_GE(table.Chord.size(), 43u);
    EXPECT_EQ(sink.rows.back().number, 43);
}

TEST(StationStage, ReadsTheUnitBoxForEveryRow) {
    const EdgeArrays top = uniform(99, 0.01f, 0.02f);
    struct Toggling : Sink {
        int asked = 0;
        bool imperialUnits() override { return ++asked % 2 == 0; }
    } sink;
    const StationTable table = computeStations({top, top, 0.2f, 100.0, 20.0}, sink);
    EXPECT_EQ(sink.asked, table.Count);
    EXPECT_NEAR(sink.rows[0].r, -100.0, 1e-4);      // metric, mm
    EXPECT_NEAR(sink.rows[1].c, 10.0 / 25.4, 1e-5); // imperial, inch
}

} // namespace
} // namespace bladetrace
