#include "frm_main.h"

#include "base/app_error.h"
#include "design_controls.h"
#include "dialogs.h"
#include "distribution_chart.h"
#include "form_layout.h"
#include "frm_about.h"
#include "program_icon.h"
#include "results/page_keys.h"
#include "results_grid.h"
#include "scan_preview.h"
#include "show_preview.h"
#include "start_previews.h"
#include "tab_strip.h"
#include "text/units.h"
#include "window_run_host.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

namespace bladetrace {
namespace {

constexpr float kDesignClientWidth = 10140;
constexpr float kDesignClientHeight = 7725;
constexpr int kUnitsTimerMs = 100;
constexpr qint16 kEscape = 27;

} // namespace

frmMain::frmMain(Dialogs& dialogs, StoredSettings& settings, QWidget* parent)
    : QMainWindow(parent), ctlOpenImage(dialogs), dialogs_(dialogs), settings_(settings),
      host_(std::make_unique<WindowRunHost>(*this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(programIcon());
    useDesignFont(*this);
    createControls();
    connectHandlers();
    resize(toPixels(kDesignClientWidth), toPixels(kDesignClientHeight));
    SwitchLanguage();
    setAcceptDrops(true);
    // Key preview: Escape must reach the window whichever control has the focus.
    qApp->installEventFilter(this);
}

frmMain::~frmMain() {
    qApp->removeEventFilter(this);
}

void frmMain::connectHandlers() {
    connect(TabStrip1, &TabStrip::clicked, this, &frmMain::TabStrip1_Click);
    connect(theTimer, &QTimer::timeout, this, &frmMain::theTimer_Timer);
    connect(btnGo, &QPushButton::clicked, this, &frmMain::btnGo_Click);
    connect(btnCopy, &QPushButton::clicked, this, &frmMain::btnCopy_Click);
    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(chkUnits, &QCheckBox::toggled, this, &frmMain::chkUnits_Click);
    for (int i = 0; i < int(btnFileName.size()); ++i)
        connect(btnFileName[std::size_t(i)], &QPushButton::clicked, this,
                [this, i] { btnFileName_Click(i); });
    connect(txtTopFile, &QLineEdit::editingFinished, this,
            [this] { txtFileName_EditingFinished(0); });
    connect(txtSideFile, &QLineEdit::editingFinished, this,
            [this] { txtFileName_EditingFinished(1); });
    connect(btnAuto, &QPushButton::clicked, this, &frmMain::btnAuto_Click);
    // A threshold moved by hand is no longer Auto's.
    connect(sldThreshold, &QSlider::valueChanged, this, [this] { thresholdFromAuto_ = false; });
    connect(btnSave, &QPushButton::clicked, this, &frmMain::btnSave_Click);
    // The number and the slider show one value; setting either to it again signals nothing.
    connect(sldThreshold, &QSlider::valueChanged, txtThreshold, &QSpinBox::setValue);
    connect(txtThreshold, qOverload<int>(&QSpinBox::valueChanged), sldThreshold,
            &QSlider::setValue);
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::Form_Resize() {
    FormMetrics m;
    m.W = toTwips(width());
    m.H = toTwips(height());
    m.statusBarHeight = toTwips(StatusBar1->height());
    m.tabHeaderHeight = toTwips(TabStrip1->headerHeight());
    m.picGroup2Width = toTwips(picGroup2->width());
    m.btnCopyHeight = toTwips(btnCopy->height());
    const FormLayout l = formResizeLayout(m);

    TabStrip1->setGeometry(toPixels(l.TabStrip1));
    btnCopy->move(btnCopy->x(), toPixels(l.btnCopyTop));
    btnSave->move(btnSave->x(), btnCopy->y());
    const QRect page = toPixels(l.grdTop);
    grdTop->setGeometry(page);
    for (DistributionChart* chart : {ctlBetaGraph, ctlChordGraph, ctlPitchGraph})
        chart->setGeometry(chart->x(), page.y(), page.width(), page.height());
    picGroup2->setGeometry(toPixels(l.picGroup2));
    theTimer->start(kUnitsTimerMs);
}

void frmMain::theTimer_Timer() {
    const int panel3Left = statusPanel3->mapTo(StatusBar1, QPoint(0, 0)).x();
    const UnitsCheckPlace place = unitsCheckPlace(toTwips(StatusBar1->geometry()),
                                                  toTwips(panel3Left), toTwips(chkUnits->height()));
    chkUnits->move(toPixels(place.left), toPixels(place.top));
    theTimer->stop();
}

void frmMain::TabStrip1_Click() {
    const QString key = TabStrip1->selectedKey();
    const std::pair<const char*, QWidget*> pages[] = {{pagekey::kSheet, grdTop},
                                                      {pagekey::kChord, ctlChordGraph},
                                                      {pagekey::kBeta, ctlBetaGraph},
                                                      {pagekey::kPitch, ctlPitchGraph}};
    const bool known = std::any_of(std::begin(pages), std::end(pages), [&](const auto& page) {
        return key == QLatin1String(page.first);
    });
    if (!known)
        return;
    for (const auto& [pageKey, control] : pages)
        control->setVisible(key == QLatin1String(pageKey));
}

void frmMain::Form_KeyPress(qint16 KeyAscii) {
    if (KeyAscii == kEscape)
        bAbort = true;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != this)
        return QMainWindow::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if ((type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) &&
        viewDropEvent(static_cast<QWidget*>(watched), event))
        return true;
    // A key a child ignores climbs to its parents and passes here again; setting the flag
    // twice does no harm.
    if (type == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape)
            Form_KeyPress(kEscape);
        else if (!key->text().isEmpty())
            Form_KeyPress(qint16(key->text().at(0).unicode()));
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::btnGo_Click() {
    if (running_)
        return;
    // The views measured are the views shown: a name typed and not yet confirmed shows now.
    for (int i = 0; i < int(imgPreview.size()); ++i)
        txtFileName_EditingFinished(i);
    running_ = true;
    btnGo->setEnabled(false);
    // The run has read the threshold by the time the user could press Auto.
    btnAuto->setEnabled(false);
    bAbort = false;
    Label1[kBusyLabel]->setVisible(true);
    struct Finish {
        frmMain& w;
        ~Finish() {
            w.Label1[kBusyLabel]->setVisible(false);
            w.btnGo->setEnabled(true);
            w.btnAuto->setEnabled(true);
            w.running_ = false;
            // The user closed the window during the run; the run has stopped, now close.
            if (w.closeAfterRun_)
                QMetaObject::invokeMethod(
                    &w, [window = &w] { window->close(); }, Qt::QueuedConnection);
        }
    } finish{*this};
    lastOutcome_ = CalcIt(host_->host());
}

void frmMain::btnCopy_Click() {
    const QString key = TabStrip1->selectedKey();
    if (key == QLatin1String(pagekey::kSheet)) {
        grdTop->setCurrentCell(0, 0);
        grdTop->setSelectionCorner(grdTop->rowCount() - 1, grdTop->columnCount() - 1);
        host_->putOnClipboard(grdTop->selectionText());
        grdTop->setSelectionCorner(0, 0);
        return;
    }
    for (DistributionChart* chart : {ctlChordGraph, ctlBetaGraph, ctlPitchGraph}) {
        if (key == chart->key())
            QGuiApplication::clipboard()->setMimeData(chart->copyData());
    }
}

void frmMain::chkUnits_Click() {
    // A box that holds no number stays as it is; so does everything if the language is
    // broken.
    try {
        const UnitBoxes boxes =
            switchUnits(chkUnits->isChecked(), txtDiameter->text(), txtVelocity->text(), lLanguage);
        Label1[kDiameterUnitLabel]->setText(boxes.diameterUnit);
        txtDiameter->setText(boxes.diameter);
        Label1[kSpeedUnitLabel]->setText(boxes.velocityUnit);
        txtVelocity->setText(boxes.velocity);
    } catch (const Failure&) {
    }
}

// A fresh About window each time, so it always opens on the current language.
void frmMain::Command1_Click() {
    frmAbout about(*this);
    dialogs_.showAbout(about);
}

} // namespace bladetrace
