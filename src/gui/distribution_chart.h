#pragma once

#include "plot_view.h"
#include "results/charts.h"

#include <QList>
#include <QPointF>

class QMimeData;

namespace bladetrace {

// An XY chart of one quantity over r/R: the points joined in row order as one series, each
// axis scaled to its own data, headed by its tab's caption. It is the plot the report and the
// saved chart paint, and keeps the data grid it shows, for the clipboard.
class DistributionChart : public PlotView {
    Q_OBJECT
public:
    // `key` names the tab that shows the chart and the series it takes from a ChartSet.
    explicit DistributionChart(const QString& key, QWidget* parent = nullptr);

    const QString& key() const { return key_; }

    // The state after the window loads: no rows, nothing plotted.
    void setInitial();
    void fill(const ChartSeries& data);
    // The heading follows the window's language.
    void setLanguage(Language language);

    const ChartSeries& data() const { return data_; }
    QString xTitle() const { return plot().xTitle; }
    QString yTitle() const { return plot().yTitle; }
    QList<QPointF> points() const;

    // The data grid as text (seriesText).
    QString dataText() const;
    // The chart's picture and its data grid, for one clipboard entry.
    QMimeData* copyData();

private:
    void replot();

    QString key_;
    Language language_;
    ChartSeries data_;
};

} // namespace bladetrace
