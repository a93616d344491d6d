#include "frm_about.h"

#include "base/app_error.h"
#include "base/app_info.h"
#include "caption_fit.h"
#include "design_controls.h"
#include "dialogs.h"
#include "frm_main.h"
#include "platform/help.h"
#include "text/string_table.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>

namespace bladetrace {
namespace {

// The same in both languages and never translated.
const char* const kRightsNotice = "\u00a9 The Bladetrace developers. No warranty.";

// Smaller type rather than lost lines: the box is fixed and the German text is longer.
void fitToBox(QLabel& label) {
    QFont font = label.font();
    for (qreal points = kDesignFontPoints; points > kSmallestFontPoints; points -= 0.5) {
        font.setPointSizeF(points);
        const QRect needed =
            QFontMetrics(font).boundingRect(QRect(0, 0, label.width(), QWIDGETSIZE_MAX),
                                            Qt::AlignLeft | Qt::TextWordWrap, label.text());
        if (needed.height() <= label.height())
            break;
    }
    label.setFont(font);
}

} // namespace

frmAbout::frmAbout(frmMain& main) : QDialog(&main), main_(main) {
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    useDesignFont(*this);
    createControls();
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    connect(cbLanguage, &QComboBox::currentIndexChanged, this, &frmAbout::cbLanguage_Click);
    Form_Load();
}

QString frmAbout::text(qint16 id) const {
    return LoadLangResString(main_.lLanguage, id);
}

void frmAbout::Form_Load() {
    {
        // Selecting the current language is no choice of the user's.
        const QSignalBlocker quiet(cbLanguage);
        cbLanguage->clear();
        cbLanguage->addItems({QStringLiteral("English"), QStringLiteral("Deutsch")});
        cbLanguage->setCurrentIndex(main_.lLanguage - 1);
    }
    // A language without a table leaves the captions as they are.
    try {
        SwitchLanguage();
    } catch (const Failure&) {
    }
}

// The window's captions in a fixed order, then the main window's.
void frmAbout::SwitchLanguage() {
    Command1->setText(text(str::kHelpButton));
    cmdOK->setText(text(str::kOk));
    cmdSysInfo->setText(text(str::kSysInfoButton));
    setWindowTitle(text(str::kInfoAbout) + QLatin1Char(' ') + appTitle());
    const AppVersion version = appVersion();
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(version.major)
                            .arg(version.minor)
                            .arg(version.revision));
    lblTitle->setText(appTitle());
    QStringList paragraphs;
    for (qint16 n = str::kDescription1; n <= str::kDescription4; ++n)
        paragraphs << text(n);
    lblDescription->setText(paragraphs.join(kCrLf));
    fitToBox(*lblDescription);
    lblDisclaimer->setText(QString::fromUtf8(kRightsNotice));
    lblLanguage->setText(text(str::kLanguage));
    fitCaptions(*this);
    main_.SwitchLanguage();
}

void frmAbout::cbLanguage_Click() {
    if (cbLanguage->currentIndex() < 0)
        return;
    main_.lLanguage = cbLanguage->currentIndex() + 1;
    SwitchLanguage();
}

void frmAbout::cmdOK_Click() {
    accept();
}

// The viewer alone reports a missing file.
void frmAbout::Command1_Click() {
    platform::showHelpContents(this, platform::helpFilePath(), languageOf(main_.lLanguage));
}

void frmAbout::cmdSysInfo_Click() {
    platform::StartSysInfo(sysInfoPieces([this] {
        main_.dialogs().message(this, text(str::kSysInfoMissing), MessageIcon::None, appTitle());
    }));
}

} // namespace bladetrace
