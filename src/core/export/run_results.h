#pragma once

#include "results/charts.h"
#include "scan/pixel_rows.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

namespace bladetrace {

// The inputs of a run, as the user gave them and as the run used them.
struct ResultInputs {
    QString topFile;
    QString sideFile;
    qint32 lThreshold{}; // as used: suggested from the views when autoThreshold
    bool autoThreshold{};
    bool spanMatching{};
    // As typed, in the units of `imperialInputs`.
    QString diameterText;
    QString rpmText;
    QString velocityText;
    // As used: corrected when not positive, converted to SI.
    float Diameter{}; // metres
    double dRPS{};
    double dVelocity{}; // metres per second
    bool diameterCorrected{};
    bool rpmCorrected{};
    bool imperialInputs{}; // the units box as the run started
    bool thicknessCorrection{};
    QString rootThicknessText;
    QString tipThicknessText;
};

// What a completed run produced, kept for saving after the run has ended.
struct RunResults {
    qint32 lLanguage = 1;
    QDateTime completed;
    ResultInputs inputs;
    bool imperial{}; // units of the sheet's lengths and of the pitch chart
    QStringList sheetHeader;
    std::vector<QStringList> sheetRows; // cells as the grid shows them, both blades
    ChartSet charts;                    // the folded blade, tip corrected, tip first
    QImage topPicture;                  // small copies of the two views, as loaded
    QImage sidePicture;

    double R() const { return double(inputs.Diameter) / 2.0; }
};

// A copy of a loaded view small enough for a report; the view itself stays untouched.
QImage reportPicture(const PixelRows& view);

// One station of the folded blade, tip corrected. Lengths in metres, or in inches when
// `imperial` was asked for.
struct BladeStation {
    double rR;
    double cR;
    double betaDeg;
    double r;
    double c;
    double pitch;
};

// The folded blade from hub to tip, as the charts show it.
std::vector<BladeStation> foldedBlade(const RunResults& results, bool imperial);

} // namespace bladetrace
