#include "scan/scan_holder.h"

#include "base/app_error.h"
#include "scan/picture_probe.h"
#include "scan/warning_capture.h"

#include <utility>

namespace bladetrace {

namespace {

// Qt converts a large image in segments on its global thread pool and waits for them; where
// no pool thread can start (an address-space limit) it waits for ever. A band of fewer than
// two segments' pixels (2 x 65536) it converts on the calling thread.
constexpr qsizetype kBandPixels = 2 * 65536 - 1;

// The band's pixels as 32-bit RGB in `out`; transparent parts on white paper.
void convertBand(const QImage& band, uchar* out, qsizetype outStride) {
    const bool alpha = band.hasAlphaChannel();
    const QImage converted =
        band.convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (converted.isNull())
        fail(errc::kOutOfMemory);
    for (int y = 0; y < band.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(converted.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out + y * outStride);
        for (int x = 0; x < band.width(); ++x) {
            // Over white: each premultiplied channel plus the paper the pixel lets through.
            const quint32 paper = alpha ? quint32(255 - qAlpha(in[x])) * 0x010101u : 0;
            line[x] = 0xFF000000u | (in[x] + paper);
        }
    }
}

} // namespace

QImage allocateScanImage(QSize size) {
    const WarningCapture quiet; // Qt's word on the failed allocation; the failure says it
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull() && !size.isEmpty())
        fail(errc::kOutOfMemory);
    return image;
}

QImage toScanImage(QImage image) {
    if (image.format() == QImage::Format_RGB32 || image.isNull())
        return image;
    const WarningCapture quiet; // Qt's word on a failed allocation; the failure says it
    QImage converted = allocateScanImage(image.size());
    const int rows = int(qMax(qsizetype(1), kBandPixels / image.width()));
    for (int y = 0; y < image.height(); y += rows) {
        const int height = qMin(rows, image.height() - y);
        QImage band(image.constScanLine(y), image.width(), height, image.bytesPerLine(),
                    image.format());
        band.setColorTable(image.colorTable());
        convertBand(band, converted.scanLine(y), converted.bytesPerLine());
    }
    return converted;
}

QImage imageOf(const PixelRows& rows) {
    QImage image = allocateScanImage(QSize(rows.width, rows.height));
    for (int y = 0; y < rows.height; ++y) {
        const uchar* in = rows.row(y);
        auto* out = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < rows.width; ++x)
            out[x] = 0xFF000000u | rows.pixel(in, x);
    }
    return image;
}

ScanHolder::ScanHolder(QImage image) : image_(toScanImage(std::move(image))) {
    marks_ = image_.bits();
    rows_ = PixelRows::of(image_);
}

ScanHolder::ScanHolder(const PixelRows& rows, std::shared_ptr<const PictureFile> file)
    : file_(std::move(file)), rows_(rows) {}

QImage ScanHolder::takeImage() {
    marks_ = nullptr;
    rows_ = {};
    return std::move(image_);
}

QImage ScanHolder::releaseImage() {
    QImage image = image_.isNull() ? imageOf(rows_) : takeImage();
    checkRows();
    *this = ScanHolder();
    return image;
}

void ScanHolder::checkRows() const {
    if (!file_)
        return;
    if (const QString changed = file_->changed(); !changed.isEmpty())
        pictureDamaged(file_->name, changed);
}

void ScanHolder::markColumn(int x, int top, int bottom) {
    if (!marks_ || x < 0 || x >= width())
        return;
    top = qMax(top, 0);
    bottom = qMin(bottom, height() - 1);
    const qsizetype stride = image_.bytesPerLine();
    for (int y = top; y <= bottom; ++y)
        reinterpret_cast<quint32*>(marks_ + qsizetype(y) * stride)[x] = kMarkRed;
}

} // namespace bladetrace
