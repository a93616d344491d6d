#pragma once

#include "geometry/fold.h"

#include <QString>
#include <array>
#include <vector>

namespace bladetrace {

// One chart's data grid: column 1 the abscissa r/R, column 2 the plotted quantity; rows in
// table order, row 1 the tip.
struct ChartSeries {
    QString key; // the page that shows it: pagekey::kChord, kBeta or kPitch
    QString xTitle;
    QString yTitle;
    QString xLabel; // column 1
    QString yLabel; // column 2
    std::vector<double> x;
    std::vector<double> y;

    int rows() const { return int(x.size()); }
};

enum ChartIndex { kChordChart, kBetaChart, kPitchChart };
using ChartSet = std::array<ChartSeries, 3>;

// Replaces the tip's chord and blade angle by a linear extrapolation from the next two
// stations: the measured tip is the least reliable station.
void applyTipCorrection(FoldedTable& folded);

// The three charts over the folded stations. Diameter in metres; pitch in inches when
// `imperial`.
ChartSet chartValues(const FoldedTable& folded, float Diameter, double R, bool imperial);

// One chart's data grid as text: a line of the two column labels, then per row its number,
// r/R and the value with 7 significant digits; cells separated by tabs, each line ended by LF.
QString seriesText(const ChartSeries& series);

// The charts as one tab-separated table, one line per folded station (LF ends each line):
// "No.", r/R, c/R, ß and pitch with 7 significant digits.
QString chartsText(const ChartSet& charts);

} // namespace bladetrace
