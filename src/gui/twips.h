#pragma once

#include <QPoint>
#include <QRect>
#include <QtMath>

namespace bladetrace {

// Window geometry is designed in twips; the screen works in logical pixels.
constexpr float kTwipsPerPixel = 15.0f;

struct TwipsRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

inline int toPixels(float twips) {
    return qRound(twips / kTwipsPerPixel);
}
inline float toTwips(int pixels) {
    return float(pixels) * kTwipsPerPixel;
}

inline QRect toPixels(const TwipsRect& r) {
    return {toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height)};
}

inline TwipsRect toTwips(const QRect& r) {
    return {toTwips(r.x()), toTwips(r.y()), toTwips(r.width()), toTwips(r.height())};
}

} // namespace bladetrace
