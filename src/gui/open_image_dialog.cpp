#include "open_image_dialog.h"

namespace bladetrace {

FileRequest OpenImageDialog::request(const QString& fileName) {
    FileRequest r;
    r.title = QStringLiteral("Select a grayscale Image");
    // Every format the loader reads, all of them together first.
    const QStringList formats = {QStringLiteral("Bitmap image (*.bmp)"),
                                 QStringLiteral("JPEG image (*.jpg *.jpeg)"),
                                 QStringLiteral("PNG image (*.png)"),
                                 QStringLiteral("GIF image (*.gif)"),
                                 QStringLiteral("TIFF image (*.tif *.tiff)"),
                                 QStringLiteral("PNM image (*.pbm *.pgm *.ppm *.pnm)"),
                                 QStringLiteral("WebP image (*.webp)")};
    QStringList patterns;
    for (const QString& format : formats)
        patterns << format.section(QLatin1Char('('), 1).chopped(1);
    r.filters =
        QStringList{QStringLiteral("All pictures (%1)").arg(patterns.join(QLatin1Char(' ')))} +
        formats;
    r.selectedFilter = r.filters.constFirst();
    r.fileName = fileName;
    return r;
}

// The first use opens without a name: a pattern there would hide all but one format.
std::optional<QString> OpenImageDialog::show(QWidget* parent) {
    auto chosen = dialogs_.openImage(parent, request(fileName_));
    if (chosen)
        fileName_ = *chosen;
    return chosen;
}

} // namespace bladetrace
