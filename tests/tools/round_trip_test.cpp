// Known blades drawn by the renderer and measured by the whole run: the charted chord and
// blade angle must match the blade at every station on the blade, within what whole pixels
// allow. The truth and its tolerances come from station_truth.cpp.
#include "midway_threshold.h"
#include "prepare/threshold_suggestion.h"
#include "results/charts.h"
#include "run/calc_it.h"
#include "station_truth.h"
#include "support/recording_host.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>

namespace bladetrace::roundtrip {
namespace {

using render::BladeDefinition;
using render::RenderOptions;

// The thickness-correction box ticked with these root and tip thicknesses, in percent.
struct Thickness {
    double root, tip;
};

// What a run showed: its outcome, the messages it raised and the two charts' values.
struct CoreResult {
    RunOutcome outcome = RunOutcome::Failed;
    QStringList messages;
    bool scriptWritten = false;
    std::vector<double> cOverR;        // row 0 the tip: folded chord over radius
    std::vector<double> betaDeg;       // folded, and corrected when asked, blade angle
    std::vector<double> stationROverR; // each sheet row's r/R, first tip first
    QStringList notes;                 // said after the run
};

struct CoreHost : testing::RecordingHost {
    bool match = false;
    bool matchSpans() override { return match; }
};

// Runs the whole analysis (CalcIt) on the pair saved into a fresh temporary directory, as the
// window would with these inputs.
CoreResult runCore(const render::RenderedPair& pair, double diameter, int threshold,
                   std::optional<Thickness> thickness = std::nullopt, bool matchSpans = false) {
    QTemporaryDir dir;
    CoreHost host;
    host.topFile = dir.filePath(QStringLiteral("top.bmp"));
    host.sideFile = dir.filePath(QStringLiteral("side.bmp"));
    EXPECT_TRUE(pair.top.save(host.topFile)) << host.topFile;
    EXPECT_TRUE(pair.side.save(host.sideFile)) << host.sideFile;
    host.diameter = QString::number(diameter, 'g', 9);
    host.threshold = threshold;
    host.thickness = thickness.has_value();
    host.match = matchSpans;
    if (thickness) {
        host.rootThickness = QString::number(thickness->root);
        host.tipThickness = QString::number(thickness->tip);
    }
    CoreResult result;
    result.outcome = CalcIt(host.host());
    for (const auto& message : host.messages)
        result.messages << message.text;
    for (const QString& row : host.rows)
        result.stationROverR.push_back(row.section('\t', 1, 1).toDouble());
    result.scriptWritten = host.clipboard.startsWith(QLatin1String("_Curve "));
    result.notes = host.runNotes;
    if (!host.charts.empty()) {
        result.cOverR = host.charts.back()[kChordChart].y;
        result.betaDeg = host.charts.back()[kBetaChart].y;
    }
    return result;
}

// Paper and ink of the renderer; the scanner's threshold halfway between them.
constexpr int kMidThreshold = 132;
constexpr int kWindowThreshold = 110;

BladeDefinition constantBlade(double thicknessPercent) {
    BladeDefinition b;
    b.diameter = 0.2;
    b.rows = {{0.0, 0.2, 30.0, thicknessPercent}, {1.0, 0.2, 30.0, thicknessPercent}};
    return b;
}

// The sample propeller, tapered and twisted like a model propeller, its thickness falling
// from 20 % at the axis to 10 % at the tip, as the correction's defaults assume; drawn by
// the build into the programs' directory with the command of resources/samples.
BladeDefinition pylonBlade() {
    QFile file(QStringLiteral(BLADETRACE_SOURCE_DIR "/resources/samples/pylon_blade.txt"));
    BladeDefinition blade;
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.fileName());
    EXPECT_EQ(render::parseBladeTable(QString::fromUtf8(file.readAll()), blade.rows), QString());
    blade.diameter = 0.185;
    blade.hubRadius = 0.0085;
    blade.hubLength = 0.009;
    return blade;
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

// Compares the charts with the blade; `widen` scales the tolerances.
void expectRows(const CoreResult& run, const BladeDefinition& blade, const RenderOptions& options,
                int threshold, Check check, double widen = 1) {
    ASSERT_EQ(run.outcome, RunOutcome::Completed) << qPrintable(run.messages.join('\n'));
    const std::vector<RowTruth> truth = chartTruth(blade, options, threshold, run.stationROverR);
    ASSERT_EQ(run.cOverR.size(), truth.size());
    int compared = 0;
    for (std::size_t i = 0; i < truth.size(); ++i) {
        const RowTruth& t = truth[i];
        if (!t.onBlade)
            continue;
        SCOPED_TRACE(::testing::Message() << "row " << i + 1);
        ++compared;
        // The chord is never corrected: it keeps what the silhouettes give.
        EXPECT_NEAR(run.cOverR[i], t.silhouetteCOverR, t.cTolerance * widen);
        if (check == Check::Silhouette)
            EXPECT_NEAR(run.betaDeg[i], t.silhouetteBetaDeg, t.betaToleranceDeg * widen);
        else
            EXPECT_NEAR(run.betaDeg[i], t.betaDeg, t.betaToleranceDeg + kCorrectionResidualDeg);
    }
    EXPECT_GE(compared, int(truth.size()) * 3 / 4);
}

TEST(ConstantBlade, MeasuresChordAndAngleWithAndWithoutCorrection) {
    for (const auto& [thickness, pixelsPerMetre] : {std::pair{4.0, 20000.0}, {18.0, 5000.0}}) {
        SCOPED_TRACE(::testing::Message() << thickness << " %, " << pixelsPerMetre << " px/m");
        const BladeDefinition blade = constantBlade(thickness);
        const RenderOptions options = at(pixelsPerMetre);
        const auto pair = render::renderPropeller(blade, options);
        expectRows(runCore(pair, blade.diameter, kMidThreshold), blade, options, kMidThreshold,
                   Check::Silhouette);
        const CoreResult run =
            runCore(pair, blade.diameter, kMidThreshold, Thickness{thickness, thickness});
        EXPECT_TRUE(run.scriptWritten);
        expectRows(run, blade, options, kMidThreshold, Check::Corrected);
    }
}

// The pair every build puts beside the programs, as it comes off a scanner (grey noise),
// measured at the window's initial threshold.
TEST(SamplePair, MeasuresTheTaperAndTheTwistAtEveryStation) {
    const QDir programs(QCoreApplication::applicationDirPath());
    render::RenderedPair pair;
    pair.top.load(programs.filePath(QStringLiteral("pylon 1.bmp")));
    pair.side.load(programs.filePath(QStringLiteral("pylon 2.bmp")));
    const BladeDefinition blade = pylonBlade();
    const CoreResult run = runCore(pair, blade.diameter, kWindowThreshold);
    EXPECT_TRUE(run.messages.isEmpty()) << qPrintable(run.messages.join('\n'));
    expectRows(run, blade, at(10800, 2), kWindowThreshold, Check::Silhouette);
    // The measured tip is replaced by the line through the next two stations.
    EXPECT_NEAR(run.cOverR.at(0), 2 * run.cOverR.at(1) - run.cOverR.at(2), 1e-6);
    EXPECT_NEAR(run.betaDeg.at(0), 2 * run.betaDeg.at(1) - run.betaDeg.at(2), 1e-4);
    expectRows(runCore(pair, blade.diameter, kWindowThreshold, Thickness{20, 10}), blade,
               at(10800, 2), kWindowThreshold, Check::Corrected);
}

// One propeller photographed at two scales, or two propellers: matching spans brings the
// views to one span and the run measures as on one scan (a span left apart would be refused
// or scale the rows); spans 15 % apart are refused.
TEST(MatchingSpans, BringsTheViewsToOneSpanOrRefusesThem) {
    const struct {
        const char* name;
        double sideScale;    // the side view's resolution over the top view's
        double sideDiameter; // of the propeller in the side view
        bool speck;          // two pixels of dust in the paper beyond the side view's tip
    } cases[] = {{"side 14 % smaller", 1 / 1.14, 0.185, false},
                 {"top 6 % smaller, a speck", 1.06, 0.185, true},
                 {"another propeller", 1.0, 0.24, false}};
    const BladeDefinition blade = pylonBlade();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BladeDefinition sideBlade = blade;
        sideBlade.diameter = c.sideDiameter;
        render::RenderedPair pair = render::renderPropeller(blade, at(10800));
        pair.side = render::renderPropeller(sideBlade, at(10800 * c.sideScale)).side;
        if (c.speck)
            QPainter(&pair.side).fillRect(0, 0, 2, 1, Qt::black);
        const CoreResult run = runCore(pair, blade.diameter, kMidThreshold, std::nullopt, true);
        if (c.sideDiameter != blade.diameter) {
            EXPECT_EQ(run.outcome, RunOutcome::Mismatch);
            EXPECT_TRUE(run.messages.value(0).contains("probably do not show the same propeller"));
            EXPECT_TRUE(run.messages.value(0).contains(QRegularExpression("by \\d+\\.\\d %\\.")));
            continue;
        }
        // The rows lie as on the finer view; whole pixels of the coarser view allow more.
        expectRows(run, blade, at(10800 * std::max(1.0, c.sideScale)), kMidThreshold,
                   Check::Silhouette, std::max(c.sideScale, 1 / c.sideScale));
    }
}

// Where a blurred edge crosses half way from paper to ink is where the sharp edge lies.
TEST(ThresholdSuggestion, LandsNearTheMidpointOfPaperAndInkOnBlurredNoisyBlades) {
    struct Case {
        int paper, ink;
        double blur, noise;
    };
    for (const Case c : {Case{235, 30, 1.5, 3}, Case{220, 70, 2.5, 6}, Case{250, 150, 1, 2}}) {
        RenderOptions o = at(5000, c.noise);
        o.paperGrey = c.paper;
        o.bladeGrey = c.ink;
        o.blur = c.blur;
        const auto pair = render::renderPropeller(pylonBlade(), o);
        SCOPED_TRACE(::testing::Message() << "paper " << c.paper << ", ink " << c.ink);
        EXPECT_NEAR(suggestThreshold(pair.top, pair.side), (c.paper + c.ink) / 2.0, 3);
        // The accuracy report's other suggestion: midway between the two most frequent greys.
        GreyHistogram h{};
        addToHistogram(h, pair.top);
        addToHistogram(h, pair.side);
        EXPECT_NEAR(accuracy::midwayThreshold(h), (c.paper + c.ink) / 2.0, 2);
    }
    // The midway's light class begins above Otsu's split, 9 here: its most frequent grey is 10.
    GreyHistogram three{};
    three[5] = 2;
    three[8] = 8;
    three[11] = 9;
    EXPECT_EQ(accuracy::midwayThreshold(three), 8);
}

} // namespace
} // namespace bladetrace::roundtrip
