#include "performance_plot.h"

#include "export/plot_painter.h"

#include <QPainter>
#include <algorithm>
#include <array>

namespace bladetrace::accuracy {
namespace {

constexpr QSize kPerformanceChartSize(600, 420);

enum class Quantity { CT, CP, Eta };

double of(const PerformancePoint& p, Quantity q) {
    return q == Quantity::CT ? p.CT : q == Quantity::CP ? p.CP : p.eta;
}

double of(const TunnelPoint& p, Quantity q) {
    return q == Quantity::CT ? p.CT : q == Quantity::CP ? p.CP : p.J * p.CT / p.CP;
}

Plot quantityPlot(const QString& title, Quantity q, const TunnelTest& measured,
                  const TunnelPoint* staticPoint, const std::vector<PredictedCurve>& curves) {
    static const char* const names[] = {"CT", "CP", "η"};
    Plot plot;
    plot.title = title;
    plot.xTitle = QStringLiteral("J");
    plot.yTitle = QString::fromUtf8(names[int(q)]);
    plot.legend = true;
    PlotLine points{QStringLiteral("wind tunnel"), {}, {}, Qt::black, Qt::NoPen, true};
    if (staticPoint && q != Quantity::Eta) {
        points.x.push_back(0);
        points.y.push_back(of(*staticPoint, q));
    }
    double lastJ = 0;
    for (const TunnelPoint& p : measured.points) {
        if (p.CT <= 0 && q == Quantity::Eta)
            continue;
        points.x.push_back(p.J);
        points.y.push_back(of(p, q));
        lastJ = std::max(lastJ, p.J);
    }
    plot.lines.push_back(points);
    const std::array<QColor, 2> colours = {QColor(0x20, 0x60, 0xd0), QColor(0xd0, 0x30, 0x20)};
    for (std::size_t c = 0; c < curves.size(); ++c) {
        PlotLine line{curves[c].name,
                      {},
                      {},
                      colours[c % colours.size()],
                      c == 0 ? Qt::SolidLine : Qt::DashLine,
                      false};
        for (const PerformancePoint& p : curves[c].points) {
            if (q == Quantity::Eta && p.CT < 0)
                continue;
            line.x.push_back(p.J);
            line.y.push_back(of(p, q));
            lastJ = std::max(lastJ, p.J);
        }
        plot.lines.push_back(line);
    }
    double low = 0, high = 0;
    for (const PlotLine& line : plot.lines)
        for (const double v : line.y) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    plot.xRange = PlotRange(0.0, lastJ);
    plot.yRange = q == Quantity::Eta ? PlotRange(0.0, 1.0) : PlotRange(low, high);
    return plot;
}

} // namespace

QImage plotPerformance(const QString& title, const TunnelTest& measured,
                       const TunnelPoint* staticPoint, const std::vector<PredictedCurve>& curves) {
    std::vector<QImage> charts;
    for (const Quantity q : {Quantity::CT, Quantity::CP, Quantity::Eta}) {
        static const char* const headings[] = {"thrust", "power", "efficiency"};
        charts.push_back(plotImage(
            quantityPlot(title + QStringLiteral(": ") + QString::fromLatin1(headings[int(q)]), q,
                         measured, staticPoint, curves),
            kPerformanceChartSize));
    }
    QImage all(3 * kPerformanceChartSize.width(), kPerformanceChartSize.height(),
               QImage::Format_RGB32);
    QPainter painter(&all);
    for (int i = 0; i < 3; ++i)
        painter.drawImage(i * kPerformanceChartSize.width(), 0, charts[std::size_t(i)]);
    return all;
}

} // namespace bladetrace::accuracy
