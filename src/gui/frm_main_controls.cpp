#include "design_controls.h"
#include "distribution_chart.h"
#include "frm_main.h"
#include "performance_page.h"
#include "results/page_keys.h"
#include "results_grid.h"
#include "scan_preview.h"
#include "show_preview.h"
#include "tab_strip.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>

// The window's controls at their design positions. Captions that follow the language are
// written by SwitchLanguage; the texts here are the design ones.
namespace bladetrace {
namespace {

constexpr float kStatusBarHeight = 375;
constexpr float kStatusPanel2Width = 1200;
constexpr float kStatusPanel3Width = 3135; // the units box (2895) with room either side
// Between a right-aligned label's text and the control it names.
constexpr int kLabelGapPixels = 4;

QLabel* label(QWidget* parent, const char* name, const TwipsRect& design, bool rightAligned) {
    auto* l = place<QLabel>(parent, name, design);
    l->setAlignment((rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    return l;
}

QLineEdit* textBox(QWidget* parent, const char* name, const TwipsRect& design, const char* text) {
    auto* box = place<QLineEdit>(parent, name, design);
    box->setText(QString::fromLatin1(text));
    return box;
}

} // namespace

void frmMain::createControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(client);

    TabStrip1 = place<TabStrip>(client, "TabStrip1", {120, 120, 6375, 7095});
    TabStrip1->addTab(QLatin1String(pagekey::kSheet), QStringLiteral("Spreadsheet"));
    TabStrip1->addTab(QLatin1String(pagekey::kChord), QStringLiteral("Chord Distribution"));
    TabStrip1->addTab(QLatin1String(pagekey::kBeta), QStringLiteral("Twist Distribution"));
    TabStrip1->addTab(QLatin1String(pagekey::kPitch), QStringLiteral("Pitch Distribution"));
    TabStrip1->addTab(QLatin1String(pagekey::kPerformance), QStringLiteral("Performance"));
    grdTop = place<ResultsGrid>(client, "grdTop", {240, 600, 6135, 6015});
    const TwipsRect page{240, 600, 6135, 6015};
    ctlChordGraph = new DistributionChart(QLatin1String(pagekey::kChord), client);
    ctlBetaGraph = new DistributionChart(QLatin1String(pagekey::kBeta), client);
    ctlPitchGraph = new DistributionChart(QLatin1String(pagekey::kPitch), client);
    ctlChordGraph->setObjectName(QStringLiteral("ctlChordGraph"));
    ctlBetaGraph->setObjectName(QStringLiteral("ctlBetaGraph"));
    ctlPitchGraph->setObjectName(QStringLiteral("ctlPitchGraph"));
    ctlPerformance = new PerformancePage(client);
    ctlPerformance->setObjectName(QStringLiteral("ctlPerformance"));
    for (QWidget* chart : std::initializer_list<QWidget*>{ctlChordGraph, ctlBetaGraph,
                                                          ctlPitchGraph, ctlPerformance})
        chart->setGeometry(toPixels(page));
    btnCopy = place<QPushButton>(client, "btnCopy", {360, 6720, 855, 375});
    // Beside Copy; it follows Copy's top when the window changes size.
    btnSave = place<QPushButton>(client, "btnSave", {1335, 6720, 1095, 375});
    btnSave->setEnabled(false);
    picTop = place<QLabel>(client, "picTop", {120, 7440, 4215, 1215});
    picSide = place<QLabel>(client, "picSide", {4440, 7440, 4215, 1215});
    picTop->hide();
    picSide->hide();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFixedHeight(toPixels(kStatusBarHeight));
    setStatusBar(StatusBar1);
    statusPanel2 = new QLabel(StatusBar1);
    statusPanel2->setObjectName(QStringLiteral("StatusBar1_panel2"));
    statusPanel2->setFixedWidth(toPixels(kStatusPanel2Width));
    statusPanel3 = new QLabel(StatusBar1);
    statusPanel3->setObjectName(QStringLiteral("StatusBar1_panel3"));
    statusPanel3->setFixedWidth(toPixels(kStatusPanel3Width));
    StatusBar1->addPermanentWidget(statusPanel2);
    StatusBar1->addPermanentWidget(statusPanel3);

    // A control of the window, not of the status bar, lying over it.
    chkUnits = place<QCheckBox>(this, "chkUnits", {6600, 7200, 2895, 195});
    chkUnits->setText(QStringLiteral("use ye olde units (e.g. furlongs)"));
    chkUnits->raise();
    theTimer = new QTimer(this);
    theTimer->setObjectName(QStringLiteral("theTimer"));
    theTimer->setSingleShot(true);

    picGroup2 = place<QWidget>(client, "picGroup2", {6720, 120, 3255, 7095});
    QWidget* panel = picGroup2;
    Label2 = label(panel, "Label2", {120, 0, 2775, 255}, false);
    txtTopFile = textBox(panel, "txtTopFile", {120, 240, 2415, 285}, "");
    btnFileName[0] = place<QPushButton>(panel, "btnFileName_0", {2640, 240, 320, 300});
    imgPreview[0] = place<PreviewImage>(panel, "imgPreview_0", {120, 600, 2805, 615});
    Label3 = label(panel, "Label3", {120, 1320, 2775, 255}, false);
    txtSideFile = textBox(panel, "txtSideFile", {120, 1560, 2415, 285}, "");
    btnFileName[1] = place<QPushButton>(panel, "btnFileName_1", {2640, 1560, 320, 300});
    imgPreview[1] = place<PreviewImage>(panel, "imgPreview_1", {120, 1920, 2805, 615});
    Label1[kThresholdLabel] = label(panel, "Label1_0", {0, 2760, 1455, 255}, true);
    sldThreshold = place<QSlider>(panel, "sldThreshold", {1440, 2715, 1575, 300});
    sldThreshold->setOrientation(Qt::Horizontal);
    sldThreshold->setRange(0, 255);
    // The label's box reaches into the slider's; its text ends short of it.
    Label1[kThresholdLabel]->setContentsMargins(
        0, 0, Label1[kThresholdLabel]->geometry().right() + 1 - sldThreshold->x() + kLabelGapPixels,
        0);
    Label1[kDiameterLabel] = label(panel, "Label1_1", {120, 3120, 1455, 255}, true);
    txtDiameter = textBox(panel, "txtDiameter", {1680, 3120, 735, 285}, "0.185");
    Label1[kDiameterUnitLabel] = label(panel, "Label1_2", {2520, 3120, 735, 255}, false);
    Label1[kRpmLabel] = label(panel, "Label1_4", {120, 3480, 1455, 255}, true);
    txtRPM = textBox(panel, "txtRPM", {1680, 3480, 735, 285}, "15000");
    Label1[kRpmUnitLabel] = label(panel, "Label1_5", {2520, 3480, 735, 255}, false);
    Label1[kSpeedLabel] = label(panel, "Label1_7", {0, 3840, 1575, 255}, true);
    txtVelocity = textBox(panel, "txtVelocity", {1680, 3840, 735, 285}, "50.0");
    Label1[kSpeedUnitLabel] = label(panel, "Label1_6", {2520, 3840, 735, 255}, false);
    chkThicknessCorrection =
        place<QCheckBox>(panel, "chkThicknessCorrection", {0, 4320, 2295, 195});
    txtRootThickness = textBox(panel, "txtRootThickness", {2260, 4280, 375, 285}, "20");
    Label4 = label(panel, "Label4", {2750, 4320, 135, 255}, false);
    Label4->setText(QStringLiteral(":"));
    txtTipThickness = textBox(panel, "txtTipThickness", {2880, 4280, 375, 285}, "10");
    Command1 = place<QPushButton>(panel, "Command1", {120, 4680, 495, 495});
    btnGo = place<QPushButton>(panel, "btnGo", {1680, 4680, 1335, 495});
    Label1[kBusyLabel] = label(panel, "Label1_3", {120, 5280, 1695, 255}, false);
    Label1[kBusyLabel]->hide();
    picScroll = place<ScanPreview>(panel, "picScroll", {120, 5520, 2535, 1335});
    picScroll->hide();

    const QString diameterTip = QStringLiteral("The diameter of the propeller in meters.");
    for (QWidget* w : std::initializer_list<QWidget*>{txtDiameter, Label1[kDiameterLabel],
                                                      Label1[kDiameterUnitLabel]})
        w->setToolTip(diameterTip);
    const QString thresholdTip =
        QStringLiteral("Grays lighter than this value will be considered as white.");
    sldThreshold->setToolTip(thresholdTip);
    Label1[kThresholdLabel]->setToolTip(thresholdTip);
    const QString rpmTip = QStringLiteral("The propeller's speed in revolutions per minute.");
    for (QWidget* w :
         std::initializer_list<QWidget*>{txtRPM, Label1[kRpmLabel], Label1[kRpmUnitLabel]})
        w->setToolTip(rpmTip);
    const QString speedTip = QStringLiteral("The speed of the aircraft in flight.");
    for (QWidget* w :
         std::initializer_list<QWidget*>{txtVelocity, Label1[kSpeedUnitLabel], Label1[kSpeedLabel]})
        w->setToolTip(speedTip);
    chkThicknessCorrection->setToolTip(
        QStringLiteral("A correction for airfoil thickness gives more accurate results."));
    btnGo->setToolTip(QStringLiteral("Start the conversion."));
    Command1->setToolTip(QStringLiteral("Info about the program and help."));
    for (QPushButton* b : btnFileName)
        b->setToolTip(QStringLiteral("Search for image file."));
    imgPreview[0]->setToolTip(QStringLiteral("Preview Area for Top View."));
    imgPreview[1]->setToolTip(QStringLiteral("Preview Area for Side View."));
    picScroll->setToolTip(QStringLiteral("Working Progress Preview Area."));
    createAddedControls();
}

// The original controls fill the panel from the file boxes down to the Go button and leave
// the rest to the busy label and the scan preview. The threshold's number and Auto sit right
// of the busy label, the span matching box where the scan preview shows during the scans:
// it is hidden while they last.
void frmMain::createAddedControls() {
    QWidget* panel = picGroup2;
    txtThreshold = place<QSpinBox>(panel, "txtThreshold", {1860, 5235, 555, 285});
    txtThreshold->setRange(sldThreshold->minimum(), sldThreshold->maximum());
    txtThreshold->setButtonSymbols(QAbstractSpinBox::NoButtons);
    txtThreshold->setAlignment(Qt::AlignRight);
    txtThreshold->setToolTip(sldThreshold->toolTip());
    btnAuto = place<QPushButton>(panel, "btnAuto", {2520, 5235, 495, 285});
    btnAuto->setToolTip(QStringLiteral("Suggest a threshold from the two images."));
    chkMatchSpans = place<QCheckBox>(panel, "chkMatchSpans", {120, 5610, 2895, 195});
    chkMatchSpans->setToolTip(
        QStringLiteral("Crop both views to the blade and scale the shorter span to the longer."));
    btnSave->setToolTip(QStringLiteral("Save the results of the last completed run."));
}

} // namespace bladetrace
