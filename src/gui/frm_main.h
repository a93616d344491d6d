#pragma once

#include "open_image_dialog.h"
#include "results/run_results.h"
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
class QSpinBox;
class QStatusBar;
class QTimer;

namespace bladetrace {

class Dialogs;
class DistributionChart;
class ResultsGrid;
class ScanPreview;
class StartPreviews;
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
    void chkUnits_Click();
    void Command1_Click();
    void btnAuto_Click();
    void btnSave_Click();
    // Puts a view's file into its path box and shows its preview, as Browse does once the
    // dialog has closed: a file that is no picture hides the preview, without a word.
    void SetImageFile(int Index, const QString& fileName);
    // A path box that lost the focus or took Enter: its preview shows the picture it names
    // now, or nothing.
    void txtFileName_EditingFinished(int Index);
    // The record of a completed run, which Save writes until the next completed run.
    void keepResults(const RunResults& results);

    // How the last run ended; nothing before the first.
    std::optional<RunOutcome> lastOutcome() const { return lastOutcome_; }
    Dialogs& dialogs() const { return dialogs_; }
    // The threshold is the one Auto suggested for the two views in the boxes.
    bool thresholdFromAuto() const { return thresholdFromAuto_; }
    // The user closed the window during a run, which now stops and closes it.
    bool closeRequested() const { return closeAfterRun_; }
    // The start-up still loads the remembered pictures; the window takes no input meanwhile.
    bool loading() const { return loading_; }

    qint32 lLanguage = languageNumber(Language::English);
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
    // Label1's slots, as the window has always numbered them.
    enum Label1Slot {
        kThresholdLabel = 0,
        kDiameterLabel = 1,
        kDiameterUnitLabel = 2,
        kBusyLabel = 3,
        kRpmLabel = 4,
        kRpmUnitLabel = 5,
        kSpeedUnitLabel = 6,
        kSpeedLabel = 7,
    };
    std::array<QLabel*, 8> Label1{};
    QSlider* sldThreshold;
    QLineEdit* txtDiameter;
    QLineEdit* txtRPM;
    QLineEdit* txtVelocity;
    QCheckBox* chkThicknessCorrection;
    QLineEdit* txtRootThickness;
    QLabel* Label4;
    QLineEdit* txtTipThickness;
    QPushButton* Command1; // the "?" button that opens the About window (Help on that one)
    QPushButton* btnGo;
    ScanPreview* picScroll;
    OpenImageDialog ctlOpenImage;
    // Added beside the original controls.
    QCheckBox* chkMatchSpans;
    QSpinBox* txtThreshold; // sldThreshold's value as a number, both ways
    QPushButton* btnAuto;
    QPushButton* btnSave;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createAddedControls();
    void connectHandlers();
    QString text(qint16 id) const { return LoadLangResString(lLanguage, id); }
    // 0 top view, 1 side view: the preview or path box under `pos`; -1 elsewhere.
    int viewAt(const QPoint& pos) const;
    // Files dragged over `receiver`, a control of the window or the window itself; true
    // when the event was one of those and is done with.
    bool viewDropEvent(QWidget* receiver, QEvent* event);
    FileRequest saveRequest(bool chartInView) const;
    QString regionalCsvFilter() const;
    // The remembered pictures are in: the previews show them and the window is ready.
    void finishLoading();

    Dialogs& dialogs_;
    StoredSettings& settings_;
    std::unique_ptr<WindowRunHost> host_;
    std::unique_ptr<StartPreviews> startPreviews_;
    std::optional<RunOutcome> lastOutcome_;
    std::optional<RunResults> results_;
    QString saveFolder_;
    std::array<QString, 2> previewFile_; // the name each preview was last given
    bool thresholdFromAuto_ = false;
    bool loading_ = false;
    bool running_ = false;
    bool closeAfterRun_ = false;
};

} // namespace bladetrace
