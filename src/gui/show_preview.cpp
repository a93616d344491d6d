#include "show_preview.h"

#include "base/app_error.h"
#include "scan/picture_loader.h"
#include "twips.h"

#include <QFileInfo>
#include <QPixmap>

namespace bladetrace {
namespace {

// The same smooth scaling the label would apply at every paint, done once.
QPixmap scaledForScreen(const QImage& picture, const QSize& size, qreal pixelRatio) {
    QPixmap shown = QPixmap::fromImage(
        picture.scaled(size * pixelRatio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    shown.setDevicePixelRatio(pixelRatio);
    return shown;
}

} // namespace

// Hidden and system files do not count; on this platform that is a leading dot.
bool isOrdinaryFile(const QString& fileName) {
    const QFileInfo info(fileName);
    return !fileName.isEmpty() && info.isFile() && !info.isHidden();
}

void PreviewImage::setPicture(const QImage& picture) {
    naturalSize_ = picture.size();
    setPixmap(scaledForScreen(picture, size(), devicePixelRatioF()));
}

void PreviewImage::resizeTo(const QSize& size) {
    resize(size);
    const QPixmap shown = pixmap();
    if (!shown.isNull() && shown.deviceIndependentSize().toSize() != size)
        setPixmap(scaledForScreen(shown.toImage(), size, devicePixelRatioF()));
}

void PreviewImage::clearPicture() {
    naturalSize_ = QSize();
    setPixmap(QPixmap());
}

QSizeF previewSizeTwips(QSizeF current) {
    const auto W = float(current.width());
    const auto H = float(current.height());
    if (!(W > 0))
        fail(errc::kDivisionByZero);
    return {double(kPreviewWidthTwips), double(H * kPreviewWidthTwips / W)};
}

void ShowPreview(PreviewImage& image, const QString& fileName) {
    image.hide();
    QImage loaded;
    if (isOrdinaryFile(fileName))
        loaded = loadPicture(fileName);
    showLoadedPreview(image, loaded);
}

void showLoadedPreview(PreviewImage& image, const QImage& loaded) {
    image.hide();
    // Natural size: that of the picture held, if any; an empty display keeps its size.
    const QSize natural = loaded.isNull() ? image.naturalSize() : loaded.size();
    const QSize current = natural.isEmpty() ? image.size() : natural;
    QSizeF twips = previewSizeTwips(QSizeF(toTwips(current.width()), toTwips(current.height())));
    if (twips.height() > double(kPreviewHeightTwips))
        twips = twips * (double(kPreviewHeightTwips) / twips.height());
    const QSize shown(toPixels(float(twips.width())), toPixels(float(twips.height())));
    if (loaded.isNull()) {
        image.resizeTo(shown);
    } else {
        image.resize(shown);
        image.setPicture(loaded);
    }
    image.show();
}

void showPreviewOrNothing(PreviewImage& image, const QString& fileName) {
    try {
        if (isOrdinaryFile(fileName)) {
            ShowPreview(image, fileName);
            return;
        }
    } catch (const Failure&) {
    }
    image.hide();
    image.clearPicture();
}

} // namespace bladetrace
