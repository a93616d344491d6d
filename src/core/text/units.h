#pragma once

#include <QString>

namespace bladetrace {

// The program's circle constant, used wherever a formula needs pi; not the exact value.
constexpr double kPi = 3.141592657;
constexpr double kTwoPi = 6.283185314;

constexpr double kMetresPerInch = 0.0254;
constexpr double kMphPerMetrePerSecond = 2.236936;

inline QString inchLabel() {
    return QStringLiteral("[inch]");
}
inline QString mphLabel() {
    return QStringLiteral("[mph]");
}

// A value and its unit, which a line never breaks between.
inline QString withUnit(const QString& value, const QString& unit) {
    return value + QChar(0x00A0) + unit;
}

// The diameter and speed boxes with their unit labels, as the unit check box leaves them.
struct UnitBoxes {
    QString diameterUnit;
    QString diameter;
    QString velocityUnit;
    QString velocity;
};

// Converts the two boxes into the newly chosen unit system and relabels them. The metric
// labels are those of `language`. A box that holds no number is left as it is.
UnitBoxes switchUnits(bool imperial, const QString& diameter, const QString& velocity,
                      int language);

} // namespace bladetrace
