#include "export/plot_painter.h"

#include <QFontMetricsF>
#include <QImage>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// A line's height in the paper's 9 pt type, on a plot's image.
double paperEm(const QImage& image) {
    QFont font;
    font.setPointSizeF(9);
    return QFontMetricsF(font, &image).height();
}

// One flat series: its line across the middle of the plot, a marker on each of its points.
TEST(PlotPainter, DrawsAFlatLineWithItsMarkers) {
    Plot plot;
    plot.lines.resize(1);
    plot.lines[0].x = {0, 0.5, 1};
    plot.lines[0].y = {2, 2, 2};
    const auto blueRows = [&plot] {
        const QImage image = plotImage(plot, QSize(400, 300));
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qBlue(image.pixel(x, y)) > qRed(image.pixel(x, y)) + 60)
                    rows.push_back(y);
        return rows;
    };
    const std::vector<int> marked = blueRows();
    plot.lines[0].markers = false;
    const std::vector<int> plain = blueRows();
    ASSERT_GT(plain.size(), 200u);
    EXPECT_GT(marked.size(), plain.size() + 3 * 8);
    for (const int y : plain)
        ASSERT_NEAR(y, 150, 40);
    // Whatever its value, a flat line lies mid-plot, the value axis's labels in ink beside it.
    plot.lines[0].y = {0, 0, 0};
    EXPECT_EQ(blueRows(), plain);
    const QImage image = plotImage(plot, QSize(400, 300));
    int ink = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 40; ++x)
            ink += qGray(image.pixel(x, y)) < 100;
    EXPECT_GT(ink, 20);
    // A legend centred under the frame (its edges across a row between ticks, half way up to
    // the next): its line and name end an em short of its width.
    plot.lines[0].name = QStringLiteral("a line");
    plot.legend = true;
    const QImage legend = plotImage(plot, QSize(400, 300));
    const auto edges = [&legend](int top, int bottom) { // of the ink in these rows
        int first = legend.width(), last = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < legend.width(); ++x)
                if (qGray(legend.pixel(x, y)) < 128)
                    first = std::min(first, x), last = std::max(last, x);
        return first + last;
    };
    EXPECT_NEAR(edges(260, 300) + paperEm(legend), edges(plain.front() - 24, plain.front() - 23),
                6);
}

// Axes at 400 x 300: quarter steps' labels take a decimal more than fifths', labels never crowd,
// both titles stand whole, the lower one at the foot of the paper.
TEST(PlotPainter, AxesAndTitles) {
    Plot plot;
    plot.lines = {PlotLine{QString(), {0, 1}, {10000, 10001}, Qt::black, Qt::NoPen, false}};
    const auto paint = [&plot] { return plotImage(plot, QSize(400, 300)); };
    // Where runs of ink begin down column `at`, or along row `at`.
    const auto starts = [](const QImage& image, int at, bool down) {
        std::vector<int> found;
        const auto ink = [&](int i) {
            return qGray(down ? image.pixel(at, i) : image.pixel(i, at)) < 250;
        };
        for (int i = 1; i < (down ? image.height() : image.width()); ++i)
            if (ink(i) && !ink(i - 1))
                found.push_back(i);
        return found;
    };
    const int fifthsFrame = starts(paint(), 55, false).at(0); // between the top two ticks
    plot.lines[0].y[1] = 10001.5;
    const QImage quarters = paint();
    EXPECT_GT(starts(quarters, 55, false).at(0), fifthsFrame + 4);
    // The lowest label the widest: the frame makes room for it as for any other.
    plot.lines[0].y = {-80000, 0};
    const int shorter = starts(paint(), 55, false).at(0);
    plot.lines[0].y = {-100000, 0};
    EXPECT_GT(starts(paint(), 55, false).at(0), shorter + 3);
    plot.lines[0].y = {10000, 10001.5};
    const double em = paperEm(quarters);
    const std::vector<int> grid = starts(quarters, 200, true); // the frame's edges among them
    ASSERT_GE(grid.size(), 4u);
    for (std::size_t i = 1; i < grid.size(); ++i)
        EXPECT_GT(grid[i] - grid[i - 1], 2.2 * em);
    // Rows where a title's painting differs from the bare plot.
    const auto titleRows = [&](QString Plot::*title) {
        plot.*title = QStringLiteral("Xy");
        const QImage titled = paint();
        plot.*title = QString();
        std::vector<int> rows;
        for (int y = 0; y < titled.height(); ++y)
            if (titled.copy(0, y, 400, 1) != quarters.copy(0, y, 400, 1))
                rows.push_back(y);
        return rows;
    };
    const std::vector<int> below = titleRows(&Plot::xTitle);
    const std::vector<int> above = titleRows(&Plot::yTitle);
    ASSERT_FALSE(below.empty());
    ASSERT_EQ(below.size(), above.size());
    EXPECT_GT(below.front(), 300 - 2 * em);
}

} // namespace
} // namespace bladetrace
