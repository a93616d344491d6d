#pragma once

#include "geometry/stations.h"

#include <QString>
#include <QStringList>

namespace bladetrace {

constexpr int kSheetColumns = 9;

// Row 0 of the spreadsheet: the same in both languages and unit systems ("ß" is the blade
// angle).
QStringList sheetHeaders();

// Per column the text whose width, in the window's font, is the column's width.
QStringList sheetSampleTexts();

// The nine cells of a station's row, each in its column's number format.
QStringList sheetRowCells(const StationRow& row);

} // namespace bladetrace
