#pragma once

#include "twips.h"

#include <QString>
#include <QWidget>

namespace bladetrace {

// The windows' controls are sized for a small sans serif.
constexpr qreal kDesignFontPoints = 8;
// Below this a caption is no longer read comfortably; fitting stops there.
constexpr qreal kSmallestFontPoints = 6;

// The window's own font at the design size; its controls inherit it.
inline void useDesignFont(QWidget& window) {
    QFont small = window.font();
    small.setPointSizeF(kDesignFontPoints);
    window.setFont(small);
}

// A new control under `parent` with its design name as object name, at its design place.
template <typename Control>
Control* place(QWidget* parent, const char* name, const TwipsRect& design) {
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(toPixels(design));
    return control;
}

} // namespace bladetrace
