#include "text/units.h"

#include "text/number_format.h"
#include "text/string_table.h"

namespace bladetrace {
namespace {

enum class Op { Multiply, Divide };

QString convertBox(const QString& text, Op op, double factor, int decimals) {
    const auto value = tryParseNumber(text);
    if (!value)
        return text;
    return formatFixed(op == Op::Multiply ? *value * factor : *value / factor, decimals);
}

} // namespace

UnitBoxes switchUnits(bool imperial, const QString& diameter, const QString& velocity,
                      int language) {
    UnitBoxes boxes;
    if (imperial) {
        boxes.diameterUnit = inchLabel();
        boxes.diameter = convertBox(diameter, Op::Divide, kMetresPerInch, 3);
        boxes.velocityUnit = mphLabel();
        boxes.velocity = convertBox(velocity, Op::Multiply, kMphPerMetrePerSecond, 2);
    } else {
        boxes.diameterUnit = LoadLangResString(language, str::kDiameterUnit);
        boxes.diameter = convertBox(diameter, Op::Multiply, kMetresPerInch, 4);
        boxes.velocityUnit = LoadLangResString(language, str::kSpeedUnit);
        boxes.velocity = convertBox(velocity, Op::Divide, kMphPerMetrePerSecond, 2);
    }
    return boxes;
}

} // namespace bladetrace
