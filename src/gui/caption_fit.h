#pragma once

#include <QRect>

class QWidget;

namespace bladetrace {

// Where a caption control (label, check box, push button) has room for its text, and where
// its text lies at the control's font and alignment, in the control's pixels. Both empty for
// other widgets and for captions without text.
struct CaptionRoom {
    QRect room;
    QRect text;
    bool fits() const { return text.width() <= room.width(); }
};
CaptionRoom captionRoom(const QWidget& control);

// The controls are placed by design in fixed boxes, and a longer text in the other language or
// a wider screen font would be cut: each caption of `window` that does not fit its box at the
// window's font gets a smaller one, half a point at a time down to 6 points. Captions with a
// font of their own (set by the window before) are left alone.
void fitCaptions(QWidget& window);

} // namespace bladetrace
