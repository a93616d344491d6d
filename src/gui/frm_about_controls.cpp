#include "design_controls.h"
#include "frm_about.h"
#include "program_icon.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

// The About window's controls at their design positions. Every caption that follows the
// language is written by SwitchLanguage.
namespace bladetrace {
namespace {

constexpr float kClientWidth = 6270;
constexpr float kClientHeight = 4080;
constexpr int kIconPixels = 32;
constexpr qreal kTitlePoints = 14;

QLabel* wrappedLabel(QWidget* parent, const char* name, const TwipsRect& design) {
    auto* label = place<QLabel>(parent, name, design);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A separator line across the window, drawn in one colour whatever the style.
QWidget* line(QWidget* parent, const char* name, const TwipsRect& design, const QColor& colour) {
    auto* l = place<QWidget>(parent, name, design);
    QPalette palette = l->palette();
    palette.setColor(QPalette::Window, colour);
    l->setPalette(palette);
    l->setAutoFillBackground(true);
    return l;
}

} // namespace

void frmAbout::createControls() {
    setFixedSize(toPixels(kClientWidth), toPixels(kClientHeight));
    setWindowIcon(programIcon());

    picIcon = place<QLabel>(this, "picIcon", {240, 240, 540, 540});
    picIcon->setPixmap(programIconPixmap(kIconPixels));
    picIcon->setAlignment(Qt::AlignCenter);

    lblTitle = wrappedLabel(this, "lblTitle", {1050, 240, 5085, 480});
    QFont title = lblTitle->font();
    title.setPointSizeF(kTitlePoints);
    title.setBold(true);
    lblTitle->setFont(title);
    lblVersion = wrappedLabel(this, "lblVersion", {1050, 780, 5085, 225});
    lblDescription = wrappedLabel(this, "lblDescription", {1050, 1125, 5085, 1650});

    // Grey above white: an etched rule. Both run to x = 6120.
    Line1[1] = line(this, "Line1_1", {90, 2910, 6120 - 90, 15}, QColor(0x80, 0x80, 0x80));
    Line1[0] = line(this, "Line1_0", {105, 2940, 6120 - 105, 15}, Qt::white);

    lblDisclaimer = wrappedLabel(this, "lblDisclaimer", {255, 3105, 4350, 465});
    cmdOK = place<QPushButton>(this, "cmdOK", {4920, 3105, 1260, 345});
    cmdOK->setDefault(true);
    lblLanguage = wrappedLabel(this, "lblLanguage", {240, 3600, 855, 345});
    lblLanguage->setAlignment(Qt::AlignLeft | Qt::AlignVCenter); // level with the list's text
    cbLanguage = place<QComboBox>(this, "cbLanguage", {1080, 3600, 1575, 315});
    cbLanguage->setEditable(false);
    cmdSysInfo = place<QPushButton>(this, "cmdSysInfo", {3480, 3600, 1260, 345});
    Command1 = place<QPushButton>(this, "Command1", {4920, 3600, 1260, 345});
    // Enter closes the window from the first moment.
    cmdOK->setFocus();
}

} // namespace bladetrace
