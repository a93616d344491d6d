#pragma once

#include "base/language.h"
#include "text/added_strings.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace bladetrace {

constexpr qint16 kStringsPerLanguage = 51;

// Lines of a message end in CR LF, as the message boxes always showed them.
inline const QString kCrLf = QStringLiteral("\r\n");

// The program's numbered texts: entry n of language l is resource 1000 * l + n.
std::optional<QString> resourceString(qint32 id);

// Entry ID in the language lLanguage. A pair outside the table fails with error 326;
// a sum beyond 32 bits fails with overflow.
QString LoadLangResString(qint32 lLanguage, qint16 ID);
inline QString LoadLangResString(Language language, qint16 ID) {
    return LoadLangResString(languageNumber(language), ID);
}

// Entry numbers the code refers to by name.
namespace str {
constexpr qint16 kCaption = 1;
constexpr qint16 kThicknessCorrection = 2;
constexpr qint16 kGo = 3;
constexpr qint16 kAbout = 4;
constexpr qint16 kBrowseSide = 5;
constexpr qint16 kBrowseTop = 6;
constexpr qint16 kFlightSpeed = 7;
constexpr qint16 kSpeedUnit = 8;
constexpr qint16 kRpmUnit = 9;
constexpr qint16 kPropellerRpm = 10;
constexpr qint16 kWhiteThreshold = 11;
constexpr qint16 kBusy = 12;
constexpr qint16 kTopImage = 13;
constexpr qint16 kSideImage = 14;
constexpr qint16 kActualDiameter = 15;
constexpr qint16 kDiameterUnit = 16;
constexpr qint16 kCopy = 17;
constexpr qint16 kHelpButton = 19;
constexpr qint16 kOk = 20;
constexpr qint16 kSysInfoButton = 21;
constexpr qint16 kInfoAbout = 26;
constexpr qint16 kDescription1 = 27;
constexpr qint16 kDescription4 = 30;
constexpr qint16 kSysInfoMissing = 31;
constexpr qint16 kLanguage = 32;
constexpr qint16 kTabSheet = 33;
constexpr qint16 kTabChord = 34;
constexpr qint16 kTabTwist = 35;
constexpr qint16 kTabPitch = 36;
constexpr qint16 kStatusWorking = 37;
constexpr qint16 kStatusTopView = 38;
constexpr qint16 kStatusSideView = 39;
constexpr qint16 kStatusGeometry = 40;
constexpr qint16 kStatusReady = 41;
constexpr qint16 kAborted = 42;
constexpr qint16 kCancelledTitle = 43;
constexpr qint16 kMismatch1 = 44;
constexpr qint16 kMismatch2 = 45;
constexpr qint16 kMismatchTop = 46;
constexpr qint16 kMismatchSide = 47;
constexpr qint16 kMustBePositive = 48;
constexpr qint16 kDiameter = 49;
constexpr qint16 kRpm = 50;
} // namespace str

} // namespace bladetrace
