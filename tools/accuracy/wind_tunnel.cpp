#include "wind_tunnel.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace bladetrace::accuracy {
namespace {

// The archive's propellers sized in inches are at most about 20 in; those sized in
// millimetres start above 40 mm.
constexpr double kLargestInches = 30;
constexpr double kMetresPerInch = 0.0254;

bool readTest(const QString& path, TunnelTest& test, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    while (!file.atEnd()) {
        const QStringList f = QString::fromUtf8(file.readLine()).split(blanks, Qt::SkipEmptyParts);
        if (f.size() < 3)
            continue;
        bool ok[3];
        const double a = f[0].toDouble(&ok[0]), b = f[1].toDouble(&ok[1]),
                     c = f[2].toDouble(&ok[2]);
        if (!(ok[0] && ok[1] && ok[2]))
            continue; // the header line
        test.points.push_back(test.isStatic ? TunnelPoint{a, 0, b, c}
                                            : TunnelPoint{test.rpm, a, b, c});
    }
    if (test.points.empty()) {
        error = QStringLiteral("%1 holds no rows of numbers").arg(path);
        return false;
    }
    return true;
}

} // namespace

std::vector<TunnelTest> readTunnelTests(const QString& folder, const QString& key, QString& error) {
    std::vector<TunnelTest> tests;
    const QRegularExpression name(QStringLiteral("^%1_(static_[^_]+|[^_]+_([0-9]+))\\.txt$")
                                      .arg(QRegularExpression::escape(key)));
    const QDir dir(folder);
    for (const QString& file :
         dir.entryList({key + QStringLiteral("_*.txt")}, QDir::Files, QDir::Name)) {
        const QRegularExpressionMatch m = name.match(file);
        if (!m.hasMatch())
            continue;
        TunnelTest test;
        test.file = file;
        test.isStatic = m.captured(1).startsWith(QLatin1String("static_"));
        test.rpm = test.isStatic ? 0 : m.captured(2).toDouble();
        if (!readTest(dir.filePath(file), test, error))
            return {};
        tests.push_back(test);
    }
    return tests;
}

std::optional<double> diameterFromName(const QString& key) {
    static const QRegularExpression size(QStringLiteral("^[^_]+_([0-9]+(\\.[0-9]+)?)"));
    const QRegularExpressionMatch m = size.match(key);
    if (!m.hasMatch())
        return std::nullopt;
    const double number = m.captured(1).toDouble();
    if (!(number > 0))
        return std::nullopt;
    return number > kLargestInches ? number / 1000 : number * kMetresPerInch;
}

} // namespace bladetrace::accuracy
