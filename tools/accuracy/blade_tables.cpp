#include "blade_tables.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace bladetrace::accuracy {
namespace {

// Rows of numbers; lines that start with '#' or hold anything else are skipped. The three
// columns are taken from the given positions.
Distribution readColumns(const QString& fileName, int rColumn, int cColumn, int betaColumn,
                         QString& error) {
    Distribution d;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("cannot read %1: %2").arg(fileName, file.errorString());
        return d;
    }
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const int needed = std::max({rColumn, cColumn, betaColumn}) + 1;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(blanks, Qt::SkipEmptyParts);
        if (fields.size() < needed)
            continue;
        bool ok[3];
        const double r = fields[rColumn].toDouble(&ok[0]);
        const double c = fields[cColumn].toDouble(&ok[1]);
        const double b = fields[betaColumn].toDouble(&ok[2]);
        if (!(ok[0] && ok[1] && ok[2]))
            continue;
        d.rR.push_back(r);
        d.cOverR.push_back(c);
        d.betaDeg.push_back(b);
    }
    // Increasing r/R, whatever the file's order.
    std::vector<std::size_t> order(d.rR.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&d](std::size_t a, std::size_t b) { return d.rR[a] < d.rR[b]; });
    Distribution sorted;
    for (std::size_t i : order) {
        sorted.rR.push_back(d.rR[i]);
        sorted.cOverR.push_back(d.cOverR[i]);
        sorted.betaDeg.push_back(d.betaDeg[i]);
    }
    if (sorted.empty())
        error = QStringLiteral("%1 holds no rows of numbers").arg(fileName);
    return sorted;
}

} // namespace

Distribution readPublished(const QString& fileName, QString& error) {
    return readColumns(fileName, 0, 1, 2, error);
}

Distribution readBladeTable(const QString& fileName, QString& error) {
    return readColumns(fileName, 0, 1, 2, error);
}

Distribution readCharts(const QString& fileName, QString& error) {
    return readColumns(fileName, 1, 2, 3, error);
}

double interpolate(const std::vector<double>& xs, const std::vector<double>& ys, double x) {
    if (xs.empty() || x < xs.front() - 1e-9 || x > xs.back() + 1e-9)
        return std::numeric_limits<double>::quiet_NaN();
    const auto upper = std::upper_bound(xs.begin(), xs.end(), x);
    if (upper == xs.end())
        return ys.back();
    if (upper == xs.begin())
        return ys.front();
    const std::size_t b = std::size_t(upper - xs.begin());
    const std::size_t a = b - 1;
    const double f = (x - xs[a]) / (xs[b] - xs[a]);
    return ys[a] + f * (ys[b] - ys[a]);
}

} // namespace bladetrace::accuracy
