#pragma once

#include <QImage>
#include <QTemporaryDir>
#include <cmath>

namespace bladetrace::bench {

// A two-bladed propeller seen from the top and from the side, painted straight into the
// scan lines: dark blade, light background, the same span in both views, a hub in the middle.
struct SyntheticPair {
    QImage top;
    QImage side;
};

inline QImage paintView(int width, int height, double chordFraction, bool side) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(235, 235, 230));
    const int margin = width / 50;
    const double span = width - 2 * margin;
    for (int x = margin; x < width - margin; ++x) {
        const double rho = std::fabs((x - margin) / span * 2.0 - 1.0); // r/R
        const double chord = chordFraction * (0.35 + 0.9 * rho * (1.0 - rho)) *
                             (rho > 0.97 ? std::sqrt((1.0 - rho) / 0.03) : 1.0);
        const double twist = std::atan(0.9 / (3.14159 * std::max(rho, 0.15)));
        const double h = chord * height * (side ? std::sin(twist) : std::cos(twist)) + 2.0;
        const int top = int(height / 2 - h * 0.4);
        const int bottom = int(height / 2 + h * 0.6);
        for (int y = std::max(top, 0); y <= std::min(bottom, height - 1); ++y)
            reinterpret_cast<QRgb*>(image.scanLine(y))[x] = qRgb(30, 28, 35);
    }
    return image;
}

inline SyntheticPair makePair(int width, int height) {
    return {paintView(width, height, 0.8, false), paintView(width, height, 0.8, true)};
}

// The pair as bitmap files (24 bits a pixel, as Qt writes them) in a folder of their own.
struct SavedPair {
    explicit SavedPair(const SyntheticPair& pictures) {
        pictures.top.save(top);
        pictures.side.save(side);
    }
    QTemporaryDir dir;
    QString top = dir.filePath(QStringLiteral("top.bmp"));
    QString side = dir.filePath(QStringLiteral("side.bmp"));
};

} // namespace bladetrace::bench
