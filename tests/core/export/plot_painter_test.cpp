#include "export/plot_painter.h"

#include <QPaintEngine>
#include <QPainter>
#include <QRandomGenerator>
#include <QTextItem>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// A 400 x 300 paint device at 96 dpi that keeps what is painted on it: the texts where their
// baselines begin, the lines with their pens' colours, the markers' centres.
class PaintRecorder : public QPaintDevice, QPaintEngine {
public:
    struct Text {
        QString text;
        QPointF at;
        double width;
    };
    std::vector<Text> texts;
    std::vector<std::pair<QLineF, QColor>> lines;
    std::vector<QPointF> markers;
    std::vector<QColor> paths; // the pens of frames and of the lines through the points

    explicit PaintRecorder(const Plot& plot) : QPaintEngine(QPaintEngine::AllFeatures) {
        QPainter painter(this);
        paintPlotOnPaper(painter, QSize(400, 300), 96, plot);
    }
    QPaintEngine* paintEngine() const override { return const_cast<PaintRecorder*>(this); }
    const Text* find(const QString& text) const {
        const auto t = std::find_if(texts.begin(), texts.end(),
                                    [&text](const Text& found) { return found.text == text; });
        return t == texts.end() ? nullptr : &*t;
    }

private:
    int metric(PaintDeviceMetric m) const override {
        if (m == PdmWidth || m == PdmHeight)
            return m == PdmWidth ? 400 : 300;
        if (m >= PdmDpiX && m <= PdmPhysicalDpiY)
            return 96;
        return m == PdmDevicePixelRatioScaled ? int(devicePixelRatioFScale())
               : m == PdmDepth                ? 32
                                              : 1;
    }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& changed) override {
        if (changed.state() & DirtyPen)
            pen_ = changed.pen().color();
    }
    Type type() const override { return User; }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override { paths.push_back(pen_); }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        texts.push_back({item.text(), p, item.width()});
    }
    void drawLines(const QLineF* drawn, int count) override {
        for (int i = 0; i < count; ++i)
            lines.emplace_back(drawn[i], pen_);
    }
    void drawEllipse(const QRectF& r) override { markers.push_back(r.center()); }

    QColor pen_;
};

// An axis as painted: its labels' values from the lowest, the texts, and where the grid lines
// of their ticks lie (x across, y down).
struct PaintedAxis {
    std::vector<double> values;
    QStringList texts;
    std::vector<double> ticks;
    std::vector<const PaintRecorder::Text*> labels;

    // Where a value lies, between the outer ticks.
    double at(double v) const {
        return ticks.front() + (v - values.front()) / (values.back() - values.front()) *
                                   (ticks.back() - ticks.front());
    }
};

// The axes of a plot painted without titles or legend: the numbers on the lowest baseline
// label the abscissa, the others the ordinate.
std::pair<PaintedAxis, PaintedAxis> axesOf(const PaintRecorder& r) {
    double lowest = -HUGE_VAL;
    for (const PaintRecorder::Text& t : r.texts)
        lowest = std::max(lowest, t.at.y());
    std::vector<std::pair<double, const PaintRecorder::Text*>> across, down;
    for (const PaintRecorder::Text& t : r.texts)
        (t.at.y() == lowest ? across : down)
            .emplace_back(t.at.y() == lowest ? t.at.x() : -t.at.y(), &t);
    std::pair<PaintedAxis, PaintedAxis> axes;
    for (auto [labels, axis] : {std::pair{&across, &axes.first}, {&down, &axes.second}}) {
        std::sort(labels->begin(), labels->end());
        for (const auto& label : *labels) {
            axis->labels.push_back(label.second);
            axis->texts << label.second->text;
            axis->values.push_back(label.second->text.toDouble());
        }
    }
    for (const auto& [line, colour] : r.lines)
        if (colour == QColor(0xd8, 0xd8, 0xd8)) // the grid's grey
            (line.x1() == line.x2() ? axes.first.ticks : axes.second.ticks)
                .push_back(line.x1() == line.x2() ? line.x1() : line.y1());
    std::sort(axes.first.ticks.begin(), axes.first.ticks.end());
    std::sort(axes.second.ticks.rbegin(), axes.second.ticks.rend()); // upwards
    return axes;
}

// The decimals a step needs to be written exactly.
int decimalsOf(double step) {
    int d = 0;
    for (double scaled = step; d < 12 && std::fabs(scaled - std::round(scaled)) > 1e-6 * scaled;)
        scaled = step * std::pow(10.0, ++d);
    return d;
}

