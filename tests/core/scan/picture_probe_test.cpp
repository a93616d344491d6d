#include "scan/picture_probe.h"
#include "support/failure_of.h"
#include "support/painted_blades.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// What a picture is, read from its header alone, once; a format the program does not read is
// refused before decoding, whatever the toolkit could make of it.
TEST(PictureProbe, TellsFormatAndSizeBeforeDecoding) {
    const QImage band = testing::paintBand(61, 20, 5, 50, 4, 12);
    const struct {
        const char* name;
        const char* written; // by Qt
        const char* format;  // as the probe names it; empty when refused
    } cases[] = {{"a bitmap", "BMP", "bmp"}, {"a PNG", "PNG", "png"}, {"a JPEG", "JPG", "jpeg"},
                 {"a TIFF", "TIF", "tiff"},  {"an icon", "ICO", ""},  {"a pixmap", "XPM", ""}};
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(band.save(path, c.written));
        if (!*c.format) {
            const AppError error = testing::failureOf([&] { probePicture(path, {}); });
            EXPECT_EQ(error.number, errc::kInvalidPicture);
            EXPECT_TRUE(error.description.endsWith("format, which is not read)"))
                << error.description;
            continue;
        }
        const PictureProbe probe = probePicture(path, {});
        EXPECT_EQ(probe.format, c.format);
        EXPECT_EQ(probe.size, band.size());
        EXPECT_EQ(probe.bitmap.has_value(), probe.format == "bmp");
    }
}

} // namespace
} // namespace bladetrace
