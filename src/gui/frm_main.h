#pragma once

#include "open_image_dialog.h"
#include "run/calc_it.h"
#include "show_preview.h"
#include "text/string_table.h"

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QStatusBar;
class QTimer;

namespace bladetrace {

class Dialogs;
class DistributionChart;
class ResultsGrid;
class ScanPreview;
class StoredSettings;
class TabStrip;
class WindowRunHost;

// The program's working window: inputs on the right, results on tabs on the left, status
// along the bottom. Controls carry their design names, as do the handlers. It starts from
// `settings` and writes them back when it closes.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(Dialogs& dialogs, StoredSettings& settings, QWidget* parent = nullptr);
    ~frmMain() override;

    void Form_Load();
    void InitializeApp();
    void TerminateApp();
    void SwitchLanguage();
    void Form_Resize();
    void theTimer_Timer();
    void TabStrip1_Click();
    void Form_KeyPress(qint16 KeyAscii);
    void btnGo_Click();
    void btnCopy_Click();
    void btnFileName_Click(int Index);
    void ShowPreview(PreviewImage& image, const QString& fileName);
    void chkUnits_Click();
    void Command1_Click();

    // How the last run ended; nothing before the first.
    std::optional<RunOutcome> lastOutcome() const { return lastOutcome_; }
    Dialogs& dialogs() const { return dialogs_; }
    // The user closed the window during a run, which now stops and closes it.
    bool closeRequested() const { return closeAfterRun_; }

    qint32 lLanguage = kEnglish;
    bool bAbort = false;

    TabStrip* TabStrip1;
    ResultsGrid* grdTop;
    DistributionChart* ctlChordGraph;
    DistributionChart* ctlBetaGraph;
    DistributionChart* ctlPitchGraph;
    QPushButton* btnCopy;
    QLabel* picTop;
    QLabel* picSide;
    QStatusBar* StatusBar1; // panel 1 is the status bar's own message
    QLabel* statusPanel2;
    QLabel* statusPanel3;
    QCheckBox* chkUnits;
    QTimer* theTimer;
    QWidget* picGroup2;
    QLabel* Label2;
    QLineEdit* txtTopFile;
    std::array<QPushButton*, 2> btnFileName{};
    std::array<PreviewImage*, 2> imgPreview{};
    QLabel* Label3;
    QLineEdit* txtSideFile;
    std::array<QLabel*, 8> Label1{};
    QSlider* sldThreshold;
    QLineEdit* txtDiameter;
    QLineEdit* txtRPM;
    QLineEdit* txtVelocity;
    QCheckBox* chkThicknessCorrection;
    QLineEdit* txtRootThickness;
    QLabel* Label4;
    QLineEdit* txtTipThickness;
    QPushButton* Command1;
    QPushButton* btnGo;
    ScanPreview* picScroll;
    OpenImageDialog ctlOpenImage;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    QString text(qint16 id) const { return LoadLangResString(lLanguage, id); }

    Dialogs& dialogs_;
    StoredSettings& settings_;
    std::unique_ptr<WindowRunHost> host_;
    std::optional<RunOutcome> lastOutcome_;
    bool loading_ = false;
    bool running_ = false;
    bool closeAfterRun_ = false;
};

} // namespace bladetrace
