#include "files/picture_bytes.h"

#include <QBuffer>
#include <QFileInfo>

namespace bladetrace {

QByteArray pictureBytes(const QImage& image, const QString& fileName) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    const QByteArray format = QFileInfo(fileName).suffix().toLower().toLatin1();
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format.constData()))
        return {};
    return bytes;
}

} // namespace bladetrace
