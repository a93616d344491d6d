#include "support/painted_blades.h"

#include <QDir>

namespace bladetrace::testing {

QImage paintBand(int width, int height, int first, int last, int top, int bottom) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = top; y <= bottom; ++y)
        for (int x = first; x <= last; ++x)
            image.setPixel(x, y, qRgb(0, 0, 0));
    return image;
}

QString saveImage(const QImage& image, const QString& dir, const QString& name) {
    const QString path = QDir(dir).filePath(name);
    image.save(path, "BMP");
    return path;
}

} // namespace bladetrace::testing
