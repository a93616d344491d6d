#include "base/app_error.h"
#include "scan/outline_scanner.h"
#include "scan/picture_loader.h"
#include "support/failure_of.h"
#include "support/painted_blades.h"
#include "support/recording_host.h"
#include "support/test_files.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bladetrace {
namespace {

QByteArray encoded(const QImage& image, const char* format, int quality = -1, int compression = -1,
                   bool progressive = false) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setCompression(compression);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

QByteArray bitmapFile(qint32 w, qint32 h, int bits, int header, const QByteArray& pixels,
                      bool alpha);

// A bitmap as other writers make them: 24 or 32 bits a pixel, an info (40) or V5 (124)
// header, the rows bottom-up or top-down, and in V5 an alpha mask with every alpha `alpha`.
// 8 bits: run-length coded, one pixel a run or every other row as it is, ending after `rleRows`
// rows (the lower half); negative: after the end-of-row mark of the last. Each row ends with
// a run of `padRun` black pixels.
QByteArray bitmap(const QImage& image, int bits, int header, bool topDown = false, int alpha = -1,
                  int rleRows = 0, char padRun = 0) {
    const int w = image.width(), h = image.height();
    QByteArray pixels;
    for (int i = 0; i < h; ++i) {
        const int y = topDown ? i : h - 1 - i;
        const bool asItIs = bits == 8 && i % 2 == 1;
        if (asItIs)
            pixels.append('\0').append(char(w));
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            const char run[2] = {1, char(qGray(c) < 128 ? 0 : 1)};
            const char pixel[4] = {char(qBlue(c)), char(qGreen(c)), char(qRed(c)), char(alpha)};
            pixels.append(asItIs      ? run + 1
                          : bits == 8 ? run
                                      : pixel,
                          asItIs      ? 1
                          : bits == 8 ? 2
                                      : bits / 8);
        }
        if (asItIs && w % 2 == 1)
            pixels.append('\0'); // to a 16-bit boundary
        if (padRun)
            pixels.append(padRun).append('\0');
        const bool last = i + 1 == (rleRows ? std::abs(rleRows) : h / 2);
        if (bits == 8 && last && rleRows < 0)
            pixels.append("\0\0", 2);
        pixels.append(bits == 8 ? QByteArray(last ? "\0\1" : "\0\0", 2)
                                : QByteArray(-(w * bits / 8) & 3, '\0'));
        if (bits == 8 && last)
            break;
    }
    return bitmapFile(w, topDown ? -h : h, bits, header, pixels, alpha >= 0);
}

// A bitmap's headers for `pixels`: 8 bits are run-length coded, in black and white.
QByteArray bitmapFile(qint32 w, qint32 h, int bits, int header, const QByteArray& pixels,
                      bool alpha) {
    QByteArray file(14 + header + (bits == 8 ? 8 : 0), '\0');
    const auto put = [&](int at, quint32 v) { qToLittleEndian<quint32>(v, file.data() + at); };
    file[0] = 'B', file[1] = 'M';
    put(2, quint32(file.size() + pixels.size())), put(10, quint32(file.size()));
    if (header == 12) { // the old core header: 16-bit sizes, nothing more
        put(14, 12), put(18, quint32(w) | quint32(h) << 16), put(22, 1u | quint32(bits) << 16);
        return file + pixels;
    }
    put(14, quint32(header)), put(18, quint32(w)), put(22, quint32(h));
    put(26, 1u | quint32(bits) << 16), put(34, quint32(pixels.size()));
    put(30, bits == 8 ? 1 : header >= 108 ? 3 : 0); // run-length, bit fields or plain
    if (bits == 8)
        put(46, 2), put(58, 0xFFFFFF); // colours: black, white
    if (header >= 108)
        put(54, 0xFF0000), put(58, 0xFF00), put(62, 0xFF), put(66, alpha ? 0xFF000000 : 0);
    return file + pixels;
}

// A run-length bitmap of w x h black pixels, each row in runs of 255.
QByteArray blackRunLength(int w, int h) {
    QByteArray row;
    for (int x = 0; x < w; x += 255)
        row.append(char(qMin(255, w - x))).append('\0');
    QByteArray pixels = row.append("\0\0", 2).repeated(h);
    pixels[pixels.size() - 1] = 1; // the last row's end is the picture's
    return bitmapFile(w, h, 8, 40, pixels, false);
}

