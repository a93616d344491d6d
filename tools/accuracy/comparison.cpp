#include "comparison.h"

#include <cmath>

namespace bladetrace::accuracy {
namespace {

QString signedFixed(double v, int decimals) {
    if (std::isnan(v))
        return QStringLiteral("–");
    return (v >= 0 ? QStringLiteral("+") : QString()) + QString::number(v, 'f', decimals);
}

} // namespace

QString fixed(double v, int decimals) {
    return std::isnan(v) ? QStringLiteral("–") : QString::number(v, 'f', decimals);
}

Deviation deviation(const Comparison& c) {
    Deviation s;
    for (std::size_t i = 0; i < c.reference.rR.size(); ++i) {
        const double r = c.reference.rR[i];
        const double dc = interpolate(c.measured.rR, c.measured.cOverR, r) - c.reference.cOverR[i];
        const double db =
            interpolate(c.measured.rR, c.measured.betaDeg, r) - c.reference.betaDeg[i];
        if (std::isnan(dc) || std::isnan(db))
            continue;
        ++s.stations;
        s.chordMean += std::fabs(dc);
        s.betaMean += std::fabs(db);
        s.betaSigned += db;
        s.chordMax = std::max(s.chordMax, std::fabs(dc));
        s.betaMax = std::max(s.betaMax, std::fabs(db));
    }
    if (s.stations > 0) {
        s.chordMean /= s.stations;
        s.betaMean /= s.stations;
        s.betaSigned /= s.stations;
    }
    return s;
}

QString comparisonTable(const Comparison& c) {
    QString t =
        QStringLiteral("| r/R | c/R table | c/R measured | Δ c/R | β table [°] | "
                       "β measured [°] | Δ β [°] |\n|---:|---:|---:|---:|---:|---:|---:|\n");
    for (std::size_t i = 0; i < c.reference.rR.size(); ++i) {
        const double r = c.reference.rR[i];
        const double mc = interpolate(c.measured.rR, c.measured.cOverR, r);
        const double mb = interpolate(c.measured.rR, c.measured.betaDeg, r);
        t += QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 |\n")
                 .arg(fixed(r, 2), fixed(c.reference.cOverR[i], 4), fixed(mc, 4),
                      signedFixed(mc - c.reference.cOverR[i], 4), fixed(c.reference.betaDeg[i], 2),
                      fixed(mb, 2), signedFixed(mb - c.reference.betaDeg[i], 2));
    }
    return t;
}

QString summaryHeader() {
    return QStringLiteral("| propeller | measurement | stations | mean \\|Δ c/R\\| | "
                          "max \\|Δ c/R\\| | mean \\|Δ β\\| [°] | max \\|Δ β\\| [°] |\n"
                          "|---|---|---:|---:|---:|---:|---:|\n");
}

QString summaryRow(const QString& propeller, const Comparison& c) {
    const Deviation s = deviation(c);
    return QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 |\n")
        .arg(propeller, c.label)
        .arg(s.stations)
        .arg(fixed(s.chordMean, 4), fixed(s.chordMax, 4), fixed(s.betaMean, 2),
             fixed(s.betaMax, 2));
}

} // namespace bladetrace::accuracy
