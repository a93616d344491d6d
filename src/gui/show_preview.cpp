#include "show_preview.h"

#include "scan/picture_loader.h"
#include "text/app_error.h"
#include "twips.h"

#include <QFileInfo>
#include <QLabel>
#include <QPixmap>

namespace bladetrace {
namespace {

// Hidden and system files do not count; on this platform that is a leading dot.
bool isOrdinaryFile(const QString& fileName) {
    const QFileInfo info(fileName);
    return !fileName.isEmpty() && info.isFile() && !info.isHidden();
}

} // namespace

QSizeF previewSizeTwips(QSizeF current) {
    const auto W = float(current.width());
    const auto H = float(current.height());
    if (!(W > 0))
        fail(errc::kDivisionByZero);
    return {double(kPreviewWidthTwips), double(H * kPreviewWidthTwips / W)};
}

void ShowPreview(QLabel& image, const QString& fileName) {
    image.hide();
    image.setScaledContents(false);
    if (!image.pixmap().isNull())
        image.resize(image.pixmap().deviceIndependentSize().toSize());
    if (isOrdinaryFile(fileName)) {
        const QPixmap picture = QPixmap::fromImage(loadPicture(fileName));
        image.setPixmap(picture);
        image.resize(picture.deviceIndependentSize().toSize());
    }
    const QSizeF twips = previewSizeTwips(QSizeF(toTwips(image.width()), toTwips(image.height())));
    image.setScaledContents(true);
    image.resize(toPixels(float(twips.width())), toPixels(float(twips.height())));
    image.show();
}

} // namespace bladetrace
