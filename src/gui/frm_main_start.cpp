#include "base/app_error.h"
#include "base/app_info.h"
#include "distribution_chart.h"
#include "frm_main.h"
#include "settings/stored_settings.h"
#include "start_previews.h"
#include "text/error_report.h"
#include "window_run_host.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

// The window's life: from the stored settings to the ready window, and back at the end.
namespace bladetrace {
namespace {

constexpr int kThresholdAtStart = 110;

// Joined by the platform's own separator: a backslash would be part of the file's name on
// systems where it does not separate folders.
QString besideProgram(const char* fileName) {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                                    QLatin1String(fileName));
}

} // namespace

void frmMain::Form_Load() {
    try {
        InitializeApp();
        for (DistributionChart* chart : {ctlChordGraph, ctlBetaGraph, ctlPitchGraph})
            chart->setInitial();
        sldThreshold->setValue(kThresholdAtStart);
        TabStrip1_Click();
    } catch (const Failure& failure) {
        ErrorHandler(*host_, failure.error(), QStringLiteral("Form_Load()"));
    }
}

void frmMain::InitializeApp() {
    lLanguage = languageNumber(settings_.language());
    SwitchLanguage();
    // Units before the values: a stored imperial value must not be converted again.
    chkUnits->setChecked(settings_.units() != 0);
    txtDiameter->setText(settings_.diameter());
    txtVelocity->setText(settings_.velocity());
    txtRPM->setText(settings_.rpm());
    txtTopFile->setText(besideProgram("pylon 1.bmp"));
    txtSideFile->setText(besideProgram("pylon 2.bmp"));
    txtTopFile->setText(settings_.topFile(txtTopFile->text()));
    txtSideFile->setText(settings_.sideFile(txtSideFile->text()));
    chkMatchSpans->setChecked(settings_.matchSpans());
    saveFolder_ = settings_.saveFolder();

    // The window shows at once, disabled, while the remembered pictures load off the event
    // thread; finishLoading enables it when both are in. A picture that cannot be shown ends
    // the loading early, without a word.
    loading_ = true;
    host_->setBusyPointer(true);
    setWindowTitle(QStringLiteral("Bladetrace - loading..."));
    for (DistributionChart* chart : {ctlChordGraph, ctlBetaGraph, ctlPitchGraph})
        chart->hide();
    setEnabled(false);
    show();
    previewFile_ = {txtTopFile->text(), txtSideFile->text()};
    startPreviews_ = std::make_unique<StartPreviews>(previewFile_);
    connect(startPreviews_.get(), &StartPreviews::finished, this, &frmMain::finishLoading);
    startPreviews_->start();
}

void frmMain::finishLoading() {
    // A view set meanwhile (the command line's) keeps the picture it was given.
    for (std::size_t i = 0; i < imgPreview.size(); ++i) {
        const StartPreviews::Preview& preview = startPreviews_->previews()[i];
        if (preview.fileName != previewFile_[i])
            continue;
        if (!preview.loaded) {
            imgPreview[i]->hide();
            break;
        }
        showLoadedPreview(*imgPreview[i], preview.picture);
    }
    startPreviews_.reset();
    loading_ = false;
    TabStrip1_Click(); // the charts were hidden while loading; the tab's page shows
    setEnabled(true);
    host_->setBusyPointer(false);
    setWindowTitle(appTitle());
}

void frmMain::TerminateApp() {
    settings_.writeAll(languageOf(lLanguage), chkUnits->isChecked() ? 1 : 0, txtDiameter->text(),
                       txtRPM->text(), txtVelocity->text(), txtTopFile->text(),
                       txtSideFile->text());
    settings_.writeAdded(chkMatchSpans->isChecked(), saveFolder_);
}

void frmMain::closeEvent(QCloseEvent* event) {
    // A run still uses the window: it stops at its next column and the window closes after.
    if (running_) {
        bAbort = true;
        closeAfterRun_ = true;
        event->ignore();
        return;
    }
    TerminateApp();
    event->accept();
}

} // namespace bladetrace
