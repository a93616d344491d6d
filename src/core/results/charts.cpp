#include "results/charts.h"

#include "base/checked_math.h"
#include "results/page_keys.h"
#include "text/number_format.h"
#include "text/units.h"

#include <cmath>

namespace bladetrace {
namespace {

constexpr int kChartDigits = 7;

ChartSeries makeSeries(const char* key, const QString& yTitle) {
    ChartSeries s;
    s.key = QString::fromLatin1(key);
    s.xTitle = QStringLiteral("r/R");
    s.yTitle = yTitle;
    s.xLabel = QStringLiteral("r/R [-]");
    s.yLabel = yTitle;
    return s;
}

} // namespace

void applyTipCorrection(FoldedTable& folded) {
    StationTable& t = folded.table;
    t.Chord[0] = t.Chord[1] - (t.Chord[2] - t.Chord[1]);
    t.Beta[0] = t.Beta[1] - (t.Beta[2] - t.Beta[1]);
}

ChartSet chartValues(const FoldedTable& folded, float Diameter, double R, bool imperial) {
    const StationTable& t = folded.table;
    const QString degrees =
        QString(QChar(0x00DF)) + QStringLiteral(" [") + QChar(0x00B0) + QLatin1Char(']');
    ChartSet set = {makeSeries(pagekey::kChord, QStringLiteral("c/R")),
                    makeSeries(pagekey::kBeta, degrees),
                    makeSeries(pagekey::kPitch,
                               imperial ? QStringLiteral("H [inch]") : QStringLiteral("H [m]"))};
    set[kChordChart].yLabel = QStringLiteral("c/R [-]");

    for (int i = 0; i <= folded.last(); ++i) {
        const auto n = std::size_t(i);
        const double rR = t.rR[n];
        double pitch = std::tan(double(t.Beta[n])) * rR * double(Diameter) * kPi;
        if (imperial)
            pitch /= kMetresPerInch;
        const double values[3] = {t.Chord[n] / R, t.Beta[n] * 180.0 / kPi, checkedFinite(pitch)};
        for (int c = 0; c < 3; ++c) {
            set[std::size_t(c)].x.push_back(rR);
            set[std::size_t(c)].y.push_back(values[c]);
        }
    }
    return set;
}

QString seriesText(const ChartSeries& series) {
    const QChar tab = QLatin1Char('\t');
    const QChar lf = QLatin1Char('\n');
    QString text = tab + series.xLabel + tab + series.yLabel + lf;
    for (int row = 0; row < series.rows(); ++row) {
        const auto n = std::size_t(row);
        text += QString::number(row + 1) + tab + formatSignificant(series.x[n], kChartDigits) +
                tab + formatSignificant(series.y[n], kChartDigits) + lf;
    }
    return text;
}

QString chartsText(const ChartSet& charts) {
    QString text = QStringLiteral("No.\t") + charts[kChordChart].xLabel + QLatin1Char('\t') +
                   charts[kChordChart].yLabel + QLatin1Char('\t') + charts[kBetaChart].yLabel +
                   QLatin1Char('\t') + charts[kPitchChart].yLabel + QLatin1Char('\n');
    for (int row = 0; row < charts[kChordChart].rows(); ++row) {
        const auto n = std::size_t(row);
        text += QString::number(row + 1) + QLatin1Char('\t') +
                formatSignificant(charts[kChordChart].x[n], kChartDigits) + QLatin1Char('\t') +
                formatSignificant(charts[kChordChart].y[n], kChartDigits) + QLatin1Char('\t') +
                formatSignificant(charts[kBetaChart].y[n], kChartDigits) + QLatin1Char('\t') +
                formatSignificant(charts[kPitchChart].y[n], kChartDigits) + QLatin1Char('\n');
    }
    return text;
}

} // namespace bladetrace
