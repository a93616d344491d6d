#include "support/painted_blades.h"

#include <QDir>
#include <QPainter>
#include <QPolygon>

namespace bladetrace::testing {

QImage paintBand(int width, int height, int first, int last, int top, int bottom) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = top; y <= bottom; ++y)
        for (int x = first; x <= last; ++x)
            image.setPixel(x, y, qRgb(0, 0, 0));
    return image;
}

QImage taperedView(int height, int root, int tip) {
    QImage image(420, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const int m = height / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPolygon(
        QPolygon({QPoint(10, m - tip), QPoint(210, m - root), QPoint(410, m - tip),
                  QPoint(410, m + tip), QPoint(210, m + root), QPoint(10, m + tip)}));
    return image;
}

QString saveImage(const QImage& image, const QString& dir, const QString& name) {
    const QString path = QDir(dir).filePath(name);
    image.save(path, "BMP");
    return path;
}

} // namespace bladetrace::testing
