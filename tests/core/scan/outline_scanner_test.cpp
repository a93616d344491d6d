#include "scan/outline_scanner.h"
#include "support/painted_blades.h"
#include "support/recording_host.h"

#include <QPainter>
#include <gtest/gtest.h>

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

// Other formats are converted on the way in; see the picture loader's cases.
TEST(OutlineScanner, CompactsAndScalesToTheDiameter) {
    // Blade in columns 10..410, rows 20..59: 401 elements, 0.0005 m per pixel.
    const Scan s = scan(paintBand(500, 80, 10, 410, 20, 59), 110, 0.2f);
    ASSERT_EQ(s.outcome, ScanOutcome::Scaled);
    ASSERT_EQ(s.xLE.size(), 401u);
    ASSERT_EQ(s.xTE.size(), 401u);
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
    ASSERT_EQ(s.outcome, ScanOutcome::Scaled);
    ASSERT_EQ(s.xLE.size(), 28u);
    ASSERT_EQ(s.xTE.size(), 28u);
    for (std::size_t x = 0; x < 27; ++x) {
        EXPECT_EQ(s.xLE[x], x == 17 ? 0.0f : float(10 + x % 3)) << x;
        EXPECT_EQ(s.xTE[x], x == 17 ? 0.0f : float(40 - x % 5)) << x;
    }
}

// Counted on the way, from the edges the scan finds anyway.
TEST(OutlineScanner, CountsTheBladeColumnsThatReachTheTopOrBottomRow) {
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
            EXPECT_NE(QColor(image.pixel(x + 1, 7)), QColor(Qt::red)) << x;
        }
    };
    std::vector<float> le, te;
    ASSERT_EQ(DoIt(holder, le, te, 110, 20.0f, host), ScanOutcome::Scaled);
    EXPECT_EQ(host.columnsScanned, 51);
    // The edges red, and the first and last blade column over the full height.
    const struct {
        const char* name;
        QPoint at;
        QColor colour;
    } pixels[] = {
        {"upper edge", {20, 5}, Qt::red},         {"lower edge", {20, 9}, Qt::red},
        {"first column's top", {10, 0}, Qt::red}, {"last column's foot", {30, 19}, Qt::red},
        {"above the edge", {20, 4}, Qt::white},   {"before the blade", {9, 0}, Qt::white},
        {"after the blade", {31, 19}, Qt::white}};
    for (const auto& p : pixels)
        EXPECT_EQ(QColor(image.pixel(p.at)), p.colour) << p.name;
}

TEST(OutlineScanner, NothingToScaleIsReportedAndLeavesRawArrays) {
    for (const auto& [picture, why] :
         {std::pair{paintBand(40, 10, 0, -1, 0, -1), "no pixel is as dark"},
          {paintBand(40, 10, 0, 0, 2, 6), "a single pixel column (0)"}}) {
        QImage image = picture;
        RecordingHost host;
        const Scan s = scan(image, 110, 1.0f, host);
        SCOPED_TRACE(why);
        EXPECT_EQ(s.outcome, ScanOutcome::Failed);
        ASSERT_EQ(s.xLE.size(), 41u); // indices 0..W, unscaled
        ASSERT_EQ(s.xTE.size(), 41u);
        EXPECT_FLOAT_EQ(s.xTE[0], picture.pixel(0, 6) == qRgb(0, 0, 0) ? 6.0f : 0.0f);
        ASSERT_EQ(host.messages.size(), 1u);
        const QString& text = host.messages[0].text;
        EXPECT_TRUE(text.startsWith("Error11:\r\n\r\n")) << text;
        EXPECT_TRUE(text.contains(QLatin1String(why))) << text;
        EXPECT_TRUE(text.endsWith("Issued by DoIt() in Bladetrace.")) << text;
        EXPECT_EQ(host.statuses.back(), "Ready.");
    }
}

TEST(OutlineScanner, AbortStopsAtAColumnBoundary) {
    QImage image = paintBand(100, 20, 10, 90, 5, 15);
    RecordingHost host;
    host.onColumn = [&](int x) { host.abort = x == 49; };
    const Scan s = scan(image, 110, 1.0f, host);
    EXPECT_EQ(s.outcome, ScanOutcome::Aborted);
    EXPECT_EQ(host.columnsScanned, 50);
    ASSERT_EQ(s.xLE.size(), 101u); // raw rows, not compacted
    ASSERT_EQ(s.xTE.size(), 101u);
    EXPECT_FLOAT_EQ(s.xLE[49], 5.0f);
    EXPECT_FLOAT_EQ(s.xTE[49], 15.0f);
    // Column 50 not scanned, nor marked, and no end marks.
    EXPECT_EQ(s.xLE[50], 0.0f);
    EXPECT_EQ(QColor(image.pixel(50, 10)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(10, 0)), QColor(Qt::white));
}

} // namespace
} // namespace bladetrace
