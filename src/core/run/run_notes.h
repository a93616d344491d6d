#pragma once

#include "results/charts.h"

#include <QStringList>
#include <QtGlobal>

namespace bladetrace {

// Beyond this blade angle everywhere from kSwappedFromRR out, a blade is more likely measured
// from two views given the wrong way round: the angle read is then the complement of the real
// one, which is seldom above 45 degrees outboard.
constexpr double kSwappedAngleDegrees = 60;
constexpr double kSwappedFromRR = 0.5;
// A propeller larger than this is hardly meant: more likely metres typed for millimetres.
constexpr double kLargestLikelyDiameter = 10;

// Whether the twist chart of the folded blade looks like that of swapped views.
bool viewsLookSwapped(const ChartSeries& twist);

// What a completed run used and found, for the notes.
struct RunFacts {
    const ChartSet& charts;
    double diameter; // metres, as used
    double speed;    // metres per second, as used
    double tipMach;  // the largest Ma of the sheet
};

// What the run has to say about its results, in lLanguage: a note when the views may be
// swapped, then one warning line for inputs that the run could use but that are hardly
// meant (the tip faster than sound, a diameter above 10 m, a negative flight speed). Each
// entry is a sentence; none when nothing is doubtful.
QStringList runNotes(const RunFacts& facts, qint32 lLanguage);

} // namespace bladetrace
