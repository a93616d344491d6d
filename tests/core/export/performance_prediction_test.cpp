#include "export/performance_prediction.h"
#include "run/calc_it.h"
#include "support/painted_blades.h"
#include "support/recording_host.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// A tapered, twisted blade measured by a run, with the polar and blade count the host gives.
RunResults measured(testing::RecordingHost& host) {
    const QTemporaryDir dir;
    host.topFile = testing::saveImage(testing::taperedView(80, 30, 8), dir.path(), "top.bmp");
    host.sideFile = testing::saveImage(testing::taperedView(80, 20, 4), dir.path(), "side.bmp");
    host.rpm = QStringLiteral("6000");
    host.velocity = QStringLiteral("10");
    EXPECT_EQ(CalcIt(host.host()), RunOutcome::Completed);
    return host.results.back();
}

TEST(PerformancePrediction, TheRunsBladeCountAndPolarReachTheModel) {
    testing::RecordingHost host;
    host.blades = 3;
    host.polar.cl0 = 0.2;
    host.atmosphere.density = 1.0;
    const RunResults results = measured(host);
    EXPECT_EQ(results.inputs.blades, 3);
    EXPECT_EQ(results.inputs.polar, host.polar);
    EXPECT_EQ(results.inputs.air.density, 1.0);
    EXPECT_NEAR(results.radius(), 0.0925, 1e-7); // half the diameter typed

    const PerformancePrediction three = predictPerformance(results);
    ASSERT_TRUE(three.problem.isEmpty()) << three.problem.toStdString();
    EXPECT_EQ(three.rpm, 6000.0);
    EXPECT_EQ(three.curve.front().J, 0.0);
    EXPECT_LT(three.curve.back().CT, 0.0);
    const double n = 100, diameter = 2 * results.radius();
    EXPECT_NEAR(three.operating.J, 10 / (n * diameter), 1e-9);
    EXPECT_NEAR(three.operating.speed, 10, 1e-9);
    const PerformancePrediction alone = predictOperatingPoint(results);
    EXPECT_TRUE(alone.curve.empty());
    EXPECT_EQ(alone.operating.thrust, three.operating.thrust);

    RunResults two = results;
    two.inputs.blades = 2;
    EXPECT_LT(predictPerformance(two).curve.front().thrust, three.curve.front().thrust);
    RunResults moreLift = results;
    moreLift.inputs.polar.cl0 = 0.4;
    EXPECT_GT(predictPerformance(moreLift).curve.front().thrust, three.curve.front().thrust);
}

TEST(PerformancePrediction, ChartsAndOperatingPointInWords) {
    testing::RecordingHost host;
    const PerformancePrediction p = predictPerformance(measured(host));
    const Plot coefficients = performancePlot(p, PerformanceChart::Coefficients, Language::German);
    EXPECT_EQ(coefficients.title, "Schub- und Leistungsbeiwert");
    ASSERT_EQ(coefficients.lines.size(), 3u); // CT, CP, the operating point
    EXPECT_EQ(coefficients.lines[0].x.size(), p.curve.size());
    EXPECT_EQ(coefficients.lines[1].x.size(), p.curve.size());
    EXPECT_EQ(coefficients.lines[1].y.back(), p.curve.back().CP);
    EXPECT_EQ(coefficients.lines[2].y, (std::vector<double>{p.operating.CT, p.operating.CP}));

    const Plot efficiency = performancePlot(p, PerformanceChart::Efficiency, Language::English);
    EXPECT_EQ(efficiency.title, "Efficiency");
    // The last point brakes: no efficiency there.
    EXPECT_EQ(efficiency.lines[0].x.size(), p.curve.size() - 1);

    const QStringList lines = operatingPointLines(p, Language::English, true);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith("At 22.4\u00a0mph")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith("\u00a0lbf")) << lines[1].toStdString();

    PerformancePrediction none;
    none.problem = QStringLiteral("the blade has no sections");
    EXPECT_EQ(operatingPointLines(none, Language::German, false),
              QStringList{"Keine Vorhersage: the blade has no sections"});
}

} // namespace
} // namespace bladetrace
