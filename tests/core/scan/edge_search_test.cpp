#include "scan/edge_search.h"
#include "scan/grey_value.h"

#include <QImage>
#include <QRandomGenerator>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

namespace bladetrace {
namespace {

// The search as it reads in words: per column, top down to the first dark pixel, then
// bottom up to the first dark pixel at or below it; rows H and -1 and columns beyond the
// image are white.
ColumnEdges reference(const QImage& image, qint32 threshold, int x) {
    const auto dark = [&](int px, int y) {
        const bool inside = px < image.width() && y >= 0 && y < image.height();
        const QRgb c = inside ? image.pixel(px, y) : 0xFFFFFFFFu;
        return qint64(greyOf(c)) <= threshold;
    };
    ColumnEdges e{-1, -1}; // none found
    for (int y = 0; y <= image.height(); ++y) {
        if (dark(x, y)) {
            e.upper = y;
            break;
        }
    }
    for (int y = image.height(); y >= e.upper; --y) {
        if (dark(x, y)) {
            e.lower = y;
            break;
        }
    }
    return e;
}

// Speckled pictures: blobs, lone dark pixels, empty and full columns, colours of every grey
// around the threshold, and widths that are no multiple of four.
QImage speckled(QRandomGenerator& random, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int spots = random.bounded(1, width * height / 6 + 2);
    for (int i = 0; i < spots; ++i)
        image.setPixel(random.bounded(width), random.bounded(height),
                       qRgb(random.bounded(256), random.bounded(256), random.bounded(256)));
    for (int x = 0; x < width; ++x) {
        if (random.bounded(7) == 0) // a column with a single dark pixel somewhere
            image.setPixel(x, random.bounded(height), qRgb(0, 0, 0));
    }
    return image;
}

TEST(EdgeSearch, FindsWhatAColumnByColumnSearchFinds) {
    QRandomGenerator random(20261206);
    for (int round = 0; round < 300; ++round) {
        const int width = random.bounded(1, 40);
        const int height = random.bounded(1, 30);
        // Every other picture in 24-bit rows, as bitmaps are read in place.
        const QImage image =
            round % 2 ? speckled(random, width, height)
                      : speckled(random, width, height).convertToFormat(QImage::Format_RGB888);
        const qint32 threshold = round % 10 == 0 ? 255 : random.bounded(-1, 256);
        const PixelRows rows = {image.constBits(), image.bytesPerLine(), width, height,
                                image.depth() / 8};
        const DarkTest test(threshold);
        EdgeSearch search(rows, test);
        // Blocks as the scanner asks for them, the column beyond the image included.
        const int start = random.bounded(0, width + 1);
        search.search(start, std::min(EdgeSearch::kBlockColumns, width + 1 - start));
        for (int x = start; x <= width; ++x) {
            const ColumnEdges expected = reference(image, threshold, x);
            ASSERT_EQ(search[x].upper, expected.upper) << "round " << round << " column " << x;
            ASSERT_EQ(search[x].lower, expected.lower) << "round " << round << " column " << x;
        }
    }
}

// A bitmap read in place ends where its mapping may end: nothing after its last pixel is read.
TEST(EdgeSearch, ReadsNoByteBeyondTheLast24BitPixel) {
    const long page = sysconf(_SC_PAGESIZE);
    auto* memory = static_cast<uchar*>(
        mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_EQ(mprotect(memory + page, page, PROT_NONE), 0);
    uchar* rows = memory + page - 24; // two rows of four black pixels, then the guard page
    std::memset(rows, 0, 24);
    const PixelRows pixels = {rows, 12, 4, 2, 3};
    const DarkTest test(110);
    EdgeSearch search(pixels, test);
    search.search(0, 4);
    EXPECT_EQ(search[3].lower, 1);
    munmap(memory, 2 * page);
}

} // namespace
} // namespace bladetrace
