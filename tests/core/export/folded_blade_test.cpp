#include "core/export/sample_runs.h"
#include "export/folded_blade.h"

#include <gtest/gtest.h>

namespace bladetrace {
namespace {

using FoldedBlade = testing::SampleRunsTest;

// From the hub to the tip, as the charts show it (tip first) read backwards; lengths in the
// unit asked for, whichever unit the run's pitch chart is in.
TEST_F(FoldedBlade, RunsFromHubToTipInTheUnitAskedFor) {
    for (const RunResults* run : {&metricRun(), &imperialRun()}) {
        for (const bool imperial : {false, true}) {
            SCOPED_TRACE(::testing::Message() << (run->imperial ? "imperial" : "metric") << " run, "
                                              << (imperial ? "inches" : "metres"));
            const std::vector<BladeStation> blade = foldedBlade(*run, imperial);
            const ChartSet& charts = run->charts;
            ASSERT_EQ(blade.size(), std::size_t(charts[kChordChart].rows()));
            const double length = run->radius() / (imperial ? 0.0254 : 1.0);
            const double pitch = run->imperial == imperial ? 1 : imperial ? 1 / 0.0254 : 0.0254;
            for (std::size_t i = 0; i < blade.size(); ++i) {
                const std::size_t row = blade.size() - 1 - i;
                EXPECT_DOUBLE_EQ(blade[i].rR, charts[kChordChart].x[row]) << i;
                EXPECT_DOUBLE_EQ(blade[i].cR, charts[kChordChart].y[row]) << i;
                EXPECT_DOUBLE_EQ(blade[i].betaDeg, charts[kBetaChart].y[row]) << i;
                EXPECT_NEAR(blade[i].r, blade[i].rR * length, 1e-12) << i;
                EXPECT_NEAR(blade[i].c, blade[i].cR * length, 1e-12) << i;
                EXPECT_NEAR(blade[i].pitch, charts[kPitchChart].y[row] * pitch, 1e-9) << i;
            }
            EXPECT_DOUBLE_EQ(blade.back().rR, 1.0); // the tip last
        }
    }
}

} // namespace
} // namespace bladetrace
