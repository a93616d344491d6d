#include "caption_fit.h"

#include "design_controls.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVariant>

namespace bladetrace {
namespace {

constexpr qreal kStep = 0.5;
// Marks a font that fitCaptions chose, so that the next fitting may take it back.
const char* const kFitted = "bladetraceFittedFont";
// The pixels fitCaptions added above a top-aligned label's smaller text.
const char* const kLowered = "bladetraceLoweredBy";

// The text as shown: a single '&' marks the shortcut and takes no room.
QString shownText(const QString& caption) {
    QString text;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

QStyleOptionButton buttonOption(const QAbstractButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.icon = button.icon();
    option.iconSize = button.iconSize();
    return option;
}

QRect roomFor(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        const int margin = label->margin();
        return label->contentsRect().adjusted(margin, margin, -margin, -margin);
    }
    if (const auto* box = qobject_cast<const QCheckBox*>(&control)) {
        const QStyleOptionButton option = buttonOption(*box);
        return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        const QStyleOptionButton option = buttonOption(*button);
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    return {};
}

Qt::Alignment alignmentOf(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return label->alignment();
    if (qobject_cast<const QCheckBox*>(&control))
        return Qt::AlignLeft | Qt::AlignVCenter;
    return Qt::AlignCenter;
}

QString captionOf(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return label->wordWrap() ? QString() : label->text();
    if (qobject_cast<const QCheckBox*>(&control) || qobject_cast<const QPushButton*>(&control))
        return shownText(static_cast<const QAbstractButton&>(control).text());
    return {};
}

int widthOf(const QString& text, const QFont& font) {
    return QFontMetrics(font).horizontalAdvance(text);
}

// A label's text that fitting made smaller sits lower by the difference in ascent, so that
// its baseline stays where the full-size text's would be, level with its neighbours'.
void keepBaseline(QWidget& control, const QFont& inherited) {
    auto* label = qobject_cast<QLabel*>(&control);
    if (!label || !(label->alignment() & Qt::AlignTop))
        return;
    const int lowered = control.property(kLowered).toInt();
    const int wanted =
        control.testAttribute(Qt::WA_SetFont)
            ? QFontMetrics(inherited).ascent() - QFontMetrics(control.font()).ascent()
            : 0;
    if (wanted == lowered)
        return;
    QMargins margins = label->contentsMargins();
    margins.setTop(margins.top() - lowered + wanted);
    label->setContentsMargins(margins);
    control.setProperty(kLowered, wanted);
}

} // namespace

CaptionRoom captionRoom(const QWidget& control) {
    const QString text = captionOf(control);
    if (text.isEmpty())
        return {};
    const QRect room = roomFor(control);
    const QSize size(widthOf(text, control.font()), QFontMetrics(control.font()).height());
    return {room, QStyle::alignedRect(control.layoutDirection(), alignmentOf(control), size, room)};
}

void fitCaptions(QWidget& window) {
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const QString text = captionOf(*control);
        if (text.isEmpty())
            continue;
        const bool fitted = control->property(kFitted).toBool();
        if (control->testAttribute(Qt::WA_SetFont) && !fitted)
            continue;
        const QFont inherited = control->parentWidget()->font();
        QFont font = inherited;
        const int room = roomFor(*control).width();
        for (qreal points = inherited.pointSizeF() - kStep;
             widthOf(text, font) > room && points >= kSmallestFontPoints; points -= kStep)
            font.setPointSizeF(points);
        if (font == inherited) {
            if (fitted) {
                control->setFont(QFont());
                control->setProperty(kFitted, false);
                keepBaseline(*control, inherited);
            }
            continue;
        }
        control->setFont(font);
        control->setProperty(kFitted, true);
        keepBaseline(*control, inherited);
    }
}

} // namespace bladetrace