// A GIF as plain as they come: two colours, one extension block, every pixel its own code,
// the code table cleared before it grows past three bits.
QByteArray gif(const QImage& image) {
    QByteArray g("GIF89a");
    const auto put16 = [&](int v) { g.append(char(v & 0xFF)).append(char(v >> 8)); };
    put16(image.width()), put16(image.height()), g.append("\x80\0\0\0\0\0\xFF\xFF\xFF", 9);
    g.append("\x21\xF9\4\0\0\0\0\0", 8); // a graphic control extension
    g.append(','), put16(0), put16(0), put16(image.width()), put16(image.height());
    g.append("\0\2", 2);
    QByteArray codes;
    quint32 bits = 0;
    int count = 0, n = 0;
    const auto code = [&](int c) {
        bits |= quint32(c) << count;
        for (count += 3; count >= 8; count -= 8, bits >>= 8)
            codes.append(char(bits & 0xFF));
    };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x, ++n) {
            if (n % 2 == 0)
                code(4); // clear
            code(qGray(image.pixel(x, y)) < 128 ? 0 : 1);
        }
    code(5), codes.append(char(bits)); // end of information
    for (int i = 0; i < codes.size(); i += 255)
        g.append(char(codes.mid(i, 255).size())).append(codes.mid(i, 255));
    return g.append("\0;", 2);
}

