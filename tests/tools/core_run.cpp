#include "core_run.h"

#include "results/charts.h"
#include "support/recording_host.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bladetrace::roundtrip {
namespace {

struct Host : testing::RecordingHost {
    bool match = false;
    bool matchSpansChecked() override { return match; }
};

} // namespace

CoreResult runCore(const QString& topFile, const QString& sideFile, double diameter, int threshold,
                   std::optional<Thickness> thickness, bool matchSpans) {
    Host host;
    host.topFile = topFile;
    host.sideFile = sideFile;
    host.diameter = QString::number(diameter, 'g', 9);
    host.threshold = threshold;
    host.thickness = thickness.has_value();
    host.match = matchSpans;
    if (thickness) {
        host.rootThickness = QString::number(thickness->root);
        host.tipThickness = QString::number(thickness->tip);
    }
    CoreResult result;
    result.outcome = CalcIt(host);
    for (const auto& message : host.messages)
        result.messages << message.text;
    for (const QString& row : host.rows)
        result.stationROverR.push_back(row.section('\t', 1, 1).toDouble());
    result.scriptWritten = host.clipboard.startsWith(QLatin1String("_Curve "));
    if (!host.charts.empty()) {
        result.cOverR = host.charts.back()[kChordChart].y;
        result.betaDeg = host.charts.back()[kBetaChart].y;
    }
    return result;
}

CoreResult runCore(const render::RenderedPair& pair, double diameter, int threshold,
                   std::optional<Thickness> thickness, bool matchSpans) {
    QTemporaryDir dir;
    const QString top = dir.filePath(QStringLiteral("top.bmp"));
    const QString side = dir.filePath(QStringLiteral("side.bmp"));
    if (!pair.top.save(top) || !pair.side.save(side)) {
        ADD_FAILURE() << "cannot write the rendered pair to " << qPrintable(dir.path());
        return {};
    }
    return runCore(top, side, diameter, threshold, thickness, matchSpans);
}

} // namespace bladetrace::roundtrip
