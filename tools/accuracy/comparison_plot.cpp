#include "comparison_plot.h"

#include "export/plot_painter.h"

#include <QPainter>
#include <algorithm>
#include <array>

namespace bladetrace::accuracy {
namespace {

constexpr QSize kChartSize(640, 440);

Plot comparisonPlot(const QString& title, const QString& yTitle, const PlotSeries& reference,
                    const std::vector<PlotSeries>& measured, bool chord) {
    const auto pick = [chord](const Distribution& d) { return chord ? d.cOverR : d.betaDeg; };
    Plot plot;
    plot.title = title;
    plot.xTitle = QStringLiteral("r/R");
    plot.yTitle = yTitle;
    plot.legend = true;
    plot.lines.push_back({reference.name, reference.values.rR, pick(reference.values), Qt::black,
                          Qt::SolidLine, true});
    const std::array<QColor, 3> colours = {QColor(0xd0, 0x30, 0x20), QColor(0x20, 0x60, 0xd0),
                                           QColor(0x20, 0x90, 0x40)};
    double top = 0;
    for (std::size_t m = 0; m < measured.size(); ++m) {
        const Distribution& d = measured[m].values;
        plot.lines.push_back({measured[m].name, d.rR, pick(d), colours[m % colours.size()],
                              m == 0 ? Qt::SolidLine : Qt::DashLine, false});
    }
    for (const PlotLine& line : plot.lines)
        for (const double v : line.y)
            top = std::max(top, v);
    plot.xRange = PlotRange(0.0, 1.0);
    plot.yRange = PlotRange(0.0, top * 1.1);
    return plot;
}

} // namespace

QImage plotComparison(const QString& title, const PlotSeries& reference,
                      const std::vector<PlotSeries>& measured) {
    const QImage chord = plotImage(comparisonPlot(title + QStringLiteral(": chord"),
                                                  QStringLiteral("c/R"), reference, measured, true),
                                   kChartSize);
    const QImage angle =
        plotImage(comparisonPlot(title + QStringLiteral(": blade angle"), QStringLiteral("β [°]"),
                                 reference, measured, false),
                  kChartSize);
    QImage both(chord.width() + angle.width(), chord.height(), QImage::Format_RGB32);
    QPainter painter(&both);
    painter.drawImage(0, 0, chord);
    painter.drawImage(chord.width(), 0, angle);
    return both;
}

} // namespace bladetrace::accuracy
