#include "scan/picture_loader.h"

#include "text/app_error.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace bladetrace {

QImage loadPicture(const QString& fileName) {
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.exists())
        fail(errc::kFileNotFound, QStringLiteral("File not found: %1").arg(fileName));
    if (info.isDir() || !info.isReadable())
        fail(errc::kPathFileAccess, QStringLiteral("Path/File access error: %1").arg(fileName));

    // Scans of large propellers exceed the reader's default allocation guard.
    QImageReader::setAllocationLimit(0);
    QImageReader reader(fileName);
    QImage image = reader.read();
    if (image.isNull())
        fail(errc::kInvalidPicture,
             QStringLiteral("Invalid picture: %1 (%2)").arg(fileName, reader.errorString()));

    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage paper(image.size(), QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter painter(&paper);
    painter.drawImage(0, 0, image);
    return paper;
}

} // namespace bladetrace
