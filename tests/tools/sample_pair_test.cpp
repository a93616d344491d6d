// The pair every build puts beside the programs: what a first start and the README's run
// command analyse.
#include "core_run.h"
#include "station_truth.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace bladetrace::roundtrip {
namespace {

// The drawing command of resources/samples/CMakeLists.txt.
render::BladeDefinition pylonBlade() {
    QFile file(QFileInfo(QStringLiteral(__FILE__))
                   .dir()
                   .filePath(QStringLiteral("../../resources/samples/pylon_blade.txt")));
    render::BladeDefinition blade;
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << qPrintable(file.fileName());
        return blade;
    }
    EXPECT_EQ(render::parseBladeTable(QString::fromUtf8(file.readAll()), blade.rows), QString());
    blade.diameter = 0.185;
    blade.pivot = 0.25;
    blade.hubRadius = 0.0085;
    blade.hubLength = 0.009;
    return blade;
}

TEST(SamplePair, GivesAFullResultThatMatchesItsBlade) {
    // The test programs live beside the programs and their sample pair.
    const QDir programs(QCoreApplication::applicationDirPath());
    const QString top = programs.filePath(QStringLiteral("pylon 1.bmp"));
    const QString side = programs.filePath(QStringLiteral("pylon 2.bmp"));
    ASSERT_TRUE(QFileInfo::exists(top) && QFileInfo::exists(side))
        << "the build draws the sample pair into " << qPrintable(programs.path());

    const render::BladeDefinition blade = pylonBlade();
    ASSERT_FALSE(blade.rows.empty());
    render::RenderOptions options;
    options.pixelsPerMetre = 10800;
    options.noise = 2;
    constexpr int kWindowThreshold = 110;
    const CoreResult run = runCore(top, side, 0.185, kWindowThreshold);
    ASSERT_EQ(run.outcome, RunOutcome::Completed) << qPrintable(run.messages.join('\n'));
    EXPECT_TRUE(run.messages.isEmpty()) << qPrintable(run.messages.join('\n'));
    EXPECT_EQ(run.sheetRows, 41);

    const auto truth = chartTruth(blade, options, kWindowThreshold);
    ASSERT_EQ(run.rR.size(), truth.size());
    for (std::size_t i = 0; i < truth.size(); ++i) {
        if (!truth[i].onBlade)
            continue;
        SCOPED_TRACE(::testing::Message() << "row " << i + 1);
        EXPECT_NEAR(run.cOverR[i], truth[i].silhouetteCOverR, truth[i].cTolerance);
        EXPECT_NEAR(run.betaDeg[i], truth[i].silhouetteBetaDeg, truth[i].betaToleranceDeg);
    }
}

} // namespace
} // namespace bladetrace::roundtrip
