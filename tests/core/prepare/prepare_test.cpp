#include "prepare/dark_parts.h"
#include "prepare/grey_scaling.h"
#include "prepare/span_matching.h"
#include "prepare/threshold_suggestion.h"
#include "support/painted_blades.h"

#include <gtest/gtest.h>
#include <tuple>

namespace bladetrace {
namespace {

// Dark pixels join where they touch, corners included, and not across a column of paper.
TEST(DarkParts, JoinAcrossCornersNotAcrossAGap) {
    QImage image(8, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (const int x : {0, 1, 2, 6})
        image.setPixel(x, 0, qRgb(0, 0, 0));
    for (const int x : {4, 5})
        image.setPixel(x, 1, qRgb(0, 0, 0));
    EXPECT_EQ(findDarkParts(image, 110).parts.size(), 2u);
    image.setPixel(3, 1, qRgb(110, 110, 110));
    const DarkParts joined = findDarkParts(image, 110);
    ASSERT_EQ(joined.parts.size(), 1u);
    EXPECT_EQ(std::tuple(joined.largest, bladeBox(joined)), std::tuple(7, QRect(0, 0, 7, 2)));
}

// Scaled views and the histogram of greys see a pixel as the scanner does: (111, 111, 110)
// is 111, (111, 110, 110) is 110.
TEST(GreyScaling, RoundsTheGreyAsTheScannerDoes) {
    QImage colour(2, 1, QImage::Format_RGB32);
    colour.setPixel(0, 0, qRgb(111, 111, 110));
    colour.setPixel(1, 0, qRgb(111, 110, 110));
    const GreyScaling same(colour, 1.0);
    const QImage grey = same.scaled();
    // No dark columns at 109.
    EXPECT_EQ(std::tuple(grey.pixel(0, 0), grey.pixel(1, 0), same.darkColumn(0, 110),
                         same.darkColumn(1, 110), same.darkColumns(0, 1, 109)),
              std::tuple(qRgb(111, 111, 111), qRgb(110, 110, 110), false, true, std::pair(-1, -1)));
    GreyHistogram histogram{};
    addToHistogram(histogram, colour);
    EXPECT_EQ(std::tuple(histogram[111], histogram[110]), std::tuple(1, 1));
}

// Black 20 pixels, grey 100 10, paper 200 10: the classes split best below the grey 100, pure
// black counted; of the greys 0..99 that split alike, the middle.
TEST(ThresholdSuggestion, OtsuCountsPureBlack) {
    GreyHistogram h{}, speck{}, least{};
    h[0] = 20, h[100] = 10, h[200] = 10;
    speck[0] = 1, speck[200] = 5;   // a single pixel is a class too
    least[100] = 1, least[101] = 1; // two pixels a grey apart score 1, the least a split can
    EXPECT_EQ(otsuThreshold(h), 49);
    EXPECT_EQ(otsuThreshold(speck), 99);
    EXPECT_EQ(otsuThreshold(least), 100);
}

// Spans 16 and 14: the side view is scaled until they agree, or, one row high, as near as
// any factor brings it; spans of 3 and 1 columns lie 200 % apart.
TEST(SpanMatching, ScalesTheShorterSpanToTheLongerOrRefuses) {
    const struct {
        int topLast, sideLast, sideRows;
        bool refused;
        int miss;
    } cases[] = {{21, 19, 10, false, 0}, {21, 19, 1, false, 1}, {8, 6, 10, true, 0}};
    for (const auto& c : cases) {
        // The top view's blade reaches the picture's last row.
        const MatchedSpans m =
            matchSpans(testing::paintBand(30, 20, 5, c.topLast, 5, 19),
                       testing::paintBand(30, 20, 5, c.sideLast, 5, 4 + c.sideRows), 110);
        // The note says "spans agree" if cropped.
        EXPECT_EQ(std::pair(m.refused, m.cropped), std::pair(c.refused, !c.refused)) << c.sideRows;
        if (m.refused)
            continue;
        EXPECT_EQ(bladeBox(findDarkParts(m.top, 110)).size(), QSize(17, 15));
        EXPECT_NEAR(bladeBox(findDarkParts(m.side, 110)).width() - 1, 16, c.miss) << c.sideRows;
    }
    // A view without a blade has no span to differ by.
    const QImage paper = testing::paintBand(30, 20, 0, -1, 0, -1);
    EXPECT_EQ(matchSpans(testing::paintBand(30, 20, 5, 21, 5, 19), paper, 110).difference(), 0.0);
    // Dust is paper in the crop, on its last row too (blade rows 5..14, the margin 3 below).
    QImage dusty = testing::paintBand(220, 30, 10, 209, 5, 14);
    dusty.setPixel(100, 14 + kPaperMargin, qRgb(0, 0, 0));
    EXPECT_EQ(findDarkParts(matchSpans(dusty, dusty, 110).top, 110).parts.size(), 1u);
}

} // namespace
} // namespace bladetrace
