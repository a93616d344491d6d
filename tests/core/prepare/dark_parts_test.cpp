#include "prepare/dark_parts.h"

#include <QPainter>
#include <gtest/gtest.h>

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
    image.setPixel(3, 1, qRgb(110, 110, 110)); // at the threshold: dark
    const DarkParts joined = findDarkParts(image, 110);
    ASSERT_EQ(joined.parts.size(), 1u);
    EXPECT_EQ(joined.largest, 7);
    EXPECT_EQ(bladeBox(joined), QRect(0, 0, 7, 2));
}

// A blade whose hub is lighter than the threshold lies in two parts, of any two sizes: both
// are the blade. Only a part smaller than a thousandth of the largest is a speck.
TEST(DarkParts, ABladeInTwoPartsIsTheBladeSpecksAreNot) {
    QImage image(200, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(10, 10, 50, 20, Qt::black);  // 1000 pixels
    painter.fillRect(100, 20, 40, 20, Qt::black); // 800 pixels, beyond the light hub
    painter.end();
    image.setPixel(180, 50, qRgb(0, 0, 0)); // a thousandth of the larger half: still blade
    const DarkParts halves = findDarkParts(image, 110);
    ASSERT_EQ(halves.parts.size(), 3u);
    EXPECT_EQ(halves.largest, 1000);
    for (const DarkPart& part : halves.parts)
        EXPECT_FALSE(isSpeck(part, halves)) << part.pixels << " pixels";
    EXPECT_EQ(bladeBox(halves), QRect(QPoint(10, 10), QPoint(180, 50)));

    image.setPixel(10, 9, qRgb(0, 0, 0)); // the larger half grows past a thousand times it
    const DarkParts specked = findDarkParts(image, 110);
    ASSERT_EQ(specked.parts.size(), 3u);
    EXPECT_EQ(specked.largest, 1001);
    EXPECT_EQ(bladeBox(specked), QRect(QPoint(10, 9), QPoint(139, 39)));
}

} // namespace
} // namespace bladetrace
