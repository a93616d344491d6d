#include "scan/edge_search.h"
#include "scan/grey_value.h"
#include "scan/outline_scanner.h"
#include "scan/warning_capture.h"
#include "support/painted_blades.h"
#include "support/recording_host.h"

#include <QPainter>
#include <QRandomGenerator>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace bladetrace {
namespace {

using testing::paintBand;
using testing::RecordingHost;

struct Scan {
    ScanOutcome outcome;
    std::vector<float> xLE, xTE;
};

Scan scan(QImage& image, qint32 threshold, float diameter, RecordingHost& host) {
    Scan s;
    s.outcome = DoIt(image, s.xLE, s.xTE, threshold, diameter, host);
    return s;
}

Scan scan(QImage image, qint32 threshold = 110, float diameter = 1.0f) {
    RecordingHost host;
    return scan(image, threshold, diameter, host);
}

// The dark test itself is compared with greyOf in the edge search's randomised test.
TEST(GreyValue, RoundsTheChannelMeanToTheNearestInteger) {
    // (1, 1, 0): 2/3; (1, 0, 0): 1/3; the red marks; white, its fourth byte ignored.
    EXPECT_EQ(
        (QList<quint32>{greyOf(0x000101), greyOf(0x000001), greyOf(0x0000FF), greyOf(0xFFFFFFFF)}),
        (QList<quint32>{1, 0, 85, 255}));
}

// The loader's capture of decoder warnings: while the batch tool decodes on a thread of its
// own, the run's thread goes on and must keep its messages.
TEST(WarningCapture, TakesOnlyThisThreadsWarnings) {
    const WarningCapture capture;
    qWarning("taken");
    qInfo("passed on");
    std::thread([] { qWarning("passed on from another thread"); }).join();
    EXPECT_EQ(capture.warnings(), QStringList{"taken"});
}

// Other formats are converted on the way in; see the picture loader's cases.
TEST(OutlineScanner, CompactsAndScalesToTheDiameter) {
    // Blade in columns 10..410, rows 20..59: 401 elements, 0.0005 m per pixel.
    const Scan s = scan(paintBand(500, 80, 10, 410, 20, 59), 110, 0.2f);
    ASSERT_EQ(std::tuple(s.outcome, s.xLE.size(), s.xTE.size()),
              std::tuple(ScanOutcome::Scaled, 401u, 401u));
    EXPECT_FLOAT_EQ(s.xLE.front(), 0.2f / 400.0f * 20.0f);
    EXPECT_FLOAT_EQ(s.xTE.back(), 0.2f / 400.0f * 59.0f);
}

// A blade with every kind of column: touching the left border, its upper edge exactly at the
// threshold's grey under a row one level lighter, paper between the edges, a gap across the
// whole blade (column 17), and a last column with a single dark pixel in the top row.
TEST(OutlineScanner, EdgesAreTheOutermostDarkPixelsOfEachColumn) {
    QImage image(40, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < 27; ++x) {
        image.setPixel(x, 5, qRgb(111, 111, 111));
        image.setPixel(x, 10 + x % 3, qRgb(110, 110, 110));
        image.setPixel(x, 40 - x % 5, qRgb(0, 0, 0));
    }
    image.setPixel(27, 0, qRgb(0, 0, 0));
    for (int y = 0; y < 50; ++y)
        image.setPixel(17, y, qRgb(255, 255, 255));
    const Scan s = scan(image, 110, 27.0f); // one metre per column
    ASSERT_EQ(std::tuple(s.outcome, s.xLE.size()), std::tuple(ScanOutcome::Scaled, 28u));
    for (std::size_t x = 0; x < 27; ++x) {
        EXPECT_EQ(s.xLE[x], x == 17 ? 0.0f : float(10 + x % 3)) << x;
        EXPECT_EQ(s.xTE[x], x == 17 ? 0.0f : float(40 - x % 5)) << x;
    }
}

TEST(OutlineScanner, AtThreshold255EverythingIsBladeEvenOutside) {
    QImage image(30, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    const Scan s = scan(image, 255, 30.0f);
    // Columns 0..W, the one beyond the image included.
    ASSERT_EQ(std::tuple(s.outcome, s.xLE.size()), std::tuple(ScanOutcome::Scaled, 31u));
    for (std::size_t i = 0; i < s.xLE.size(); ++i) {
        EXPECT_EQ(s.xLE[i], 0.0f);
        EXPECT_FLOAT_EQ(s.xTE[i], 8.0f); // row H, outside
    }
}

// Counted on the way, from the edges the scan finds anyway.
TEST(OutlineScanner, CountsTheBladeColumnsThatReachTheTopOrBottomRow) {
    QImage mount = paintBand(60, 30, 10, 49, 5, 20);
    QPainter(&mount).fillRect(28, 20, 4, 10, Qt::black); // columns 28..31 down to row 29
    QImage gap = paintBand(60, 30, 10, 49, 0, 29);
    QPainter(&gap).fillRect(20, 0, 10, 30, Qt::white); // the hub light: columns 20..29 empty
    const struct {
        const char* name;
        QImage picture;
        qint32 threshold;
        EdgeContact expected;
    } rows[] = {
        {"paper above and below", paintBand(60, 30, 10, 49, 5, 20), 110, {40, 0, 0, 0}},
        {"cut by the top edge", paintBand(60, 30, 10, 49, 0, 20), 110, {40, 40, 0, 40}},
        {"a mount down to the bottom", mount, 110, {40, 0, 4, 4}},
        {"both edges, a light gap", gap, 110, {40, 30, 30, 30}},
        // Column W, beyond the picture, is blade too.
        {"threshold 255", paintBand(60, 30, 0, -1, 0, -1), 255, {61, 61, 61, 61}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScanHolder holder{QImage(row.picture)};
        std::vector<float> le, te;
        RecordingHost host;
        EdgeContact contact;
        contact.top = -1; // whatever it held before
        ASSERT_EQ(DoIt(holder, le, te, row.threshold, 1.0f, host, contact), ScanOutcome::Scaled);
        EXPECT_EQ(contact.columns, row.expected.columns);
        EXPECT_EQ(contact.top, row.expected.top);
        EXPECT_EQ(contact.bottom, row.expected.bottom);
        EXPECT_EQ(contact.either, row.expected.either);
    }
}

TEST(OutlineScanner, MarksScannedBladeColumnsRedAndNothingElse) {
    ScanHolder holder(paintBand(50, 20, 10, 30, 5, 9));
    const QImage& image = holder.image();
    RecordingHost host;
    host.onColumn = [&](int x) {
        // The column to scan next must still be untouched.
        if (x + 1 < 50) {
            EXPECT_NE(image.pixel(x + 1, 7), qRgb(255, 0, 0)) << x;
        }
    };
    std::vector<float> le, te;
    ASSERT_EQ(DoIt(holder, le, te, 110, 20.0f, host), ScanOutcome::Scaled);
    EXPECT_EQ(host.columnsScanned, 51);
    // The edges red, and the first and last blade column over the full height.
    QList<QRgb> marked;
    for (const QPoint p : {QPoint(20, 5), {20, 9}, {10, 0}, {30, 19}, {20, 4}, {9, 0}, {31, 19}})
        marked << image.pixel(p);
    const QRgb red = qRgb(255, 0, 0), white = qRgb(255, 255, 255);
    EXPECT_EQ(marked, (QList<QRgb>{red, red, red, red, white, white, white}));

    // Marks are clipped to the picture, never written into a row's padding or past it.
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

TEST(OutlineScanner, NothingToScaleIsReportedAndLeavesRawArrays) {
    for (const auto& [picture, why] :
         {std::pair{paintBand(40, 10, 0, -1, 0, -1), "no pixel is as dark"},
          {paintBand(40, 10, 0, 0, 2, 6), "a single pixel column (0)"}}) {
        QImage image = picture;
        RecordingHost host;
        const Scan s = scan(image, 110, 1.0f, host);
        EXPECT_EQ(s.outcome, ScanOutcome::Failed);
        ASSERT_EQ(s.xLE.size(), 41u); // indices 0..W, unscaled
        EXPECT_FLOAT_EQ(s.xTE[0], picture.pixel(0, 6) == qRgb(0, 0, 0) ? 6.0f : 0.0f);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_TRUE(host.messages[0].text.startsWith("Error11:\r\n\r\n"));
        EXPECT_TRUE(host.messages[0].text.contains(QLatin1String(why)));
        EXPECT_TRUE(host.messages[0].text.endsWith("Issued by DoIt() in Bladetrace."));
        EXPECT_EQ(host.statuses.back(), "Ready.");
    }
}

TEST(OutlineScanner, AbortStopsAtAColumnBoundary) {
    QImage image = paintBand(100, 20, 10, 90, 5, 15);
    RecordingHost host;
    host.onColumn = [&](int x) { host.abort = x == 49; };
    const Scan s = scan(image, 110, 1.0f, host);
    EXPECT_EQ(std::pair(s.outcome, host.columnsScanned), std::pair(ScanOutcome::Aborted, 50));
    ASSERT_EQ(s.xLE.size(), 101u); // raw rows, not compacted
    EXPECT_FLOAT_EQ(s.xLE[49], 5.0f);
    // Column 50 not marked, and no end marks.
    EXPECT_EQ(std::tuple(s.xLE[50], image.pixel(50, 10), image.pixel(10, 0)),
              std::tuple(0.0f, qRgb(0, 0, 0), qRgb(255, 255, 255)));
}

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
