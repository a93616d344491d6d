#pragma once

#include "base/language.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace bladetrace {

// Texts of the features added beside the original window, numbered from 100 so that the
// original entries 0..50 keep their numbers. Looked up like those: 1000 * language + n.
// Each feature owns a block of twenty numbers.
std::optional<QString> addedString(Language language, qint32 entry);

namespace str {
// 100..119: loading and writing files
// 120..139: preparing the views (span matching, threshold suggestion)
constexpr qint16 kMatchSpans = 120;
constexpr qint16 kAutoThreshold = 121;
constexpr qint16 kNoteThreshold = 122;  // "%1": the grey level
constexpr qint16 kNoteTopScaled = 123;  // "%1": the factor
constexpr qint16 kNoteSideScaled = 124; // "%1": the factor
constexpr qint16 kNoteSpansAgree = 125;
constexpr qint16 kSpansDiffer = 126; // "%1": the difference in percent
constexpr qint16 kNotSamePropeller = 127;
constexpr qint16 kSameAtOtherScale = 139;
// 140..159: saving results
constexpr qint16 kSave = 140;
constexpr qint16 kReportTitle = 141;
constexpr qint16 kReportInputs = 142;
constexpr qint16 kReportUnits = 143;
constexpr qint16 kReportMetric = 144;
constexpr qint16 kReportImperial = 145;
constexpr qint16 kReportOn = 146;
constexpr qint16 kReportOff = 147;
constexpr qint16 kReportRoot = 148;
constexpr qint16 kReportTip = 149;
constexpr qint16 kReportPage = 150;
constexpr qint16 kReportMeasured = 151;
constexpr qint16 kSaveTitle = 152;
constexpr qint16 kSaveCsv = 153;
constexpr qint16 kSaveQprop = 154;
constexpr qint16 kSaveTable = 155;
constexpr qint16 kSaveReport = 156;
constexpr qint16 kSaveChartPng = 157;
constexpr qint16 kSaveChartSvg = 158;
constexpr qint16 kSaveCsvRegional = 159;
// 160..179: the window and its help viewer
constexpr qint16 kHelpTitle = 160;
constexpr qint16 kHelpContents = 161;
constexpr qint16 kHelpIndex = 162;
constexpr qint16 kHelpBack = 163;
constexpr qint16 kHelpForward = 164;
constexpr qint16 kHelpHome = 165;
constexpr qint16 kHelpFileMissing = 166;
constexpr qint16 kHelpPageMissing = 167;
// 200..219: checking the views before they are measured
constexpr qint16 kCheckTopView = 200;
constexpr qint16 kCheckSideView = 201;
constexpr qint16 kCheckTopEdge = 202;
constexpr qint16 kCheckBottomEdge = 203;
constexpr qint16 kCheckBothEdges = 204;
constexpr qint16 kBladeCutOff = 205; // "%1" view, "%2" edge, "%3" of "%4" columns
constexpr qint16 kPaperAround = 206;
constexpr qint16 kNoteEdge = 207; // "%1" view, "%2" of "%3" columns, "%4" edge
constexpr qint16 kSameFile = 208;
constexpr qint16 kTwoPictures = 209;
// 220..239: doubtful inputs and views, said after a run or asked during it
constexpr qint16 kNotANumber = 220; // "%1": the box, "%2": its text
constexpr qint16 kRootThickness = 221;
constexpr qint16 kTipThickness = 222;
constexpr qint16 kNoteViewsSwapped = 223;    // "%1": r/R where the test starts
constexpr qint16 kWarning = 224;             // "%1": what is doubtful
constexpr qint16 kWarnTipMach = 225;         // "%1": the Mach number
constexpr qint16 kWarnDiameter = 226;        // "%1": the diameter in metres
constexpr qint16 kWarnNegativeSpeed = 227;   // "%1": the speed in metres per second
constexpr qint16 kSpansQuestion = 228;       // "%1": the difference in percent
constexpr qint16 kReportThresholdSet = 229;  // "%1": the grey level
constexpr qint16 kReportThresholdAuto = 230; // "%1": the grey level
} // namespace str

} // namespace bladetrace
