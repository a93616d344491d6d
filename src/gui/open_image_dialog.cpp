#include "open_image_dialog.h"

namespace bladetrace {

FileRequest OpenImageDialog::request(const QString& fileName) {
    FileRequest r;
    r.title = QStringLiteral("Select a grayscale Image");
    r.filters = QStringList{
        QStringLiteral("Bitmap image (*.bmp)"), QStringLiteral("JPEG image (*.jpg)"),
        QStringLiteral("PNG image (*.png)"), QStringLiteral("TIFF image (*.tif *.tiff)")};
    r.selectedFilter = r.filters.constFirst();
    r.fileName = fileName;
    return r;
}

std::optional<QString> OpenImageDialog::show(QWidget* parent) {
    if (fileName_.isEmpty())
        fileName_ = QStringLiteral("*.bmp");
    auto chosen = dialogs_.openImage(parent, request(fileName_));
    if (chosen)
        fileName_ = *chosen;
    return chosen;
}

} // namespace bladetrace
