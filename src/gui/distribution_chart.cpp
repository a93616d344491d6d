#include "distribution_chart.h"

#include "text/string_table.h"

#include <QMimeData>

namespace bladetrace {

DistributionChart::DistributionChart(const QString& key, QWidget* parent)
    : PlotView(parent), key_(key), language_(Language::English) {
    setInitial();
}

void DistributionChart::setInitial() {
    ChartSeries empty;
    empty.key = key_;
    fill(empty);
}

void DistributionChart::fill(const ChartSeries& data) {
    data_ = data;
    replot();
}

void DistributionChart::setLanguage(Language language) {
    language_ = language;
    replot();
}

QList<QPointF> DistributionChart::points() const {
    QList<QPointF> points;
    for (const PlotLine& line : plot().lines) {
        for (std::size_t i = 0; i < line.x.size() && i < line.y.size(); ++i)
            points.append(QPointF(line.x[i], line.y[i]));
    }
    return points;
}

QString DistributionChart::dataText() const {
    return seriesText(data_);
}

QMimeData* DistributionChart::copyData() {
    auto* mime = new QMimeData;
    mime->setImageData(picture());
    mime->setText(dataText());
    return mime;
}

void DistributionChart::replot() {
    setPlot(chartPlot(data_, chartHeading(data_, language_)));
}

} // namespace bladetrace
