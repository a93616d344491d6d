#include "core_run.h"

#include "results/charts.h"
#include "support/recording_host.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bladetrace::roundtrip {

CoreResult runCore(const QString& topFile, const QString& sideFile, double diameter, int threshold,
                   std::optional<Thickness> thickness, bool matchSpans) {
    testing::RecordingHost host;
    host.topFile = topFile;
    host.sideFile = sideFile;
    host.diameter = QString::number(diameter, 'g', 9);
    host.threshold = threshold;
    host.thickness = thickness.has_value();
    host.matchSpans = matchSpans;
    if (thickness) {
        host.rootThickness = QString::number(thickness->root);
        host.tipThickness = QString::number(thickness->tip);
    }
    CoreResult result;
    result.outcome = CalcIt(host);
    for (const auto& message : host.messages)
        result.messages << message.text;
    result.sheetRows = int(host.rows.size());
    result.scriptWritten = host.clipboard.startsWith(QLatin1String("_Curve "));
    if (!host.charts.empty()) {
        const ChartSet& charts = host.charts.back();
        result.rR = charts[kChordChart].x;
        result.cOverR = charts[kChordChart].y;
        result.betaDeg = charts[kBetaChart].y;
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
