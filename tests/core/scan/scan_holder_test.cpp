#include "scan/scan_holder.h"

#include <QPainter>
#include <QSemaphore>
#include <QThreadPool>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace bladetrace {
namespace {

// Marks are clipped to the picture, never written into a row's padding or past it.
TEST(ScanHolder, MarksAreClippedToThePicture) {
    std::vector<quint32> pixels(5 * 3, 0xFFFFFFFFu); // 4 columns, rows 5 apart
    ScanHolder small(
        QImage(reinterpret_cast<uchar*>(pixels.data()), 4, 3, 5 * 4, QImage::Format_RGB32));
    for (const auto& [x, top, bottom] : {std::tuple{-1, 0, 2}, {4, 0, 2}, {0, -1, 1}, {3, 2, 3}})
        small.markColumn(x, top, bottom);
    std::vector<quint32> expected(pixels.size(), 0xFFFFFFFFu);
    for (const int at : {0, 5, 13}) // rows 0 and 1 of column 0, row 2 of column 3
        expected[std::size_t(at)] = ScanHolder::kMarkRed;
    EXPECT_EQ(pixels, expected);
}

// Every grey and alpha across the picture, in `format`.
QImage gradient(QImage::Format format) {
    QImage image(700, 400, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x % 256, (x + y) % 256, y % 256, (x * 7 + y) % 256));
    return image.convertToFormat(format);
}

// What the scan's image held before: Qt's conversion, or the picture painted on white.
QImage onWhitePaper(const QImage& image) {
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage paper(image.size(), QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter(&paper).drawImage(0, 0, image);
    return paper;
}

// Qt converts large images on its thread pool and waits for it; where no pool thread can
// start, it waits for ever. The scan's conversion runs whole while the pool runs nothing,
// and gives the pixels Qt gives.
TEST(ScanImage, ConvertsOnItsOwnThreadAsQtDoes) {
    const struct {
        const char* name;
        QImage::Format format;
    } cases[] = {
        {"grey", QImage::Format_Grayscale8},
        {"black and white", QImage::Format_Mono},
        {"16-bit channels", QImage::Format_RGBX64},
        {"transparent, premultiplied", QImage::Format_ARGB32_Premultiplied},
    };
    std::vector<QImage> images, expected;
    for (const auto& c : cases) {
        images.push_back(gradient(c.format));
        expected.push_back(onWhitePaper(images.back()));
    }
    QThreadPool& pool = *QThreadPool::globalInstance();
    const int threads = pool.maxThreadCount();
    pool.setMaxThreadCount(1);
    QSemaphore held;
    pool.start([&held] { held.acquire(); }); // the pool's one thread, busy until released
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        const QImage& image = images[i];
        std::future<QImage> converted =
            std::async(std::launch::async, [&image] { return toScanImage(image); });
        const bool whole =
            converted.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
        EXPECT_TRUE(whole) << "still converting after 10 s";
        if (!whole) {
            held.release(); // let Qt's pool finish what it queued, then hold it again
            pool.start([&held] { held.acquire(); });
        }
        EXPECT_EQ(converted.get(), expected[i]);
    }
    held.release();
    pool.waitForDone();
    pool.setMaxThreadCount(threads);
}

} // namespace
} // namespace bladetrace
