#include "export/plot_painter.h"

#include "results/page_keys.h"
#include "text/number_format.h"
#include "text/string_table.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace bladetrace {
namespace {

// Room per interval of an axis, in text heights: labels never crowd.
constexpr double kRoomAcross = 5.0;
constexpr double kRoomDown = 2.4;
const QColor kGrid(0xd8, 0xd8, 0xd8);

struct Axis {
    double low;
    double high;
    double step;
    int decimals;

    int ticks() const { return int(std::lround((high - low) / step)); }
    double tick(int i) const { return low + i * step; }
    QString label(int i) const { return formatFixed(tick(i), decimals); }
};

// 1, 2, 2.5 or 5 times a power of ten, the smallest not below `raw`.
double roundStep(double raw) {
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / power;
    const double nice = f <= 1.0 ? 1.0 : f <= 2.0 ? 2.0 : f <= 2.5 ? 2.5 : f <= 5.0 ? 5.0 : 10.0;
    return nice * power;
}

// At most about `intervals` intervals between round ticks.
Axis makeAxis(double min, double max, const std::optional<PlotRange>& fixed, double intervals) {
    if (fixed) {
        min = fixed->first;
        max = fixed->second;
    } else if (!(min <= max)) {
        min = 0.0; // no data
        max = 1.0;
    } else if (min == max) {
        const double pad = min == 0.0 ? 1.0 : std::fabs(min) * 0.1;
        min -= pad;
        max += pad;
    }
    const double step = roundStep((max - min) / std::clamp(intervals, 2.0, 10.0));
    // A hair of slack, so that a value on a tick does not open another interval.
    Axis axis{std::floor(min / step + 1e-9) * step, std::ceil(max / step - 1e-9) * step, step, 0};
    const double exponent = std::floor(std::log10(step) + 1e-9);
    const bool quarter = std::fabs(step / std::pow(10.0, exponent) - 2.5) < 1e-9;
    axis.decimals = std::max(0, int(-exponent) + (quarter ? 1 : 0));
    return axis;
}

std::pair<double, double> dataRange(const Plot& plot, bool abscissa) {
    double min = HUGE_VAL;
    double max = -HUGE_VAL;
    for (const PlotLine& line : plot.lines) {
        for (const double v : abscissa ? line.x : line.y) {
            if (std::isfinite(v)) {
                min = std::min(min, v);
                max = std::max(max, v);
            }
        }
    }
    return {min, max};
}

void drawMarker(QPainter& painter, const QPointF& at, double radius, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(at, radius, radius);
}

} // namespace

Plot chartPlot(const ChartSeries& series, const QString& title) {
    Plot plot;
    plot.title = title;
    plot.xTitle = series.xTitle;
    plot.yTitle = series.yTitle;
    PlotLine line;
    line.name = series.yLabel;
    line.x = series.x;
    line.y = series.y;
    plot.lines.push_back(std::move(line));
    return plot;
}

QString chartHeading(const ChartSeries& series, Language language) {
    const qint16 id = series.key == QLatin1String(pagekey::kChord)  ? str::kTabChord
                      : series.key == QLatin1String(pagekey::kBeta) ? str::kTabTwist
                                                                    : str::kTabPitch;
    return LoadLangResString(language, id);
}

