#include "files/picture_bytes.h"

#include <QBuffer>
#include <QFileInfo>

namespace bladetrace {

QByteArray pictureBytes(const QImage& image, const QString& fileName) {
    return pictureBytes(image, QFileInfo(fileName).suffix().toLower().toLatin1().constData());
}

QByteArray pictureBytes(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format))
        return {};
    return bytes;
}

} // namespace bladetrace
