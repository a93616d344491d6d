// Draws the help pages' figures: the two views of a two-blade propeller as the program
// wants them, and the grey threshold. No text in them, so both languages share them.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kHub = 0.12;       // hub radius over tip radius
constexpr double kPitchRatio = 0.8; // pitch over diameter
const QColor kBlade(32, 32, 32);

// Chord over tip radius at relative radius r, rounded off at the tip.
double chord(double r) {
    const double base = 0.17 * (1.0 - 0.5 * r);
    const double tip = r > 0.8 ? std::sqrt(std::max(0.0, 1.0 - std::pow((r - 0.8) / 0.2, 2))) : 1.0;
    return base * tip;
}

double bladeAngle(double r) {
    return std::atan(kPitchRatio / (kPi * std::max(r, 1e-3)));
}

// Outline of the whole propeller in one view, `radius` pixels from hub to tip: x across the
// span, y down. `top`: seen along the axis (height c cos b); otherwise edge-on (c sin b).
// Built in pixels so that curves are flattened finely enough.
QPainterPath propeller(bool top, double radius) {
    const int steps = 400;
    QPolygonF upper;
    QPolygonF lower;
    for (int i = 0; i <= steps; ++i) {
        const double x = -1.0 + 2.0 * i / steps;
        const double r = std::abs(x);
        if (r < kHub * 0.8)
            continue;
        const double c = chord(r);
        const double h = top ? c * std::cos(bladeAngle(r)) : c * std::sin(bladeAngle(r));
        // The second blade is the first turned half a revolution: its edges swap sides.
        const double lead = top ? (x > 0 ? 0.35 : 0.65) : 0.5;
        upper << QPointF(x, -lead * h) * radius;
        lower << QPointF(x, (1.0 - lead) * h) * radius;
    }
    QPainterPath path;
    path.moveTo(upper.first());
    for (const QPointF& p : upper)
        path.lineTo(p);
    for (auto it = lower.crbegin(); it != lower.crend(); ++it)
        path.lineTo(*it);
    path.closeSubpath();
    QPainterPath hub;
    if (top)
        hub.addEllipse(QPointF(0, 0), kHub * radius, kHub * radius);
    else
        hub.addRoundedRect(QRectF(-kHub * radius, -0.09 * radius, 2 * kHub * radius, 0.18 * radius),
                           0.02 * radius, 0.02 * radius);
    return path.united(hub).simplified();
}

// One view cropped to the blade with a margin of one pixel, `width` pixels wide.
QImage view(bool top, int width) {
    const double radius = (width - 2) / 2.0;
    const QPainterPath outline = propeller(top, radius);
    const QRectF box = outline.boundingRect();
    const int height = int(std::ceil(box.height())) + 2;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(1.0 + radius, 1.0 - box.top());
    painter.fillPath(outline, kBlade);
    return image;
}

// Both views one above the other, the span marked by lines through both tips.
QImage views(int width) {
    const QImage topView = view(true, width - 40);
    const QImage sideView = view(false, width - 40);
    const int gap = 24;
    QImage image(width, topView.height() + sideView.height() + gap + 20, QImage::Format_RGB32);
    image.fill(QColor(246, 246, 246));
    QPainter painter(&image);
    painter.drawImage(20, 10, topView);
    painter.drawImage(20, 10 + topView.height() + gap, sideView);
    painter.setPen(QPen(QColor(200, 200, 200), 1));
    painter.drawRect(QRect(QPoint(20, 10), topView.size()).adjusted(0, 0, -1, -1));
    painter.drawRect(
        QRect(QPoint(20, 10 + topView.height() + gap), sideView.size()).adjusted(0, 0, -1, -1));
    painter.setPen(QPen(QColor(0, 90, 200), 1, Qt::DashLine));
    for (int x : {20, 20 + topView.width() - 1})
        painter.drawLine(x, 2, x, image.height() - 3);
    return image;
}

// A grey ramp from black to white above what the scanner makes of it at threshold 110.
QImage threshold() {
    const int threshold = 110;
    QImage image(512, 64, QImage::Format_RGB32);
    for (int x = 0; x < image.width(); ++x) {
        const int grey = x / 2;
        for (int y = 0; y < image.height(); ++y) {
            const int shown = y < 32 ? grey : (grey <= threshold ? 0 : 255);
            image.setPixel(x, y, qRgb(shown, shown, shown));
        }
    }
    QPainter painter(&image);
    painter.setPen(QPen(QColor(220, 0, 0), 2));
    painter.drawLine(2 * threshold + 1, 0, 2 * threshold + 1, image.height());
    painter.setPen(QPen(QColor(160, 160, 160), 1));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

bool save(const QImage& image, const QString& directory, const char* name) {
    const QString path = directory + QLatin1Char('/') + QLatin1String(name);
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "help_figures: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: help_figures <output directory>\n");
        return 2;
    }
    const QString directory = QString::fromLocal8Bit(argv[1]);
    const bool ok = save(view(true, 560), directory, "top_view.png") &&
                    save(view(false, 560), directory, "side_view.png") &&
                    // The start pages show it: narrow enough for the help window's first size.
                    save(views(520), directory, "both_views.png") &&
                    save(threshold(), directory, "threshold.png");
    return ok ? 0 : 1;
}
