#include "prepare/grey_scaling.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

QImage greys(int width, int height, const std::vector<int>& values) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int g = values[std::size_t(y * width + x)];
            image.setPixel(x, y, qRgb(g, g, g));
        }
    return image;
}

std::vector<int> greysOf(const QImage& image) {
    std::vector<int> values;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            values.push_back(qRed(image.pixel(x, y)));
    return values;
}

// Scaled views see a pixel as the scanner does: (111, 111, 110) is 111, (111, 110, 110) 110.
TEST(GreyScaling, RoundsTheGreyAsTheScannerDoes) {
    QImage colour(2, 1, QImage::Format_RGB32);
    colour.setPixel(0, 0, qRgb(111, 111, 110));
    colour.setPixel(1, 0, qRgb(111, 110, 110));
    const GreyScaling same(colour, 1.0);
    const QImage grey = same.scaled();
    EXPECT_EQ(QColor(grey.pixel(0, 0)), QColor(111, 111, 111));
    EXPECT_EQ(QColor(grey.pixel(1, 0)), QColor(110, 110, 110));
    EXPECT_FALSE(same.darkColumn(0, 110));
    EXPECT_TRUE(same.darkColumn(1, 110));
    EXPECT_EQ(same.darkColumns(0, 1, 109), std::pair(-1, -1));
}

// Doubled, pixel centres map onto pixel centres: an output pixel lies a quarter or three
// quarters of the way between two source pixels, and the border pixels repeat.
TEST(GreyScaling, DoublingBlendsAQuarterAndThreeQuartersOfTheNeighbours) {
    const GreyScaling doubled(greys(2, 2, {0, 160, 80, 240}), 2.0);
    ASSERT_EQ(doubled.width(), 4);
    ASSERT_EQ(doubled.height(), 4);
    EXPECT_EQ(greysOf(doubled.scaled()), (std::vector<int>{0, 40, 120, 160,   //
                                                           20, 60, 140, 180,  //
                                                           60, 100, 180, 220, //
                                                           80, 120, 200, 240}));
}

// By 1.5: output x reads the source at (x + 0.5) / 1.5 - 0.5, i.e. 0, 0.5, 1.17, 1.83.
TEST(GreyScaling, AnyFactorReadsThePixelCentresBetween) {
    const GreyScaling scaled(greys(4, 1, {0, 120, 240, 240}), 1.5);
    ASSERT_EQ(scaled.width(), 6);
    ASSERT_EQ(scaled.height(), 2);
    // 0; 60; 120 + 43/256 of 120 = 140; 120 + 213/256 of 120 = 220; 240; 240
    EXPECT_EQ(greysOf(scaled.scaled()),
              (std::vector<int>{0, 60, 140, 220, 240, 240, 0, 60, 140, 220, 240, 240}));
}

// Where an output pixel's centre falls on a source pixel's centre it takes that pixel's grey:
// by 9/7, output 4 (centre 4.5) reads source 3.5, the centre of pixel 3. Halved, each output
// pixel is the mean of two.
TEST(GreyScaling, ACentreOnACentreTakesThatPixelHalvingTakesMeans) {
    const GreyScaling byNineSevenths(greys(5, 1, {0, 0, 0, 255, 0}), 9.0 / 7.0);
    // 2/9 of 255 is 56.7.
    EXPECT_EQ(greysOf(byNineSevenths.scaled()), (std::vector<int>{0, 0, 0, 57, 255, 57}));
    const GreyScaling halved(greys(4, 2, {0, 100, 200, 240, 40, 60, 0, 0}), 0.5);
    EXPECT_EQ(greysOf(halved.scaled()), (std::vector<int>{50, 110}));
}

// The column tests that search the factor say what the whole scaled picture shows.
TEST(GreyScaling, DarkColumnsAreTheColumnsOfTheScaledPictureThatHoldBlade) {
    QRandomGenerator random(20260417);
    for (int round = 0; round < 200; ++round) {
        const int width = random.bounded(1, 12), height = random.bounded(1, 6);
        std::vector<int> values;
        int first = -1, last = -1;
        const qint32 threshold = random.bounded(40, 200);
        for (int i = 0; i < width * height; ++i) {
            values.push_back(random.bounded(3) == 0 ? random.bounded(256) : 255);
            if (values.back() <= threshold) {
                first = first < 0 ? i % width : std::min(first, i % width);
                last = std::max(last, i % width);
            }
        }
        const double factor = 0.5 + random.generateDouble() * 3;
        SCOPED_TRACE(::testing::Message() << "round " << round << ": " << width << " x " << height
                                          << " by " << factor << " at " << threshold);
        const GreyScaling scaling(greys(width, height, values), factor);
        const QImage scaled = scaling.scaled();
        int firstDark = -1, lastDark = -1;
        for (int x = 0; x < scaled.width(); ++x) {
            bool dark = false;
            for (int y = 0; y < scaled.height(); ++y)
                dark = dark || qRed(scaled.pixel(x, y)) <= threshold;
            ASSERT_EQ(scaling.darkColumn(x, threshold), dark) << "column " << x;
            if (dark) {
                firstDark = firstDark < 0 ? x : firstDark;
                lastDark = x;
            }
        }
        if (first >= 0) {
            EXPECT_EQ(scaling.darkColumns(first, last, threshold), std::pair(firstDark, lastDark));
        }
    }
}

} // namespace
} // namespace bladetrace
