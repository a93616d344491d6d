#include "program_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace bladetrace {
namespace {

// One blade in a 32-unit box, from the hub towards the upper right: wide near the hub,
// rounded at the tip, the leading edge straighter than the trailing one.
QPainterPath blade() {
    QPainterPath path;
    path.moveTo(16, 16);
    path.cubicTo(18, 11, 22, 6, 27, 3);
    path.cubicTo(30, 2, 31, 4, 29, 7);
    path.cubicTo(26, 11, 22, 15, 16, 16);
    return path;
}

} // namespace

void paintProgramIcon(QPainter& painter) {
    painter.save();
    // The disc the blades sweep, faint, so the shape reads as a propeller at 16 pixels.
    painter.setPen(QPen(QColor(0x9f, 0xb6, 0xcf), 1.0));
    painter.setBrush(QColor(0xe8, 0xef, 0xf7));
    painter.drawEllipse(QRectF(1.5, 1.5, 29, 29));

    painter.setPen(QPen(QColor(0x1b, 0x1b, 0x1b), 0.8));
    painter.setBrush(QColor(0x3a, 0x2a, 0x1c));
    const QPainterPath one = blade();
    painter.drawPath(one);
    painter.translate(16, 16);
    painter.rotate(180);
    painter.translate(-16, -16);
    painter.drawPath(one);

    painter.setBrush(QColor(0xb8, 0x1d, 0x1d));
    painter.drawEllipse(QPointF(16, 16), 3.2, 3.2);
    painter.restore();
}

QPixmap programIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    paintProgramIcon(painter);
    return pixmap;
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(programIconPixmap(size));
    return icon;
}

} // namespace bladetrace