// A JPEG of `image` as a camera stores it, turned a quarter to the left, with the EXIF
// orientation 6 that tells a reader to turn it a quarter to the right.
QByteArray turnedJpeg(const QImage& image) {
    const QByteArray jpeg = encoded(image.transformed(QTransform().rotate(-90)), "JPEG", 100);
    QByteArray tiff("II*\0\x08\0\0\0", 8); // little-endian, the first directory at byte 8
    tiff.append("\x01\0", 2);              // one entry:
    tiff.append("\x12\x01\x03\0\x01\0\0\0\x06\0\0\0", 12); // orientation, a short, 6
    tiff.append(4, '\0');                                  // no further directory
    const QByteArray exif = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(exif.size()) + 2;
    return jpeg.left(2) + QByteArray("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF) +
           exif + jpeg.mid(2);
}

// A PNG with a text chunk after its header that declares `length` bytes and holds 4000.
QByteArray pngWithText(const QImage& image, quint32 length) {
    QByteArray chunk(4, '\0');
    qToBigEndian<quint32>(length, chunk.data());
    chunk.append("tEXtComment").append(4000 - 7 + 4, 'x'); // and a check sum of no matter
    return encoded(image, "PNG").insert(33, chunk);        // after signature and header
}

QByteArray flipped(QByteArray bytes, std::initializer_list<qsizetype> at) {
    for (const qsizetype i : at)
        bytes[i] = char(bytes[i] ^ 0x55);
    return bytes;
}

// File descriptor 2, where the C library's stream and the image libraries print, goes to a
// file while this lives.
struct StandardError {
    QTemporaryFile file;
    int saved = ::dup(2);
    StandardError() { file.open(), ::dup2(int(file.handle()), 2); }
    ~StandardError() { ::dup2(saved, 2), ::close(saved); }
    QString text() {
        ::dup2(saved, 2);
        file.seek(0);
        return QString::fromLocal8Bit(file.readAll());
    }
};

QByteArray cut(const QByteArray& bytes, double part) {
    return bytes.left(int(double(bytes.size()) * part));
}

struct PictureCase {
    const char* name;
    std::function<QByteArray(const QImage& band)> bytes; // null: a pipe
    qint32 error = 0;                                    // 0: loads, and scans as the painted band
    const char* words = "";                              // in the error's description
    LoadLimits limits = {};
};

TEST(PictureLoader, LoadsWholePicturesAndRefusesDamagedOrHostileFiles) {
    const QImage band = testing::paintBand(61, 20, 5, 50, 4, 12);
    QImage cutOut(band.size(), QImage::Format_ARGB32);
    cutOut.fill(Qt::transparent);
    QPainter(&cutOut).fillRect(5, 4, 46, 9, Qt::black);
    const char* damaged = "is damaged or incomplete";
    const PictureCase cases[] = {
        {"PNG", [](const QImage& b) { return encoded(b, "PNG"); }},
        {"TIFF", [](const QImage& b) { return encoded(b, "TIFF"); }},
        {"JPEG", [](const QImage& b) { return encoded(b, "JPEG", 100); }},
        {"JPEG stored turned, upright by its EXIF tag",
         [](const QImage& b) { return turnedJpeg(b); }},
        {"GIF", [](const QImage& b) { return gif(b); }},
        {"transparent paper", [&](const QImage&) { return encoded(cutOut, "PNG"); }},
        {"24-bit bitmap", [](const QImage& b) { return encoded(b, "BMP"); }},
        {"top-down bitmap", [](const QImage& b) { return bitmap(b, 24, 40, true); }},
        {"32-bit bitmap", [](const QImage& b) { return bitmap(b, 32, 40); }},
        {"32-bit V5 bitmap", [](const QImage& b) { return bitmap(b, 32, 124); }},
        {"core-header bitmap, decoded", [](const QImage& b) { return bitmap(b, 24, 12); }},
        {"core header alone", [](const QImage& b) { return bitmap(b, 24, 12).left(26); }, 481,
         "the file ends after 26 of the 3706 bytes"}, // 20 rows of 184 after them
        {"32-bit, no alpha", [](const QImage& b) { return bitmap(b, 32, 124, false, 0); }},
        {"8-bit bitmap, decoded",
         [](const QImage& b) {
             return encoded(b.convertToFormat(QImage::Format_Indexed8), "BMP");
         }},
        {"half a 1-bit bitmap",
         [](const QImage& b) {
             return cut(encoded(b.convertToFormat(QImage::Format_Mono), "BMP"), 0.7);
         },
         481, damaged},
        {"pixels past the end",
         [](const QImage& b) {
             QByteArray bytes = encoded(b, "BMP");
             qToLittleEndian<quint32>(0x8000036, bytes.data() + 10);
             return bytes;
         },
         481, damaged},
        {"run-length, its end mark ending the last row",
         [](const QImage& b) { return bitmap(b, 8, 40, false, -1, b.height()); }},
        {"no rows",
         [](const QImage& b) {
             QByteArray bytes = bitmap(b, 24, 40);
             qToLittleEndian<quint32>(0, bytes.data() + 22);
             return bytes;
         },
         481, damaged},
        {"half run-length", [](const QImage& b) { return bitmap(b, 8, 40); }, 481, damaged},
        {"a run after the last row",
         [](const QImage& b) {
             QByteArray bytes = bitmap(b, 8, 40, false, -1, -b.height());
             return bytes.insert(bytes.size() - 2, "\1\0", 2);
         },
         481, "run beyond the picture"},
        {"run-length rows padded to 32 bits by a run, as ImageMagick writes them",
         [](const QImage& b) { return bitmap(b, 8, 40, false, -1, -b.height(), 3); }},
        {"a run past the row's padding",
         [](const QImage& b) { return bitmap(b, 8, 40, false, -1, -b.height(), 4); }, 481,
         "run beyond the picture"},
        {"progressive JPEG cut before its last scan",
         [](const QImage& b) {
             const QByteArray bytes = encoded(b, "JPEG", -1, -1, true);
             return bytes.left(bytes.lastIndexOf("\xFF\xDA"));
         },
         481, "the file ends before the JPEG end marker"},
        {"JPEG with bytes after its end marker",
         [](const QImage& b) {
             return encoded(b, "JPEG", 100) + QByteArray("\0\xFF\xD8 more", 8);
         }},
        {"whole progressive JPEG",
         [](const QImage& b) { return encoded(b, "JPEG", -1, -1, true); }},
        {"a PNG chunk longer than the file",
         [](const QImage& b) { return pngWithText(b, 100000000); }, 481,
         "its tEXt chunk at byte 33 declares 100000000 bytes, more than the 4"},
        {"unknown GIF block", [](const QImage& b) { return gif(b).replace(19, 1, "\x99"); }, 481,
         "an unknown GIF block 0x99 at byte 19"},
        {"cut GIF", [](const QImage& b) { return cut(gif(b), 0.6); }, 481, damaged},
        {"damaged PNG pixels",
         [](const QImage& b) {
             const QByteArray png = encoded(b, "PNG");
             return flipped(png, {png.indexOf("IDAT") + 6});
         },
         481, "libpng error: IDAT"},
        {"damaged LZW TIFF",
         [](const QImage& b) {
             return flipped(encoded(b, "TIFF", -1, 1), {8, 20});
         },
         481, "Using code not yet in table"},
        {"pipe", nullptr, 75, "not a regular file"},
        {"bomb",
         [](const QImage& b) {
             QByteArray bytes = gif(b);
             for (const int at : {6, 8, 32, 34}) // screen and picture: 30000 x 30000
                 qToLittleEndian<quint16>(30000, bytes.data() + at);
             return bytes;
         },
         481, "30000 x 30000 pixels (900 megapixels), more than the limit of 400 megapixels"},
        {"over a set limit", [](const QImage& b) { return encoded(b, "PNG"); }, 481,
         "61 x 20 pixels (0.00122 megapixels), more than the limit of 0.001 megapixels",
         LoadLimits{0.001}},
        {"at a set limit", [](const QImage& b) { return encoded(b, "PNG"); }, 0, "",
         LoadLimits{0.00122}},
        {"a bitmap beyond Qt's reader, over a set limit",
         [](const QImage&) { return bitmapFile(16384, 16385, 24, 40, {}, false); }, 481,
         "16384 x 16385 pixels (268.5 megapixels), more than the limit of 100", LoadLimits{100}},
        {"a bitmap beyond the decoder", [](const QImage&) { return blackRunLength(16385, 16384); },
         481,
         "16385 x 16384 pixels (268.5 megapixels), more than the 268.4 megapixels the bitmap "
         "decoder reads"},
        {"2^31 - 1 squared within a set limit",
         [](const QImage&) { return bitmapFile(0x7FFFFFFF, 0x7FFFFFFF, 24, 40, {}, false); }, 481,
         "the file ends after 54 of the 13835058048839712822 bytes", LoadLimits{1e18}},
    };
    testing::RecordingHost host;
    std::vector<float> expectedLE, expectedTE, le, te;
    QImage painted = band;
    ASSERT_EQ(DoIt(painted, expectedLE, expectedTE, 110, 1.0f, host), ScanOutcome::Scaled);
    QTemporaryDir dir;
    StandardError printed;
    for (const PictureCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        if (!c.bytes) {
            ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else {
            testing::make(path, c.bytes(band));
        }
        // The window decodes; the batch tool reads uncompressed bitmaps where they lie.
        for (const bool inPlace : {false, true}) {
            SCOPED_TRACE(inPlace ? "read in place" : "decoded");
            try {
                ScanHolder holder = inPlace ? loadScanPicture(path, c.limits)
                                            : ScanHolder(loadPicture(path, c.limits));
                const bool asItLies = inPlace && QByteArray(c.name).endsWith("bitmap");
                EXPECT_EQ(c.error, 0) << "loaded";
                EXPECT_EQ(holder.image().isNull(), asItLies);
                ASSERT_EQ(DoIt(holder, le, te, 110, 1.0f, host), ScanOutcome::Scaled);
                EXPECT_EQ(le, expectedLE);
                EXPECT_EQ(te, expectedTE);
                // Span matching takes the picture back whole.
                if (asItLies) {
                    EXPECT_EQ(holder.releaseImage(), band);
                }
            } catch (const Failure& failure) {
                EXPECT_EQ(failure.error().number, c.error);
                const QString& description = failure.error().description;
                EXPECT_TRUE(description.contains(path)) << description;
                EXPECT_TRUE(description.contains(QLatin1String(c.words))) << description;
            }
        }
    }
    EXPECT_TRUE(host.messages.empty());
    // The libraries' own words are in the errors, not on standard error before them.
    EXPECT_EQ(printed.text(), QString());
}

// The batch tool scans a bitmap where it lies, and another program may cut the file short
// meanwhile: the rows it lost read as zeros, and the scan reports the damage.
TEST(PictureLoader, ABitmapCutShortWhileItIsScannedIsDamagedNotASignal) {
    QTemporaryDir dir;
    const QString path =
        testing::saveImage(testing::paintBand(1200, 200, 50, 1150, 40, 160), dir.path(), "cut.bmp");
    ScanHolder holder = loadScanPicture(path);
    ASSERT_TRUE(holder.image().isNull()) << "read where it lies";
    testing::RecordingHost host;
    host.onColumn = [&](int x) {
        if (x == 10)
            QFile::resize(path, 1000);
    };
    std::vector<float> le, te;
    EXPECT_EQ(DoIt(holder, le, te, 110, 1.0f, host), ScanOutcome::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.contains(
        path + " is damaged or incomplete (the file was cut short while it was read)"))
        << host.messages[0].text;
}

// Loaded, too, when another reader left the process's allocation limit below its size.
TEST(PictureLoader, ImagesWiderThan16BitCountersAreScanned) {
    QTemporaryDir dir;
    const QString path =
        testing::saveImage(testing::paintBand(40000, 30, 100, 39099, 5, 20), dir.path(), "wide");
    QImageReader::setAllocationLimit(1);
    QImage image = loadPicture(path);
    testing::RecordingHost host;
    std::vector<float> le, te;
    ASSERT_EQ(DoIt(image, le, te, 110, 1.0f, host), ScanOutcome::Scaled);
    EXPECT_EQ(le.size(), 39000u);
    EXPECT_FLOAT_EQ(te.back(), 20.0f / 38999.0f);
}

// libpng allocates a chunk as long as it declares before reading it; the probe refuses the
// length first, so the peak memory stays near what the file holds.
TEST(PictureLoader, ChunksLongerThanTheFileAreRefusedBeforeTheyAreAllocated) {
    QTemporaryDir dir;
    const QString path = dir.filePath("2 GB of text.png");
    testing::make(path, pngWithText(testing::paintBand(61, 20, 5, 50, 4, 12), 0x7FFFFFF0));
    struct rusage before, after;
    getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(testing::failureOf([&] { loadPicture(path); }).number, 481);
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 100 << 10) << "kB more at the peak";
}

} // namespace
} // namespace bladetrace
