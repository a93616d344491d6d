#include "export/report_picture.h"
#include "scan/pixel_rows.h"
#include "support/painted_blades.h"

#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// A view wider than the pictures' box (900 x 450) is shrunk to it, however low it is, each
// half keeping its shade; every pixel of the copy averages the pixels it covers.
TEST(ReportPicture, AWideViewIsShrunkToTheBoxKeepingItsShades) {
    QImage wide = testing::paintBand(1800, 100, 900, 1799, 0, 99);
    wide.setPixel(1, 1, qRgb(254, 254, 254)); // four pixels' mean 254.75, shown 254
    const QImage shrunk = reportPicture(PixelRows::of(wide));
    EXPECT_EQ(shrunk.size(), QSize(900, 50));
    EXPECT_EQ(QColor(shrunk.pixel(0, 0)), QColor(254, 254, 254));
    EXPECT_EQ(QColor(shrunk.pixel(449, 25)), QColor(Qt::white));
    EXPECT_EQ(QColor(shrunk.pixel(450, 49)), QColor(Qt::black));
    // A tall one to the box's height, each half of it keeping its shade too.
    const QImage tall = testing::paintBand(300, 900, 0, 299, 450, 899);
    const QImage narrowed = reportPicture(PixelRows::of(tall));
    EXPECT_EQ(narrowed.size(), QSize(150, 450));
    EXPECT_EQ(QColor(narrowed.pixel(75, 224)), QColor(Qt::white));
    EXPECT_EQ(QColor(narrowed.pixel(75, 225)), QColor(Qt::black));
}

TEST(ReportPicture, AViewThatFitsIsCopiedAsItIs) {
    const QImage fits = testing::paintBand(100, 450, 50, 99, 0, 99);
    EXPECT_EQ(reportPicture(PixelRows::of(fits)), fits);
}

// Views too large for the report are shrunk by one factor, the one that makes the larger fit.
TEST(ReportPicture, TwoViewsAreShrunkByOneFactor) {
    const QImage top = testing::paintBand(3000, 300, 10, 2989, 100, 200);
    const QImage side = testing::paintBand(3000, 200, 10, 2989, 80, 120);
    const auto [topCopy, sideCopy] = reportPictures(PixelRows::of(top), PixelRows::of(side));
    EXPECT_EQ(topCopy.size(), QSize(900, 90));
    EXPECT_EQ(sideCopy.size(), QSize(900, 60));
}

} // namespace
} // namespace bladetrace
