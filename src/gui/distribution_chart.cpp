#include "distribution_chart.h"

#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QMimeData>
#include <QValueAxis>
#include <algorithm>

namespace bladetrace {
namespace {

// Room beyond the data at either end of an axis, as a share of the range: a marker on the
// last point (r/R = 1, the tip) is drawn whole rather than cut by the plot's edge.
constexpr double kMarkerRoom = 0.04;

// Round ticks over the data, the range a little wider than the ticks where the data reach
// their ends.
void scaleAxis(QValueAxis& axis, const std::vector<double>& values) {
    axis.setTickType(QValueAxis::TicksFixed);
    if (values.empty()) {
        axis.setRange(0, 1);
        return;
    }
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    double min = *low;
    double max = *high;
    if (min == max) {
        const double pad = min == 0 ? 1 : std::abs(min) * 0.1;
        min -= pad;
        max += pad;
    }
    axis.setRange(min, max);
    axis.applyNiceNumbers();
    const double tickMin = axis.min();
    const double tickMax = axis.max();
    const double room = (tickMax - tickMin) * kMarkerRoom;
    axis.setTickAnchor(tickMin);
    axis.setTickInterval((tickMax - tickMin) / (axis.tickCount() - 1));
    axis.setTickType(QValueAxis::TicksDynamic);
    axis.setRange(std::min(tickMin, *low - room), std::max(tickMax, *high + room));
}

} // namespace

DistributionChart::DistributionChart(const QString& key, QWidget* parent)
    : QChartView(parent), key_(key), series_(new QLineSeries), axisX_(new QValueAxis),
      axisY_(new QValueAxis) {
    setRenderHint(QPainter::Antialiasing);
    QChart* c = chart();
    c->legend()->hide();
    c->addSeries(series_);
    c->addAxis(axisX_, Qt::AlignBottom);
    c->addAxis(axisY_, Qt::AlignLeft);
    series_->attachAxis(axisX_);
    series_->attachAxis(axisY_);
    series_->setPointsVisible(true);
    axisY_->setTitleVisible(false);
    yTitle_ = new QGraphicsSimpleTextItem(c);
    connect(c, &QChart::plotAreaChanged, this, &DistributionChart::placeYTitle);
    setInitial();
}

void DistributionChart::setInitial() {
    ChartSeries empty;
    empty.key = key_;
    fill(empty);
}

void DistributionChart::fill(const ChartSeries& data) {
    data_ = data;
    axisX_->setTitleText(data.xTitle);
    axisY_->setTitleText(data.yTitle);
    yTitle_->setText(data.yTitle);
    QList<QPointF> points;
    points.reserve(qsizetype(data.x.size()));
    for (std::size_t i = 0; i < data.x.size() && i < data.y.size(); ++i)
        points.append(QPointF(data.x[i], data.y[i]));
    series_->replace(points);
    scaleAxis(*axisX_, data.x);
    scaleAxis(*axisY_, data.y);
    placeYTitle();
}

QString DistributionChart::xTitle() const {
    return axisX_->titleText();
}
QString DistributionChart::yTitle() const {
    return axisY_->titleText();
}
QList<QPointF> DistributionChart::points() const {
    return series_->points();
}

QString DistributionChart::dataText() const {
    return seriesText(data_);
}

QMimeData* DistributionChart::copyData() {
    auto* mime = new QMimeData;
    mime->setImageData(grab().toImage());
    mime->setText(dataText());
    return mime;
}

void DistributionChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    placeYTitle();
}

void DistributionChart::placeYTitle() {
    const QRectF plot = chart()->plotArea();
    const QRectF box = yTitle_->boundingRect();
    yTitle_->setPos(qMax(plot.left() - box.width() / 2, 0.0),
                    qMax(plot.top() - box.height() - 4, 0.0));
}

} // namespace bladetrace
