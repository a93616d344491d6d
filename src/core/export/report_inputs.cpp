#include "export/report_inputs.h"

#include "text/added_strings.h"
#include "text/number_format.h"
#include "text/string_table.h"
#include "text/units.h"

namespace bladetrace {
namespace {

QString unitName(const QString& label) {
    QString unit = label;
    unit.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    return unit;
}

const QString kBecomes = QStringLiteral("  \u2192  ");
// Between a value and its unit: a line never breaks there.
const QChar kKeep(0x00A0);

} // namespace

QString reportLabel(Language language, qint16 id) {
    QString label = LoadLangResString(language, id);
    label.remove(QLatin1Char('&'));
    label = label.trimmed();
    while (label.endsWith(QLatin1Char(':')) || label.endsWith(QLatin1Char('%')))
        label = label.chopped(1).trimmed();
    if (!label.isEmpty())
        label[0] = label[0].toUpper();
    return label;
}

std::vector<ReportInput> reportInputs(const RunResults& results) {
    const ResultInputs& in = results.inputs;
    const Language language = results.language;
    const auto text = [language](qint16 id) { return LoadLangResString(language, id); };
    const QString metre = unitName(text(str::kDiameterUnit));
    const QString metresPerSecond = unitName(text(str::kSpeedUnit));
    const QString perMinute = unitName(text(str::kRpmUnit));
    const bool imperial = in.imperialInputs;

    QString diameter =
        withUnit(in.diameterText.trimmed(), imperial ? unitName(inchLabel()) : metre);
    if (imperial || in.diameterCorrected)
        diameter += kBecomes + withUnit(formatFixed(in.diameter, 4), metre);
    QString rpm = withUnit(in.rpmText.trimmed(), perMinute);
    if (in.rpmCorrected)
        rpm += kBecomes + withUnit(formatFixed(in.revolutionsPerSecond * 60.0, 0), perMinute);
    QString speed =
        withUnit(in.velocityText.trimmed(), imperial ? unitName(mphLabel()) : metresPerSecond);
    if (imperial)
        speed += kBecomes + withUnit(formatFixed(in.speed, 2), metresPerSecond);

    QString thickness = text(in.thicknessCorrection ? str::kReportOn : str::kReportOff);
    if (in.thicknessCorrection) {
        const QString percent = QStringLiteral("%");
        thickness += QStringLiteral(": ") + text(str::kReportRoot) + kKeep +
                     withUnit(in.rootThicknessText.trimmed(), percent) + QStringLiteral(", ") +
                     text(str::kReportTip) + kKeep +
                     withUnit(in.tipThicknessText.trimmed(), percent);
    }
    const auto system = [&text](bool isImperial) {
        return text(isImperial ? str::kReportImperial : str::kReportMetric);
    };
    QString units = system(results.imperial);
    if (imperial != results.imperial)
        units = system(imperial) + kBecomes + units;

    const QString threshold =
        text(in.autoThreshold ? str::kReportThresholdAuto : str::kReportThresholdSet)
            .arg(in.threshold);
    // What span matching did, as the status bar said it after the run.
    QString spans = text(in.spanMatching ? str::kReportOn : str::kReportOff);
    if (in.spanMatching && in.scaledView != ScaledView::None)
        spans += QStringLiteral(": ") +
                 text(in.scaledView == ScaledView::Top ? str::kNoteTopScaled : str::kNoteSideScaled)
                     .arg(formatFixed(in.spanScale, 4));
    else if (in.spanMatching)
        spans += QStringLiteral(": ") + text(str::kNoteSpansAgree);

    return {
        {reportLabel(language, str::kTopImage), in.topFile, true},
        {reportLabel(language, str::kSideImage), in.sideFile, true},
        {reportLabel(language, str::kActualDiameter), diameter, false},
        {reportLabel(language, str::kPropellerRpm), rpm, false},
        {reportLabel(language, str::kFlightSpeed), speed, false},
        {reportLabel(language, str::kWhiteThreshold), threshold, false},
        {reportLabel(language, str::kThicknessCorrection), thickness, false},
        {text(str::kReportUnits), units, false},
        {reportLabel(language, str::kMatchSpans), spans, false},
    };
}

std::vector<ReportInput> reportPerformanceInputs(const RunResults& results) {
    const ResultInputs& in = results.inputs;
    const Language language = results.language;
    const Polar& p = in.polar;
    const std::pair<const char*, double> coefficients[] = {
        {"CL0", p.cl0},     {"CL_a", p.clAlpha},  {"CLmin", p.clMin},   {"CLmax", p.clMax},
        {"CD0", p.cd0},     {"CD2u", p.cd2Upper}, {"CD2l", p.cd2Lower}, {"CLCD0", p.clAtMinDrag},
        {"REref", p.reRef}, {"REexp", p.reExp}};
    QStringList parts;
    for (const auto& [name, value] : coefficients)
        parts << QLatin1String(name) + kKeep + formatSignificant(value, 6);
    QString polar = parts.join(QStringLiteral(", "));
    if (p == defaultPolar())
        polar = LoadLangResString(language, str::kPerfDefaults) + QStringLiteral(": ") + polar;
    return {
        {reportLabel(language, str::kPerfBlades), QString::number(in.blades), false},
        {reportLabel(language, str::kPerfAirDensity), formatSignificant(in.air.density, 6), false},
        {reportLabel(language, str::kPerfViscosity),
         formatSignificant(in.air.kinematicViscosity, 6), false},
        {reportLabel(language, str::kPerfPolar), polar, true},
    };
}

} // namespace bladetrace
