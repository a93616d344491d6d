#include "export/report_inputs.h"

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
        in.diameterText.trimmed() + QLatin1Char(' ') + (imperial ? unitName(inchLabel()) : metre);
    if (imperial || in.diameterCorrected)
        diameter += kBecomes + formatFixed(in.diameter, 4) + QLatin1Char(' ') + metre;
    QString rpm = in.rpmText.trimmed() + QLatin1Char(' ') + perMinute;
    if (in.rpmCorrected)
        rpm += kBecomes + formatFixed(in.revolutionsPerSecond * 60.0, 0) + QLatin1Char(' ') +
               perMinute;
    QString speed = in.velocityText.trimmed() + QLatin1Char(' ') +
                    (imperial ? unitName(mphLabel()) : metresPerSecond);
    if (imperial)
        speed += kBecomes + formatFixed(in.speed, 2) + QLatin1Char(' ') + metresPerSecond;

    QString thickness = text(in.thicknessCorrection ? str::kReportOn : str::kReportOff);
    if (in.thicknessCorrection) {
        thickness += QStringLiteral(": ") + text(str::kReportRoot) + QLatin1Char(' ') +
                     in.rootThicknessText.trimmed() + QStringLiteral(" %, ") +
                     text(str::kReportTip) + QLatin1Char(' ') + in.tipThicknessText.trimmed() +
                     QStringLiteral(" %");
    }
    const auto system = [&text](bool isImperial) {
        return text(isImperial ? str::kReportImperial : str::kReportMetric);
    };
    QString units = system(results.imperial);
    if (imperial != results.imperial)
        units = system(imperial) + kBecomes + units;

    QString threshold = QString::number(in.threshold);
    if (in.autoThreshold)
        threshold += QStringLiteral(" (") + text(str::kAutoThreshold) + QLatin1Char(')');

    return {
        {reportLabel(language, str::kTopImage), in.topFile, true},
        {reportLabel(language, str::kSideImage), in.sideFile, true},
        {reportLabel(language, str::kActualDiameter), diameter, false},
        {reportLabel(language, str::kPropellerRpm), rpm, false},
        {reportLabel(language, str::kFlightSpeed), speed, false},
        {reportLabel(language, str::kWhiteThreshold), threshold, false},
        {reportLabel(language, str::kThicknessCorrection), thickness, false},
        {text(str::kReportUnits), units, false},
        {reportLabel(language, str::kMatchSpans),
         text(in.spanMatching ? str::kReportOn : str::kReportOff), false},
    };
}

} // namespace bladetrace
