#include "comparison_plot.h"

#include <QApplication>
#include <QChart>
#include <QGraphicsScene>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <array>

namespace bladetrace::accuracy {
namespace {

constexpr QSize kChartSize(640, 440);

QLineSeries* line(const QString& name, const std::vector<double>& x, const std::vector<double>& y,
                  const QColor& colour, Qt::PenStyle style) {
    auto* s = new QLineSeries;
    s->setName(name);
    for (std::size_t i = 0; i < x.size(); ++i)
        s->append(x[i], y[i]);
    QPen pen(colour, 2.0, style);
    s->setPen(pen);
    return s;
}

QImage drawChart(const QString& title, const QString& yTitle, const PlotSeries& reference,
                 const std::vector<PlotSeries>& measured, bool chord) {
    auto pick = [chord](const Distribution& d) { return chord ? d.cOverR : d.betaDeg; };
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    auto* ref =
        line(reference.name, reference.values.rR, pick(reference.values), Qt::black, Qt::SolidLine);
    auto* points = new QScatterSeries;
    points->setMarkerSize(7);
    points->setColor(Qt::black);
    points->setBorderColor(Qt::black);
    for (std::size_t i = 0; i < reference.values.rR.size(); ++i)
        points->append(reference.values.rR[i], pick(reference.values)[i]);
    chart->addSeries(ref);
    chart->addSeries(points);
    const std::array<QColor, 3> colours = {QColor(0xd0, 0x30, 0x20), QColor(0x20, 0x60, 0xd0),
                                           QColor(0x20, 0x90, 0x40)};
    double top = 0;
    for (const double v : pick(reference.values))
        top = std::max(top, v);
    for (std::size_t m = 0; m < measured.size(); ++m) {
        const Distribution& d = measured[m].values;
        for (const double v : pick(d))
            top = std::max(top, v);
        chart->addSeries(line(measured[m].name, d.rR, pick(d), colours[m % colours.size()],
                              m == 0 ? Qt::SolidLine : Qt::DashLine));
    }
    auto* x = new QValueAxis;
    x->setRange(0, 1);
    x->setTitleText(QStringLiteral("r/R"));
    x->setTickCount(11);
    x->setLabelFormat(QStringLiteral("%.1f"));
    auto* y = new QValueAxis;
    y->setRange(0, top * 1.1);
    y->applyNiceNumbers();
    y->setTitleText(yTitle);
    y->setLabelFormat(chord ? QStringLiteral("%.2f") : QStringLiteral("%.0f"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    // The points carry no entry of their own in the legend.
    chart->legend()->markers(points).first()->setVisible(false);
    chart->legend()->setAlignment(Qt::AlignBottom);

    // A scene of its own: no window is shown, the chart is laid out at the picture's size.
    QGraphicsScene scene;
    scene.addItem(chart);
    chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(kChartSize)));
    QApplication::processEvents();
    QImage image(kChartSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(image.rect()), QRectF(QPointF(0, 0), QSizeF(kChartSize)));
    return image;
}

} // namespace

QImage plotComparison(const QString& title, const PlotSeries& reference,
                      const std::vector<PlotSeries>& measured) {
    const QImage chord = drawChart(title + QStringLiteral(": chord"), QStringLiteral("c/R"),
                                   reference, measured, true);
    const QImage angle = drawChart(title + QStringLiteral(": blade angle"), QStringLiteral("β [°]"),
                                   reference, measured, false);
    QImage both(chord.width() + angle.width(), chord.height(), QImage::Format_RGB32);
    QPainter painter(&both);
    painter.drawImage(0, 0, chord);
    painter.drawImage(chord.width(), 0, angle);
    return both;
}

} // namespace bladetrace::accuracy
