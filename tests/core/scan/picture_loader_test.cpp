#include "scan/outline_scanner.h"
#include "scan/picture_loader.h"
#include "support/painted_blades.h"
#include "support/recording_host.h"
#include "text/app_error.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

TEST(PictureLoader, ReadsTheCommonScannerFormatsAs32BitRgb) {
    QTemporaryDir dir;
    const QImage band = testing::paintBand(60, 20, 5, 50, 4, 12);
    for (const char* format : {"BMP", "PNG", "TIFF", "JPEG"}) {
        const QString path =
            dir.filePath(QStringLiteral("blade.") + QString::fromLatin1(format).toLower());
        ASSERT_TRUE(band.save(path, format)) << format;
        const QImage loaded = loadPicture(path);
        EXPECT_EQ(loaded.format(), QImage::Format_RGB32) << format;
        EXPECT_EQ(loaded.size(), band.size()) << format;
        EXPECT_LT(qGray(loaded.pixel(20, 8)), 60) << format;
        EXPECT_GT(qGray(loaded.pixel(20, 2)), 200) << format;
    }
}

TEST(PictureLoader, TransparentBackgroundIsWhitePaper) {
    QTemporaryDir dir;
    QImage image(30, 10, QImage::Format_ARGB32);
    image.fill(qRgba(0, 0, 0, 0)); // transparent black
    image.setPixel(10, 5, qRgba(0, 0, 0, 255));
    const QString path = dir.filePath("cut-out.png");
    ASSERT_TRUE(image.save(path));
    const QImage loaded = loadPicture(path);
    EXPECT_EQ(loaded.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(loaded.pixel(10, 5), qRgb(0, 0, 0));
}

TEST(PictureLoader, ImagesWiderThan16BitCountersAreScanned) {
    QImage image = testing::paintBand(40000, 30, 100, 39099, 5, 20);
    testing::RecordingHost host;
    std::vector<float> le, te;
    ASSERT_EQ(DoIt(image, le, te, 110, 1.0f, host), ScanOutcome::Scaled);
    EXPECT_EQ(le.size(), 39000u);
    EXPECT_FLOAT_EQ(te.back(), 20.0f / 38999.0f);
}

} // namespace
} // namespace bladetrace