void paintPlot(QPainter& painter, const QRectF& area, const Plot& plot, const QFont& font) {
    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(font, painter.device());
    const double em = metrics.height();
    QFont titleFont = font;
    titleFont.setBold(true);
    titleFont.setPointSizeF(font.pointSizeF() * 1.15);
    const double titleHeight = QFontMetricsF(titleFont, painter.device()).height();

    double top = area.top();
    if (!plot.title.isEmpty()) {
        painter.setFont(titleFont);
        painter.setPen(kInk);
        painter.drawText(QRectF(area.left(), top, area.width(), titleHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, plot.title);
        top += titleHeight + 0.2 * em;
    }
    const double frameTop = top + 2.0 * em;
    const double frameBottom = area.bottom() - (plot.legend ? 1.5 * em : 0.0) - 2.6 * em;

    const auto [xMin, xMax] = dataRange(plot, true);
    const auto [yMin, yMax] = dataRange(plot, false);
    const Axis yAxis =
        makeAxis(yMin, yMax, plot.yRange, (frameBottom - frameTop) / (kRoomDown * em));
    // Room for the usual labels at least, so that plots one under the other line up.
    double labelWidth = metrics.horizontalAdvance(QStringLiteral("-0.000"));
    for (int i = 0; i <= yAxis.ticks(); ++i)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(yAxis.label(i)));
    const double frameLeft = area.left() + labelWidth + 0.7 * em;
    const Axis xAxis =
        makeAxis(xMin, xMax, plot.xRange, (area.right() - frameLeft) / (kRoomAcross * em));
    const double lastLabel = metrics.horizontalAdvance(xAxis.label(xAxis.ticks()));
    const QRectF frame(QPointF(frameLeft, frameTop),
                       QPointF(area.right() - std::max(0.6 * em, lastLabel / 2.0), frameBottom));
    if (frame.width() <= 0 || frame.height() <= 0) {
        painter.restore();
        return;
    }
    const auto px = [&](double x) {
        return frame.left() + (x - xAxis.low) / (xAxis.high - xAxis.low) * frame.width();
    };
    const auto py = [&](double y) {
        return frame.bottom() - (y - yAxis.low) / (yAxis.high - yAxis.low) * frame.height();
    };

    // Grid, ticks and their labels.
    painter.setFont(font);
    const double thin = 0.05 * em;
    const double tick = 0.3 * em;
    for (int i = 0; i <= xAxis.ticks(); ++i) {
        const double x = px(xAxis.tick(i));
        painter.setPen(QPen(kGrid, thin));
        painter.drawLine(QPointF(x, frame.top()), QPointF(x, frame.bottom()));
        painter.setPen(QPen(kInk, thin));
        painter.drawLine(QPointF(x, frame.bottom()), QPointF(x, frame.bottom() + tick));
        painter.drawText(QRectF(x - 4 * em, frame.bottom() + tick, 8 * em, em),
                         Qt::AlignHCenter | Qt::AlignTop, xAxis.label(i));
    }
    for (int i = 0; i <= yAxis.ticks(); ++i) {
        const double y = py(yAxis.tick(i));
        painter.setPen(QPen(kGrid, thin));
        painter.drawLine(QPointF(frame.left(), y), QPointF(frame.right(), y));
        painter.setPen(QPen(kInk, thin));
        painter.drawLine(QPointF(frame.left() - tick, y), QPointF(frame.left(), y));
        painter.drawText(QRectF(area.left(), y - em / 2, labelWidth, em),
                         Qt::AlignRight | Qt::AlignVCenter, yAxis.label(i));
    }
    painter.setPen(QPen(kInk, 2 * thin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
    painter.drawText(QRectF(frame.left(), frame.bottom() + tick + em, frame.width(), em * 1.2),
                     Qt::AlignHCenter | Qt::AlignVCenter, plot.xTitle);
    painter.drawText(QRectF(area.left(), top, area.width(), 1.2 * em),
                     Qt::AlignLeft | Qt::AlignVCenter, plot.yTitle);

    // The lines, kept inside the frame.
    const double radius = 0.2 * em;
    painter.save();
    painter.setClipRect(frame.adjusted(-radius, -radius, radius, radius), Qt::IntersectClip);
    for (const PlotLine& line : plot.lines) {
        QPainterPath path;
        std::vector<QPointF> points;
        for (std::size_t i = 0; i < line.x.size() && i < line.y.size(); ++i) {
            if (!std::isfinite(line.x[i]) || !std::isfinite(line.y[i]))
                continue;
            const QPointF p(px(line.x[i]), py(line.y[i]));
            points.empty() ? path.moveTo(p) : path.lineTo(p);
            points.push_back(p);
        }
        painter.setPen(QPen(line.colour, 0.13 * em, line.style, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        if (line.style != Qt::NoPen)
            painter.drawPath(path);
        if (line.markers) {
            for (const QPointF& p : points)
                drawMarker(painter, p, radius, line.colour);
        }
    }
    painter.restore();

    if (plot.legend) {
        double width = 0;
        for (const PlotLine& line : plot.lines)
            width += 2.2 * em + metrics.horizontalAdvance(line.name) + em;
        double x = frame.center().x() - width / 2;
        const double y = area.bottom() - 0.75 * em;
        for (const PlotLine& line : plot.lines) {
            painter.setPen(QPen(line.colour, 0.13 * em, line.style));
            if (line.style != Qt::NoPen)
                painter.drawLine(QPointF(x, y), QPointF(x + 1.8 * em, y));
            if (line.markers)
                drawMarker(painter, QPointF(x + 0.9 * em, y), radius, line.colour);
            painter.setPen(kInk);
            painter.drawText(QRectF(x + 2.2 * em, y - em / 2, 40 * em, em),
                             Qt::AlignLeft | Qt::AlignVCenter, line.name);
            x += 2.2 * em + metrics.horizontalAdvance(line.name) + em;
        }
    }
    painter.restore();
}

void paintPlotOnPaper(QPainter& painter, const QSize& size, int dpi, const Plot& plot) {
    const QRectF paper(QPointF(0, 0), size);
    painter.fillRect(paper, Qt::white);
    QFont font;
    font.setPointSizeF(9);
    const double margin = dpi / 10.0;
    paintPlot(painter, paper.adjusted(margin, margin, -margin, -margin), plot, font);
}

QImage plotImage(const Plot& plot, const QSize& size, int dpi) {
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMetre = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    paintPlotOnPaper(painter, size, dpi, plot);
    return image;
}

} // namespace bladetrace
