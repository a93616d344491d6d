#pragma once

#include "platform/sys_info.h"

#include <QDialog>
#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace bladetrace {

class frmMain;

// The About window: icon, title, version, description, rights notice, the language list,
// help and system information. It keeps nothing of its own; the language it sets is the
// main window's.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // Loads the window at once: list filled, current language selected, captions written.
    explicit frmAbout(frmMain& main);

    void Form_Load();
    void SwitchLanguage();
    void cbLanguage_Click();
    void cmdOK_Click();
    void Command1_Click();
    void cmdSysInfo_Click();

    // The machine's pieces for the system-information tool, given the message to show when
    // there is none; replaceable so a test decides what the machine offers.
    std::function<platform::SysInfoPieces(std::function<void()> showNotAvailable)> sysInfoPieces =
        &platform::systemSysInfoPieces;

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    std::array<QWidget*, 2> Line1{};
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;
    QLabel* lblLanguage;
    QComboBox* cbLanguage;
    QPushButton* cmdSysInfo;
    QPushButton* Command1; // Help, though the main window's Command1 opens this window

private:
    void createControls();
    QString text(qint16 id) const;

    frmMain& main_;
};

} // namespace bladetrace
