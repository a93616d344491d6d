#include "painted_blade.h"

#include <QImage>
#include <QPainter>
#include <cmath>

namespace bladetrace::test {

QString paintBlade(const QString& path, View view, int first, int last, int height) {
    QImage image(last + 1 + first, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const int centre = height / 2;
    for (int x = first; x <= last; ++x) {
        // u: 0 at the hub, 1 at either tip.
        const double u = std::abs(2.0 * (x - first) / (last - first) - 1.0);
        const double chord = 6 + 0.3 * height * std::sqrt(u) * (1 - u);
        const double depth = view == View::Top ? chord : 3 + chord * 0.8 * (1 - u);
        const int h = std::max(1, int(depth));
        painter.fillRect(x, centre - h / 2, 1, h, Qt::black);
    }
    painter.end();
    image.save(path);
    return path;
}

} // namespace bladetrace::test
