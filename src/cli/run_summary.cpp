#include "run_summary.h"

#include "export/folded_blade.h"
#include "export/performance_prediction.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace bladetrace::cli {

QByteArray runSummaryBytes(const RunResults& results) {
    const ResultInputs& in = results.inputs;
    const std::vector<BladeStation> blade = foldedBlade(results, false);
    QJsonObject o;
    o.insert(figure::kThreshold, in.threshold);
    o.insert(figure::kAutoThreshold, in.autoThreshold);
    o.insert(figure::kSpanMatching, in.spanMatching);
    o.insert(figure::kScaledView, in.scaledView == ScaledView::Top    ? "top"
                                  : in.scaledView == ScaledView::Side ? "side"
                                                                      : "none");
    o.insert(figure::kSpanScale, in.spanScale);
    o.insert(figure::kStations, int(blade.size()));
    o.insert(figure::kBlades, in.blades);
    o.insert(figure::kDiameter, double(in.diameter));
    o.insert(figure::kRpm, in.revolutionsPerSecond * 60);
    o.insert(figure::kSpeed, in.speed);
    if (const std::optional<BladeStation> at = bladeAt(blade, kSummaryRR)) {
        o.insert(figure::kChord075, at->cR);
        o.insert(figure::kBeta075, at->betaDeg);
        o.insert(figure::kPitch075, at->pitch);
    }
    const PerformancePrediction prediction = predictOperatingPoint(results);
    if (prediction.problem.isEmpty()) {
        const PerformancePoint& at = prediction.operating;
        o.insert(figure::kThrust, at.thrust);
        o.insert(figure::kPower, at.power);
        if (at.thrust > 0 && at.power > 0)
            o.insert(figure::kEfficiency, at.eta);
        o.insert(figure::kCT, at.CT);
        o.insert(figure::kCP, at.CP);
    }
    o.insert(
        figure::kCompleted,
        results.completed.toOffsetFromUtc(results.completed.offsetFromUtc()).toString(Qt::ISODate));
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

} // namespace bladetrace::cli
