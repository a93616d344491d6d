#include "scan/picture_loader.h"

#include "base/app_error.h"
#include "scan/picture_damage.h"
#include "scan/warning_capture.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <mutex>

namespace bladetrace {
namespace {

// Qt's bitmap reader refuses pictures with more pixels than this, however valid.
constexpr qint64 kBitmapDecoderPixels = qint64(16384) * 16384;

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

QImage decode(const PictureProbe& probe, const QString& fileName, const LoadLimits& limits) {
    QBuffer buffer;
    buffer.setData(QByteArray::fromRawData(reinterpret_cast<const char*>(probe.file->data),
                                           qsizetype(probe.file->size)));
    buffer.open(QIODevice::ReadOnly);
    limitAllocation(limits);
    const WarningCapture capture;
    QImageReader reader(&buffer, probe.format);
    // A phone's photograph is stored as the sensor saw it and tagged with how to turn it.
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (const QString changed = probe.file->changed(); !changed.isEmpty())
        pictureDamaged(fileName, changed);
    if (image.isNull()) {
        const QStringList& said = capture.warnings();
        // Room for the picture now means it was the file that failed, unless the reader
        // found none for its own buffers.
        if (probe.size.isValid() && QImage(probe.size, QImage::Format_ARGB32).isNull())
            fail(errc::kOutOfMemory);
        if (std::any_of(said.begin(), said.end(), [](const QString& s) {
                return s.contains(QLatin1String("memory"), Qt::CaseInsensitive);
            }))
            fail(errc::kOutOfMemory);
        if (probe.bitmap) {
            const qint64 width = probe.bitmap->width,
                         height = std::abs(qint64(probe.bitmap->height));
            if (width * height > kBitmapDecoderPixels)
                fail(errc::kInvalidPicture,
                     QStringLiteral("Invalid picture: %1 is %2 x %3 pixels (%4 megapixels), more "
                                    "than the %5 megapixels the bitmap decoder reads")
                         .arg(fileName)
                         .arg(width)
                         .arg(height)
                         .arg(double(width) * double(height) / 1e6, 0, 'f', 1)
                         .arg(double(kBitmapDecoderPixels) / 1e6, 0, 'f', 1));
        }
        // The library's own word says more than Qt's "Unable to read image data".
        pictureDamaged(fileName, said.isEmpty() ? reader.errorString() : said.last());
    }
    const QString warned = damageInWarnings(probe.format, capture.warnings());
    if (!warned.isEmpty())
        pictureDamaged(fileName, warned);
    checkPictureSize(fileName, image.size(), limits);
    if (probe.format == "bmp")
        opaqueIfAllTransparent(image);
    return image;
}

} // namespace

QImage loadPicture(const QString& fileName, const LoadLimits& limits) {
    return toScanImage(decode(probePicture(fileName, limits), fileName, limits));
}

ScanHolder loadScanPicture(const QString& fileName, const LoadLimits& limits) {
    const PictureProbe probe = probePicture(fileName, limits);
    if (probe.bitmap) {
        if (const std::optional<PixelRows> rows =
                bitmapRowsInPlace(*probe.bitmap, probe.file->data))
            return ScanHolder(*rows, probe.file);
    }
    return ScanHolder(decode(probe, fileName, limits));
}

} // namespace bladetrace
