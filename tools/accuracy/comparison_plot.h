#pragma once

#include "blade_tables.h"

#include <QImage>
#include <QString>

namespace bladetrace::accuracy {

// Two charts side by side, chord (c/R) and blade angle over r/R: the reference table as a
// line with points, each measurement as a line. Drawn with the program's own plot painter.
struct PlotSeries {
    QString name;
    Distribution values;
};
QImage plotComparison(const QString& title, const PlotSeries& reference,
                      const std::vector<PlotSeries>& measured);

} // namespace bladetrace::accuracy
