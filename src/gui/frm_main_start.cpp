#include "base/app_error.h"
#include "base/app_info.h"
#include "distribution_chart.h"
#include "frm_main.h"
#include "settings/stored_settings.h"
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

    // A preview that cannot be shown ends the loading early, without a word.
    const QList<DistributionChart*> charts{ctlChordGraph, ctlBetaGraph, ctlPitchGraph};
    loading_ = true;
    try {
        host_->setBusyPointer(true);
        setWindowTitle(QStringLiteral("Bladetrace - loading..."));
        for (DistributionChart* chart : charts)
            chart->hide();
        setEnabled(false);
        show();
        ShowPreview(*imgPreview[0], txtTopFile->text());
        QCoreApplication::processEvents();
        ShowPreview(*imgPreview[1], txtSideFile->text());
    } catch (const Failure&) {
    }
    loading_ = false;
    for (DistributionChart* chart : charts)
        chart->show();
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
    // The window manager delivers a close even to the disabled window of the start-up, which
    // carries on after it: refuse it rather than shut down twice.
    if (loading_) {
        event->ignore();
        return;
    }
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
