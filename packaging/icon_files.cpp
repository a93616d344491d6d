// Writes the program icon into an icon theme folder (hicolor), as PNG at each size desktops
// ask for and as SVG, all painted by the drawing the window shows in its caption.
//   bladetrace_icon_files DIR    DIR/NxN/apps/bladetrace.png, DIR/scalable/apps/bladetrace.svg
#include "program_icon.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256, 512};

bool makeFolder(const QString& folder) {
    if (QDir().mkpath(folder))
        return true;
    std::fprintf(stderr, "bladetrace_icon_files: cannot make %s\n", qPrintable(folder));
    return false;
}

bool writePng(const QString& theme, int size) {
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(theme).arg(size);
    if (!makeFolder(folder))
        return false;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        bladetrace::paintProgramIcon(painter);
    }
    const QString path = folder + QStringLiteral("/bladetrace.png");
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "bladetrace_icon_files: cannot write %s\n", qPrintable(path));
    return false;
}

bool writeSvg(const QString& theme) {
    const QString folder = theme + QStringLiteral("/scalable/apps");
    if (!makeFolder(folder))
        return false;
    const QString path = folder + QStringLiteral("/bladetrace.svg");
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setTitle(QStringLiteral("Bladetrace"));
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRect(0, 0, 32, 32));
    svg.setResolution(96); // the generator states the size in mm: 32 CSS pixels
    QPainter painter;
    if (!painter.begin(&svg)) {
        std::fprintf(stderr, "bladetrace_icon_files: cannot write %s\n", qPrintable(path));
        return false;
    }
    bladetrace::paintProgramIcon(painter);
    return painter.end();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bladetrace_icon_files <icon theme folder>\n");
        return 2;
    }
    const QString theme = QString::fromLocal8Bit(argv[1]);
    for (int size : kSizes) {
        if (!writePng(theme, size))
            return 1;
    }
    return writeSvg(theme) ? 0 : 1;
}
