#include "export/performance_prediction.h"

#include "export/folded_blade.h"
#include "performance/performance_table.h"
#include "text/added_strings.h"
#include "text/number_format.h"
#include "text/string_table.h"
#include "text/units.h"

#include <algorithm>

namespace bladetrace {
namespace {

const QColor kThrustColour(0x1f, 0x4e, 0x9a);
const QColor kPowerColour(0xc0, 0x39, 0x2b);
const QColor kOperatingColour(0x20, 0x20, 0x20);

QString text(Language language, qint16 id) {
    return LoadLangResString(language, id);
}

} // namespace

PerformanceInputs performanceInputs(const RunResults& results) {
    PerformanceInputs in;
    for (const BladeStation& s : foldedBlade(results, false))
        in.blade.push_back({s.rR, s.cR, s.betaDeg});
    in.tipRadius = results.radius();
    in.blades = results.inputs.blades;
    in.polar = results.inputs.polar;
    in.air = results.inputs.air;
    return in;
}

namespace {

PerformancePrediction predict(const RunResults& results, bool withCurve) {
    PerformancePrediction p;
    const PerformanceInputs in = performanceInputs(results);
    p.rpm = results.inputs.revolutionsPerSecond * 60.0;
    p.problem = performanceProblem(in, p.rpm);
    if (!p.problem.isEmpty())
        return p;
    if (withCurve)
        p.curve = performanceCurve(in, p.rpm);
    p.operating = operatingPoint(in, p.rpm, results.inputs.speed);
    return p;
}

} // namespace

PerformancePrediction predictPerformance(const RunResults& results) {
    return predict(results, true);
}

PerformancePrediction predictOperatingPoint(const RunResults& results) {
    return predict(results, false);
}

Plot performancePlot(const PerformancePrediction& prediction, PerformanceChart chart,
                     Language language) {
    Plot plot;
    plot.xTitle = text(language, str::kPerfAdvanceRatio);
    plot.legend = true;
    const bool efficiency = chart == PerformanceChart::Efficiency;
    plot.title = text(language, efficiency ? str::kPerfEfficiency : str::kPerfCoefficients);
    plot.yTitle = efficiency ? QStringLiteral("\u03b7") : QStringLiteral("CT, CP");
    PlotLine first{efficiency ? QStringLiteral("\u03b7") : QStringLiteral("CT"),
                   {},
                   {},
                   kThrustColour,
                   Qt::SolidLine,
                   false};
    PlotLine power{QStringLiteral("CP"), {}, {}, kPowerColour, Qt::DashLine, false};
    for (const PerformancePoint& point : prediction.curve) {
        // Past zero thrust the efficiency means nothing.
        if (efficiency && point.CT < 0)
            continue;
        first.x.push_back(point.J);
        first.y.push_back(efficiency ? point.eta : point.CT);
        power.x.push_back(point.J);
        power.y.push_back(point.CP);
    }
    plot.lines.push_back(first);
    if (!efficiency)
        plot.lines.push_back(power);
    if (!prediction.curve.empty()) {
        const PerformancePoint& o = prediction.operating;
        PlotLine marked{
            text(language, str::kPerfOperatingPoint), {}, {}, kOperatingColour, Qt::NoPen, true};
        if (efficiency) {
            if (o.CT >= 0) {
                marked.x.push_back(o.J);
                marked.y.push_back(o.eta);
            }
        } else {
            marked.x = {o.J, o.J};
            marked.y = {o.CT, o.CP};
        }
        if (!marked.x.empty())
            plot.lines.push_back(marked);
        plot.xRange = PlotRange(0.0, prediction.curve.back().J);
    }
    if (efficiency)
        plot.yRange = PlotRange(0.0, 1.0);
    return plot;
}

QStringList operatingPointLines(const PerformancePrediction& prediction, Language language,
                                bool imperial) {
    if (!prediction.problem.isEmpty())
        return {text(language, str::kPerfNone).arg(prediction.problem)};
    const PerformancePoint& o = prediction.operating;
    const QString speed =
        imperial ? withUnit(formatFixed(o.speed * kMphPerMetrePerSecond, 1), QStringLiteral("mph"))
                 : withUnit(formatFixed(o.speed, 1), QStringLiteral("m/s"));
    const QString thrust =
        imperial ? withUnit(formatFixed(o.thrust / kNewtonsPerPoundForce, 3), QStringLiteral("lbf"))
                 : withUnit(formatFixed(o.thrust, 2), QStringLiteral("N"));
    QStringList lines{text(language, str::kPerfAt).arg(speed, formatFixed(o.J, 3)),
                      text(language, str::kPerfThrust).arg(thrust),
                      text(language, str::kPerfPower).arg(formatFixed(o.power, 1)),
                      text(language, str::kPerfTorque).arg(formatFixed(o.torque, 3))};
    // A propeller that brakes the air has no efficiency to speak of.
    if (o.thrust > 0 && o.power > 0)
        lines << text(language, str::kPerfEta).arg(formatFixed(o.eta, 3));
    return lines;
}

} // namespace bladetrace