// One label per tick, in round steps (1, 2, 2.5 or 5 times a power of ten) with as many
// decimals as the step needs, from at most a step below the lowest value to at most a step
// above the highest, the ticks evenly spaced.
void expectRoundAxis(const PaintedAxis& axis, double min, double max) {
    SCOPED_TRACE(::testing::PrintToString(axis.texts));
    ASSERT_GE(axis.values.size(), 2u);
    ASSERT_EQ(axis.ticks.size(), axis.values.size());
    const double step = axis.values[1] - axis.values[0];
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-6 || std::fabs(mantissa - 2) < 1e-6 ||
                std::fabs(mantissa - 2.5) < 1e-6 || std::fabs(mantissa - 5) < 1e-6)
        << "step " << step;
    const double slack = 1e-6 * step;
    EXPECT_LE(axis.values.front(), min + slack);
    EXPECT_GT(axis.values.front(), min - step - slack);
    EXPECT_GE(axis.values.back(), max - slack);
    EXPECT_LT(axis.values.back(), max + step + slack);
    const double spacing = (axis.ticks.back() - axis.ticks.front()) / double(axis.ticks.size() - 1);
    for (std::size_t i = 0; i < axis.values.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "label " << i);
        EXPECT_NEAR(axis.values[i], axis.values[0] + double(i) * step, slack);
        EXPECT_EQ(axis.texts[int(i)].section('.', 1).size(), decimalsOf(step));
        EXPECT_NEAR(axis.ticks[i], axis.ticks[0] + double(i) * spacing, 0.01);
    }
}

// Data of every size and sign, single values, fixed ranges. Labels never crowd: the
// abscissa's stand apart, centred on their ticks; the ordinate's end left of the frame.
TEST(PlotPainter, AxesAreLabelledInRoundStepsThatCoverTheData) {
    QRandomGenerator random(20260418);
    // A range of values of up to `scale`, at least `least` of it, or a single value.
    const auto range = [&random](double scale, double least, bool single) {
        const double a = (random.generateDouble() * 2 - 1) * scale;
        return std::pair(a,
                         single ? a : a + (least + (1 - least) * random.generateDouble()) * scale);
    };
    // A single value stands within a tenth of itself (or 1) above and below.
    const auto padded = [](double a, double b) {
        const double pad = a == b ? (a == 0 ? 1 : std::fabs(a) * 0.1) : 0;
        return std::pair(std::min(a, b) - pad, std::max(a, b) + pad);
    };
    for (int round = 0; round < 60; ++round) {
        // Abscissas spanning lengths as the program's charts do (r/R: labels of a few digits,
        // which the room of an interval fits); ordinates of any length, or one value.
        const auto [a, b] = range(std::pow(10.0, random.bounded(-1, 3)), 0.5, false);
        const auto [c, d] = range(std::pow(10.0, random.bounded(-4, 6)), 0, round % 10 == 0);
        SCOPED_TRACE(::testing::Message()
                     << "round " << round << ": " << a << " to " << b << ", " << c << " to " << d);
        Plot plot;
        plot.lines = {PlotLine{QString(), {a, b}, {d, c}, Qt::black, Qt::SolidLine, true}};
        auto [yMin, yMax] = padded(c, d);
        if (round % 7 == 3) {
            plot.yRange = PlotRange{c - 1, d + 2};
            yMin = c - 1;
            yMax = d + 2;
        }
        const PaintRecorder recorder(plot);
        const auto [across, down] = axesOf(recorder);
        expectRoundAxis(across, padded(a, b).first, padded(a, b).second);
        expectRoundAxis(down, yMin, yMax);
        for (std::size_t i = 0; i < across.labels.size(); ++i) {
            EXPECT_NEAR(across.labels[i]->at.x() + across.labels[i]->width / 2, across.ticks[i], 1);
            if (i > 0) {
                EXPECT_LT(across.labels[i - 1]->at.x() + across.labels[i - 1]->width,
                          across.labels[i]->at.x());
            }
        }
        for (const PaintRecorder::Text* label : down.labels)
            EXPECT_LT(label->at.x() + label->width, across.ticks.front()) << label->text;
    }
}

// Before any run a chart has no data: its axes run from 0 to 1.
TEST(PlotPainter, APlotWithoutDataShowsAxesFromZeroToOne) {
    const PaintRecorder recorder{Plot()};
    const auto [across, down] = axesOf(recorder);
    expectRoundAxis(across, 0, 1);
    expectRoundAxis(down, 0, 1);
    EXPECT_EQ(across.values.back(), 1);
    EXPECT_EQ(down.values.back(), 1);
}

// Each point's marker lies where its values fall between the ticks; a flat line, whatever its
// value, lies mid-plot. Without markers none are drawn.
TEST(PlotPainter, PointsLieWhereTheirValuesFallBetweenTheTicks) {
    Plot plot;
    plot.lines = {
        PlotLine{QString(), {0.1, 0.45, 0.8}, {3, -1, 7.5}, Qt::black, Qt::SolidLine, true}};
    const PaintRecorder recorder(plot);
    const auto [across, down] = axesOf(recorder);
    ASSERT_EQ(recorder.markers.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(::testing::Message() << "point " << i);
        EXPECT_NEAR(recorder.markers[i].x(), across.at(plot.lines[0].x[i]), 0.01);
        EXPECT_NEAR(recorder.markers[i].y(), down.at(plot.lines[0].y[i]), 0.01);
    }
    plot.lines[0].y = {-1e5, -1e5, -1e5};
    const PaintRecorder flat(plot);
    const PaintedAxis flatDown = axesOf(flat).second;
    ASSERT_EQ(flat.markers.size(), 3u);
    EXPECT_NEAR(flat.markers[0].y(), (flatDown.ticks.front() + flatDown.ticks.back()) / 2, 0.01);
    plot.lines[0].markers = false;
    EXPECT_EQ(PaintRecorder(plot).markers.size(), 0u);
}

} // namespace
} // namespace bladetrace
