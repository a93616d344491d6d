#pragma once

#include "base/language.h"
#include "base/scaled_view.h"
#include "results/charts.h"

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
    qint32 threshold{};   // as used: suggested from the views when autoThreshold
    bool autoThreshold{}; // suggested from the two views, by the run or by the window's Auto
    bool spanMatching{};
    ScaledView scaledView = ScaledView::None; // what span matching scaled up, and by how much
    double spanScale = 1;
    // As typed, in the units of `imperialInputs`.
    QString diameterText;
    QString rpmText;
    QString velocityText;
    // As used: corrected when not positive, converted to SI.
    float diameter{}; // metres
    double revolutionsPerSecond{};
    double speed{}; // metres per second
    bool diameterCorrected{};
    bool rpmCorrected{};
    bool imperialInputs{}; // the units box as the run started
    bool thicknessCorrection{};
    QString rootThicknessText;
    QString tipThicknessText;
    qint32 blades = 2; // as the user counts them; not measured
};

// What a completed run produced, kept for saving after the run has ended.
struct RunResults {
    Language language = Language::English;
    QDateTime completed;
    ResultInputs inputs;
    bool imperial{}; // units of the sheet's lengths and of the pitch chart
    QStringList sheetHeader;
    std::vector<QStringList> sheetRows; // cells as the grid shows them, both blades
    ChartSet charts;                    // the folded blade, tip corrected, tip first
    // Small copies of the two views as loaded, for a report; null unless the caller of the
    // run asked for them.
    QImage topPicture;
    QImage sidePicture;

    double radius() const { return double(inputs.diameter) / 2.0; }
};

} // namespace bladetrace
