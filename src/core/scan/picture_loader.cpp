#include "scan/picture_loader.h"

#include "scan/bitmap_file.h"
#include "scan/picture_damage.h"
#include "scan/picture_file.h"
#include "scan/warning_capture.h"
#include "text/app_error.h"

#include <QBuffer>
#include <QImageReader>
#include <cmath>
#include <limits>
#include <mutex>

namespace bladetrace {
namespace {

// What the program reads: the formats of scanners and cameras. Qt's readers of the rarer
// formats have seen far less hostile input.
bool readsFormat(const QByteArray& format) {
    static const QByteArrayList formats = {"bmp", "jpeg", "png", "gif", "tiff",
                                           "pbm", "pgm",  "ppm", "webp"};
    return formats.contains(format);
}

QByteArray canonicalFormat(QByteArray format) {
    if (format == "jpg")
        return "jpeg";
    if (format == "tif")
        return "tiff";
    return format;
}

[[noreturn]] void damaged(const QString& fileName, const QString& why) {
    fail(errc::kInvalidPicture,
         QStringLiteral("Invalid picture: %1 is damaged or incomplete (%2)").arg(fileName, why));
}

void checkSize(const QString& fileName, QSize size, const LoadLimits& limits) {
    const double megapixels = double(size.width()) * double(size.height()) / 1e6;
    if (size.isValid() && !(megapixels <= limits.maxMegapixels))
        fail(errc::kInvalidPicture,
             QStringLiteral("Invalid picture: %1 is %2 x %3 pixels (%4 megapixels), more than "
                            "the limit of %5 megapixels")
                 .arg(fileName)
                 .arg(size.width())
                 .arg(size.height())
                 .arg(megapixels, 0, 'g', 4)
                 .arg(limits.maxMegapixels, 0, 'g', 4));
}

// Qt 6.4 keeps one allocation limit for the whole process; each read sets it from its own
// limits (up to 8 bytes a pixel, for 16-bit channels), so no reader ever runs without one.
void limitAllocation(const LoadLimits& limits) {
    const double megabytes = std::ceil(limits.maxMegapixels * 1e6 * 8 / (1 << 20));
    // At least 1 MB: Qt reads 0 as no limit at all.
    const int limit =
        int(std::fmin(std::fmax(megabytes, 1.0), double(std::numeric_limits<int>::max())));
    static std::mutex setting;
    const std::lock_guard<std::mutex> lock(setting);
    if (QImageReader::allocationLimit() != limit)
        QImageReader::setAllocationLimit(limit);
}

// A 32-bit bitmap may declare an alpha channel and leave it 0 throughout; viewers show such
// a picture opaque, and so does the scan.
void opaqueIfAllTransparent(QImage& image) {
    if (image.format() != QImage::Format_ARGB32)
        return;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 0)
                return;
    }
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] |= 0xFF000000u;
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
}

// Everything up to decoding: the file, its format, its size and its structure. Then either
// the rows in place (when `inPlace` and the file allows it) or the decoded picture.
ScanHolder load(const QString& fileName, const LoadLimits& limits, bool inPlace) {
    const std::shared_ptr<PictureFile> file = openPictureFile(fileName);
    QBuffer buffer;
    buffer.setData(
        QByteArray::fromRawData(reinterpret_cast<const char*>(file->data), qsizetype(file->size)));
    buffer.open(QIODevice::ReadOnly);
    limitAllocation(limits);
    const WarningCapture capture;
    QImageReader reader(&buffer);
    const QByteArray format = canonicalFormat(reader.format());
    if (format.isEmpty())
        fail(errc::kInvalidPicture,
             QStringLiteral("Invalid picture: %1 (%2)").arg(fileName, reader.errorString()));
    if (!readsFormat(format))
        fail(errc::kInvalidPicture,
             QStringLiteral("Invalid picture: %1 (a picture in %2 format, which is not read)")
                 .arg(fileName, QString::fromLatin1(format)));
    const QSize declared = reader.size();
    checkSize(fileName, declared, limits);
    const QString broken = damageInStructure(format, file->data, file->size);
    if (!broken.isEmpty())
        damaged(fileName, broken);

    if (inPlace && format == "bmp") {
        const std::optional<BitmapHeader> header = readBitmapHeader(file->data, file->size);
        const std::optional<PixelRows> rows =
            header ? bitmapRowsInPlace(*header, file->data, file->size) : std::nullopt;
        if (rows)
            return ScanHolder(*rows, file);
    }

    QImage image = reader.read();
    if (image.isNull()) {
        // Room for the picture now means it was the file that failed.
        if (declared.isValid() && QImage(declared, QImage::Format_ARGB32).isNull())
            fail(errc::kOutOfMemory);
        damaged(fileName, reader.errorString());
    }
    const QString warned = damageInWarnings(format, capture.warnings());
    if (!warned.isEmpty())
        damaged(fileName, warned);
    checkSize(fileName, image.size(), limits);
    if (format == "bmp")
        opaqueIfAllTransparent(image);
    return ScanHolder(std::move(image));
}

} // namespace

QImage loadPicture(const QString& fileName, const LoadLimits& limits) {
    return load(fileName, limits, false).takeImage();
}

ScanHolder loadScanPicture(const QString& fileName, const LoadLimits& limits) {
    return load(fileName, limits, true);
}

} // namespace bladetrace
