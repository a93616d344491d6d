#pragma once

#include "scan/outline_scanner.h"

#include <QString>
#include <QtGlobal>

namespace bladetrace {

// A blade whose columns reach the picture's top or bottom row in more than this share of its
// columns goes on beyond the picture: its chord and angle would be those of what is left.
// The mounts in the published photographs reach it in up to 8.4 % of the columns (6 % at
// the suggested threshold). Of rendered blades cut on purpose, none that stays within 10 %
// moves a chord by more than 1.3 % of the largest or an angle by more than 0.5 degree
// (docs/accuracy.md).
constexpr double kMaxEdgeShare = 0.10;

enum class EdgeFinding {
    Clear,  // no blade column reaches the picture's top or bottom row
    Note,   // a few do, a mount below the hub: said in the note
    CutOff, // too many: the run is refused
};

EdgeFinding edgeFinding(const EdgeContact& contact);

// "The blade in the top view touches the picture's top edge in 312 of its 1460 columns: it
// may be cut off." and what to do about it, on two lines.
QString cutOffText(qint32 lLanguage, bool topView, const EdgeContact& contact);

// "top view: 12 of 1460 columns touch the bottom edge", for the run's note.
QString edgeNote(qint32 lLanguage, bool topView, const EdgeContact& contact);

// The message of a run whose two views are one file, with its name.
QString sameFileText(qint32 lLanguage, const QString& fileName);

} // namespace bladetrace
