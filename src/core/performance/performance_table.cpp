#include "performance/performance_table.h"

#include "text/units.h"

#include <QStringList>

namespace bladetrace {
namespace {

// Fixed decimals and a point, whatever the user's locale; no "-0.000".
QString fixedC(double value, int decimals) {
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(QLatin1Char('-')) && text.count(QLatin1Char('0')) == text.size() - 2)
        text.remove(0, 1);
    return text;
}

} // namespace

QString performanceCsvHeader(bool imperial) {
    return imperial ? QStringLiteral("J,V [mph],CT,CP,eta,T [lbf],P [W],Q [N m]")
                    : QStringLiteral("J,V [m/s],CT,CP,eta,T [N],P [W],Q [N m]");
}

QString performanceCsv(const std::vector<PerformancePoint>& points, bool imperial) {
    QString text = performanceCsvHeader(imperial) + QLatin1Char('\n');
    for (const PerformancePoint& p : points) {
        const double speed = imperial ? p.speed * kMphPerMetrePerSecond : p.speed;
        const double thrust = imperial ? p.thrust / kNewtonsPerPoundForce : p.thrust;
        text += QStringList{fixedC(p.J, 3),     fixedC(speed, 2),   fixedC(p.CT, 4),
                            fixedC(p.CP, 4),    fixedC(p.eta, 3),   fixedC(thrust, 3),
                            fixedC(p.power, 2), fixedC(p.torque, 4)}
                    .join(QLatin1Char(','));
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace bladetrace
