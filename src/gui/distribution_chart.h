#pragma once

#include "results/charts.h"

#include <QChartView>

class QGraphicsSimpleTextItem;
class QLineSeries;
class QMimeData;
class QValueAxis;

namespace bladetrace {

// An XY chart of one quantity over r/R: the points joined in row order as one series, each
// axis scaled to its own data. It keeps the data grid it shows, for the clipboard.
class DistributionChart : public QChartView {
    Q_OBJECT
public:
    // `key` names the tab that shows the chart and the series it takes from a ChartSet.
    explicit DistributionChart(const QString& key, QWidget* parent = nullptr);

    const QString& key() const { return key_; }

    // The state after the window loads: no rows, nothing plotted.
    void setInitial();
    void fill(const ChartSeries& data);

    const ChartSeries& data() const { return data_; }
    QString xTitle() const;
    QString yTitle() const;
    QList<QPointF> points() const;

    // The data grid as text (seriesText).
    QString dataText() const;
    // The chart's picture and its data grid, for one clipboard entry.
    QMimeData* copyData();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeYTitle();

    QString key_;
    ChartSeries data_;
    QLineSeries* series_;
    QValueAxis* axisX_;
    QValueAxis* axisY_;
    // Qt draws a vertical axis title rotated; this one stays level above the axis.
    QGraphicsSimpleTextItem* yTitle_;
};

} // namespace bladetrace
