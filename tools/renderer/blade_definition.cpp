#include "blade_definition.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace bladetrace::render {
namespace {

Section fromRow(const BladeRow& row, double R) {
    return {row.cOverR * R, row.betaDeg * kRadiansPerDegree, row.thicknessPercent / 100.0};
}

} // namespace

Section sectionAt(const BladeDefinition& blade, double rOverR) {
    const auto& rows = blade.rows;
    const double R = blade.radius();
    if (rOverR <= rows.front().rOverR)
        return fromRow(rows.front(), R);
    if (rOverR >= rows.back().rOverR)
        return fromRow(rows.back(), R);
    const auto upper =
        std::upper_bound(rows.begin(), rows.end(), rOverR,
                         [](double value, const BladeRow& row) { return value < row.rOverR; });
    const BladeRow& b = *upper;
    const BladeRow& a = *(upper - 1);
    const double f = (rOverR - a.rOverR) / (b.rOverR - a.rOverR);
    auto mix = [f](double from, double to) { return from + f * (to - from); };
    return fromRow({rOverR, mix(a.cOverR, b.cOverR), mix(a.betaDeg, b.betaDeg),
                    mix(a.thicknessPercent, b.thicknessPercent)},
                   R);
}

QString parseBladeTable(const QString& text, std::vector<BladeRow>& rows) {
    rows.clear();
    const QStringList lines = text.split(QLatin1Char('\n'));
    static const QRegularExpression blanks(QStringLiteral("[\\s,;]+"));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.front().isLetter())
            continue;
        const QStringList fields = line.split(blanks, Qt::SkipEmptyParts);
        double v[4];
        bool ok = fields.size() == 4;
        for (int i = 0; ok && i < 4; ++i)
            v[i] = fields[i].toDouble(&ok);
        if (!ok)
            return QStringLiteral("line %1: expected four numbers r/R c/R beta t/c, got \"%2\"")
                .arg(n + 1)
                .arg(line);
        rows.push_back({v[0], v[1], v[2], v[3]});
    }
    return rows.empty() ? QStringLiteral("the table has no rows") : QString();
}

QString checkBlade(const BladeDefinition& blade) {
    if (!(blade.diameter > 0))
        return QStringLiteral("the diameter must be positive");
    if (!(blade.pivot >= 0 && blade.pivot <= 1))
        return QStringLiteral("the pivot must lie on the chord (0 to 1)");
    if (!(blade.hubRadius >= 0 && blade.hubRadius < blade.radius()))
        return QStringLiteral("the hub radius must lie between 0 and the tip radius");
    if (!(blade.hubLength >= 0))
        return QStringLiteral("the hub length must not be negative");
    if (blade.rows.empty())
        return QStringLiteral("the blade has no rows");
    for (std::size_t i = 0; i < blade.rows.size(); ++i) {
        const BladeRow& row = blade.rows[i];
        if (!(row.rOverR >= 0 && row.rOverR <= 1))
            return QStringLiteral("row %1: r/R must lie between 0 and 1").arg(i + 1);
        if (i > 0 && !(row.rOverR > blade.rows[i - 1].rOverR))
            return QStringLiteral("row %1: r/R must increase from row to row").arg(i + 1);
        if (!(row.cOverR > 0) || !(row.thicknessPercent >= 0) || !(std::fabs(row.betaDeg) < 90))
            return QStringLiteral("row %1: needs c/R > 0, t/c >= 0 and |beta| < 90").arg(i + 1);
    }
    return QString();
}

} // namespace bladetrace::render
