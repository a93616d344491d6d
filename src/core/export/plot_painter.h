#pragma once

#include "base/language.h"
#include "results/charts.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

class QPainter;

namespace bladetrace {

// One series of a plot: points joined in order.
struct PlotLine {
    QString name; // its legend entry
    std::vector<double> x;
    std::vector<double> y;
    QColor colour = QColor(0x1f, 0x4e, 0x9a);
    Qt::PenStyle style = Qt::SolidLine; // Qt::NoPen: points only
    bool markers = true;
};

using PlotRange = std::pair<double, double>;

// Text and lines on paper, in plots and around them.
inline const QColor kInk(0x20, 0x20, 0x20);

struct Plot {
    QString title;
    QString xTitle;
    QString yTitle; // written horizontally above the value axis
    std::vector<PlotLine> lines;
    bool legend = false;
    // What an axis must cover instead of its data; either way it widens to round numbers.
    std::optional<PlotRange> xRange;
    std::optional<PlotRange> yRange;
};

// One of the run's charts with its titles; `title` heads it.
Plot chartPlot(const ChartSeries& series, const QString& title);

// The heading of a chart in `language`: the caption of its tab.
QString chartHeading(const ChartSeries& series, Language language);

// Paints the plot into `area`: title, axes with round ticks and a grid, the lines, the
// legend. Every size follows `font` on the painter's device, so a plot reads alike on
// paper and on screen. Nothing is drawn outside `area`.
void paintPlot(QPainter& painter, const QRectF& area, const Plot& plot, const QFont& font);

// The plot on white paper of `size` device pixels at `dpi`, with a margin and a 9 point
// font; on any paint device.
void paintPlotOnPaper(QPainter& painter, const QSize& size, int dpi, const Plot& plot);

// The plot on white paper, `size` pixels at `dpi`.
QImage plotImage(const Plot& plot, const QSize& size, int dpi = 96);

} // namespace bladetrace
