#include "prepare/threshold_suggestion.h"

#include <gtest/gtest.h>

namespace bladetrace {
namespace {

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

// The histogram sees a pixel as the scanner does: (111, 111, 110) is 111, (111, 110, 110) 110.
TEST(ThresholdSuggestion, HistogramCountsTheScannersGrey) {
    QImage colour(2, 1, QImage::Format_RGB32);
    colour.setPixel(0, 0, qRgb(111, 111, 110));
    colour.setPixel(1, 0, qRgb(111, 110, 110));
    GreyHistogram histogram{};
    addToHistogram(histogram, colour);
    addToHistogram(histogram, colour.convertToFormat(QImage::Format_RGB888)); // any format
    EXPECT_EQ(histogram[111], 2);
    EXPECT_EQ(histogram[110], 2);
}

// Both views count: ink 0 and paper 200 in the top view split anywhere between them (the
// middle, 99); the side view's grey 100 makes the split below it best (the first of two alike).
TEST(ThresholdSuggestion, TakesBothViews) {
    QImage top(20, 1, QImage::Format_RGB32), side(20, 1, QImage::Format_RGB32);
    top.fill(qRgb(200, 200, 200));
    side.fill(qRgb(100, 100, 100));
    for (int x = 0; x < 10; ++x)
        top.setPixel(x, 0, qRgb(0, 0, 0));
    EXPECT_EQ(suggestThreshold(top, top), 99);
    EXPECT_EQ(suggestThreshold(top, side), 49);
}

} // namespace
} // namespace bladetrace
