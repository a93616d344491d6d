#pragma once

#include "run/run_host.h"

namespace bladetrace {

// Inputs given once, as the batch tool's options give them; the texts are read as the
// window reads its boxes.
class FixedInputs : public RunInputs {
public:
    qint32 threshold = 110;
    QString diameter = QStringLiteral("1");
    QString rpm = QStringLiteral("1");
    QString velocity = QStringLiteral("1");
    bool imperial = false;
    QString topFile;
    QString sideFile;
    bool thickness = false;
    QString rootThickness = QStringLiteral("20");
    QString tipThickness = QStringLiteral("10");
    bool spanMatching = false;
    bool suggestedThreshold = false;
    double spanDifference = kMaxSpanDifference; // the most matching spans take, a fraction
    qint32 blades = 2;

    qint32 thresholdValue() override { return threshold; }
    QString diameterText() override { return diameter; }
    QString rpmText() override { return rpm; }
    QString velocityText() override { return velocity; }
    bool imperialUnits() override { return imperial; }
    QString topFileName() override { return topFile; }
    QString sideFileName() override { return sideFile; }
    bool thicknessCorrection() override { return thickness; }
    QString rootThicknessText() override { return rootThickness; }
    QString tipThicknessText() override { return tipThickness; }
    bool matchSpans() override { return spanMatching; }
    bool autoThreshold() override { return suggestedThreshold; }
    double maxSpanDifference() override { return spanDifference; }
    qint32 bladeCount() override { return blades; }
};

} // namespace bladetrace
