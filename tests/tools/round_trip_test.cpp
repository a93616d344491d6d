// Known blades drawn by the renderer and measured by the whole run: the charted chord and
// blade angle must match the blade at every station on the blade, within what whole pixels
// allow. The tolerances come from station_truth.cpp.
#include "core_run.h"
#include "station_truth.h"

#include <cmath>
#include <gtest/gtest.h>

namespace bladetrace::roundtrip {
namespace {

using render::BladeDefinition;
using render::RenderOptions;

// Paper and ink of the renderer; the scanner's threshold halfway between them.
constexpr int kMidThreshold = 132;

BladeDefinition constantBlade(double thicknessPercent) {
    BladeDefinition b;
    b.diameter = 0.2;
    b.rows = {{0.0, 0.2, 30.0, thicknessPercent}, {1.0, 0.2, 30.0, thicknessPercent}};
    return b;
}

// Tapered and twisted like a model propeller, thickness falling linearly from 20 % at the
// axis to 10 % at the tip, as the correction's defaults assume.
BladeDefinition taperedBlade() {
    BladeDefinition b;
    b.diameter = 0.185;
    b.hubRadius = 0.0085;
    b.hubLength = 0.009;
    b.rows = {{0.12, 0.130, 52.0, 18.8}, {0.30, 0.168, 45.5, 17.0}, {0.50, 0.170, 34.5, 15.0},
              {0.70, 0.145, 26.2, 13.0}, {0.90, 0.095, 20.9, 11.0}, {1.00, 0.045, 19.0, 10.0}};
    return b;
}

RenderOptions at(double pixelsPerMetre, double noise = 0) {
    RenderOptions o;
    o.pixelsPerMetre = pixelsPerMetre;
    o.noise = noise;
    return o;
}

// What thickness correction leaves over. The correction takes the top view's width for the
// chord's projection alone and scales the thickness above the leading edge with the measured
// (thickness-widened) chord. For these blades (beta <= 52 deg, t/c <= 19 %) the first adds
// at most 1.2 % of the chord ahead of the leading edge in the top view, and the second
// overstates the thickness by a few percent of itself: together below 0.3 deg.
constexpr double kCorrectionResidualDeg = 0.3;

enum class Check { Silhouette, Corrected };

void expectRows(const CoreResult& run, const std::vector<RowTruth>& truth, Check check) {
    ASSERT_EQ(run.outcome, RunOutcome::Completed) << qPrintable(run.messages.join('\n'));
    ASSERT_EQ(run.rR.size(), truth.size());
    int compared = 0;
    for (std::size_t i = 0; i < truth.size(); ++i) {
        const RowTruth& t = truth[i];
        SCOPED_TRACE(::testing::Message() << "row " << i + 1 << ", r/R " << t.rR);
        EXPECT_NEAR(run.rR[i], t.rR, 1e-6);
        if (!t.onBlade)
            continue;
        ++compared;
        // The chord is never corrected: it keeps what the silhouettes give.
        EXPECT_NEAR(run.cOverR[i], t.silhouetteCOverR, t.cTolerance);
        if (check == Check::Silhouette)
            EXPECT_NEAR(run.betaDeg[i], t.silhouetteBetaDeg, t.betaToleranceDeg);
        else
            EXPECT_NEAR(run.betaDeg[i], t.betaDeg, t.betaToleranceDeg + kCorrectionResidualDeg);
    }
    EXPECT_GE(compared, int(truth.size()) * 3 / 4);
}

struct ConstantCase {
    const char* name;
    double thickness;
    double pixelsPerMetre;
};

void PrintTo(const ConstantCase& c, std::ostream* os) {
    *os << c.name;
}

class ConstantBlade : public ::testing::TestWithParam<ConstantCase> {};

TEST_P(ConstantBlade, MeasuresChordAndAngleWithAndWithoutCorrection) {
    const ConstantCase c = GetParam();
    const BladeDefinition blade = constantBlade(c.thickness);
    const RenderOptions options = at(c.pixelsPerMetre);
    const auto pair = render::renderPropeller(blade, options);
    const auto truth = chartTruth(blade, options, kMidThreshold);
    {
        SCOPED_TRACE("without correction");
        expectRows(runCore(pair, blade.diameter, kMidThreshold), truth, Check::Silhouette);
    }
    {
        SCOPED_TRACE("with correction");
        const CoreResult run =
            runCore(pair, blade.diameter, kMidThreshold, Thickness{c.thickness, c.thickness});
        EXPECT_TRUE(run.scriptWritten);
        expectRows(run, truth, Check::Corrected);
    }
}

INSTANTIATE_TEST_SUITE_P(ThinAndThick, ConstantBlade,
                         ::testing::Values(ConstantCase{"thin_coarse", 4, 5000},
                                           ConstantCase{"thin_fine", 4, 20000},
                                           ConstantCase{"thick_coarse", 18, 5000},
                                           ConstantCase{"thick_fine", 18, 20000}),
                         [](const auto& p) { return std::string(p.param.name); });

// A model propeller as it comes off a scanner: grey noise, the window's initial threshold.
TEST(TaperedBlade, MeasuresTheTaperAndTheTwistAtEveryStation) {
    const BladeDefinition blade = taperedBlade();
    const RenderOptions options = at(10800, 2.0);
    constexpr int kWindowThreshold = 110;
    const auto pair = render::renderPropeller(blade, options);
    const auto truth = chartTruth(blade, options, kWindowThreshold);
    {
        SCOPED_TRACE("without correction");
        expectRows(runCore(pair, blade.diameter, kWindowThreshold), truth, Check::Silhouette);
    }
    {
        SCOPED_TRACE("with correction");
        expectRows(runCore(pair, blade.diameter, kWindowThreshold, Thickness{20, 10}), truth,
                   Check::Corrected);
    }
}

// Blades set 4 degrees apart: each chart row is the mean of the two blades, so a row that
// took one blade alone would be 2 degrees off, well beyond the tolerance at this resolution.
TEST(MisSetBlades, ChartTheMeanOfBothBlades) {
    const BladeDefinition blade = constantBlade(4);
    RenderOptions options = at(20000);
    options.leftBladeOffsetDeg = 4;
    const auto truth = chartTruth(blade, options, kMidThreshold);
    const CoreResult run =
        runCore(render::renderPropeller(blade, options), blade.diameter, kMidThreshold);
    expectRows(run, truth, Check::Silhouette);
    // The last row of an even station count folds with a row folded before; skip it.
    for (std::size_t i = 1; i + 1 < truth.size(); ++i)
        EXPECT_NEAR(truth[i].betaDeg, 32.0, 1e-9);
}

} // namespace
} // namespace bladetrace::roundtrip
