#include "scan/scan_holder.h"

#include "base/app_error.h"
#include "scan/picture_probe.h"

#include <QPainter>
#include <utility>

namespace bladetrace {

QImage toScanImage(QImage image) {
    if (image.format() == QImage::Format_RGB32)
        return image;
    QImage converted;
    if (!image.hasAlphaChannel()) {
        converted = image.convertToFormat(QImage::Format_RGB32);
    } else {
        converted = QImage(image.size(), QImage::Format_RGB32);
        if (!converted.isNull()) {
            converted.fill(Qt::white);
            QPainter paper(&converted);
            paper.drawImage(0, 0, image);
        }
    }
    if (converted.isNull() && !image.isNull())
        fail(errc::kOutOfMemory);
    return converted;
}

QImage imageOf(const PixelRows& rows) {
    QImage image(rows.width, rows.height, QImage::Format_RGB32);
    if (image.isNull() && rows.width > 0 && rows.height > 0)
        fail(errc::kOutOfMemory);
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
