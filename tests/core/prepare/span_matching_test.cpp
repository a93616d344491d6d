#include "prepare/dark_parts.h"
#include "prepare/span_matching.h"
#include "support/painted_blades.h"

#include <gtest/gtest.h>

namespace bladetrace {
namespace {

using testing::paintBand;

// Spans 16 and 14: the shorter view is scaled until they agree, or, one row high, as near as
// any factor brings it.
TEST(SpanMatching, ScalesTheShorterSpanToTheLonger) {
    const struct {
        const char* name;
        int topLast, sideLast, sideRows;
        ScaledView scaled;
        int miss;
    } cases[] = {{"side shorter", 21, 19, 10, ScaledView::Side, 0},
                 {"side shorter, one row high", 21, 19, 1, ScaledView::Side, 1},
                 {"top shorter", 19, 21, 10, ScaledView::Top, 0},
                 {"a column apart", 21, 20, 10, ScaledView::None, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // The top view's blade reaches the picture's last row.
        const MatchedSpans m = matchSpans(paintBand(30, 20, 5, c.topLast, 5, 19),
                                          paintBand(30, 20, 5, c.sideLast, 5, 4 + c.sideRows), 110);
        EXPECT_EQ(m.topSpan, c.topLast - 5);
        EXPECT_EQ(m.sideSpan, c.sideLast - 5);
        EXPECT_FALSE(m.refused);
        EXPECT_TRUE(m.cropped); // the note then says "spans agree", if nothing else
        EXPECT_EQ(m.scaled, c.scaled);
        const int longer = std::max(m.topSpan, m.sideSpan);
        const QRect top = bladeBox(findDarkParts(m.top, 110));
        const QRect side = bladeBox(findDarkParts(m.side, 110));
        EXPECT_NEAR(top.width() - 1, longer, c.scaled == ScaledView::Top ? c.miss : 1);
        EXPECT_NEAR(side.width() - 1, longer, c.scaled == ScaledView::Side ? c.miss : 1);
        // Cropped to the blade with a margin of paper.
        if (c.scaled != ScaledView::Top) {
            EXPECT_EQ(top.topLeft(), QPoint(kPaperMargin, kPaperMargin));
        }
    }
}

// Spans up to 15 % apart are matched, either way round; more are refused, views untouched.
TEST(SpanMatching, RefusesSpansMoreThanFifteenPercentApart) {
    const struct {
        const char* name;
        int topSpan, sideSpan;
        bool refused;
    } cases[] = {{"side 15 % shorter", 1150, 1000, false},
                 {"top 15 % shorter", 1000, 1150, false},
                 {"side 15.1 % shorter", 1151, 1000, true},
                 {"top 15.1 % shorter", 1000, 1151, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage top = paintBand(1200, 20, 10, 10 + c.topSpan, 5, 15);
        const QImage side = paintBand(1200, 20, 10, 10 + c.sideSpan, 5, 12);
        const MatchedSpans m = matchSpans(top, side, 110);
        EXPECT_EQ(m.refused, c.refused);
        EXPECT_NEAR(m.difference(), c.refused ? 0.151 : 0.15, 1e-9);
        if (c.refused) {
            EXPECT_EQ(m.top, top);
            EXPECT_EQ(m.side, side);
        } else {
            EXPECT_TRUE(m.cropped);
        }
    }
}

// Either view: the scan, not the span check, then reports that there is no blade.
TEST(SpanMatching, AViewWithoutABladeHasNoSpanToDifferBy) {
    const QImage paper = paintBand(30, 20, 0, -1, 0, -1);
    const QImage blade = paintBand(30, 20, 5, 21, 5, 19);
    for (const bool topBlank : {false, true}) {
        SCOPED_TRACE(topBlank ? "no blade in the top view" : "no blade in the side view");
        const MatchedSpans m =
            topBlank ? matchSpans(paper, blade, 110) : matchSpans(blade, paper, 110);
        EXPECT_EQ(topBlank ? m.topSpan : m.sideSpan, 0);
        EXPECT_EQ(m.difference(), 0.0);
        EXPECT_FALSE(m.refused);
        EXPECT_FALSE(m.cropped);
    }
}

// Dust is paper in the crop, on its last row too (blade rows 5..14, the margin 3 below).
TEST(SpanMatching, DustIsPaperInTheCrop) {
    QImage dusty = paintBand(220, 30, 10, 209, 5, 14);
    dusty.setPixel(100, 14 + kPaperMargin, qRgb(0, 0, 0));
    const MatchedSpans m = matchSpans(dusty, dusty, 110);
    EXPECT_EQ(m.topSpan, 199);
    EXPECT_EQ(findDarkParts(m.top, 110).parts.size(), 1u);
}

} // namespace
} // namespace bladetrace
