#include "window_run_host.h"

#include "base/app_info.h"
#include "dialogs.h"
#include "distribution_chart.h"
#include "frm_main.h"
#include "results/sheet.h"
#include "results_grid.h"
#include "scan_preview.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QSlider>
#include <QStatusBar>

namespace bladetrace {

qint32 WindowRunHost::lLanguage() const {
    return w_.lLanguage;
}

// The main window's pointer only: message boxes and dialogs over it keep their own.
void WindowRunHost::setBusyPointer(bool busy) {
    if (busy)
        w_.setCursor(Qt::WaitCursor);
    else
        w_.unsetCursor();
}

void WindowRunHost::showStatus(const QString& text) {
    w_.StatusBar1->setToolTip(QString());
    w_.StatusBar1->showMessage(text);
    w_.StatusBar1->repaint();
}

// A run stopped because the user closed the window ends without a word.
void WindowRunHost::showMessage(const QString& text, MessageIcon icon, const QString& title) {
    if (w_.closeRequested())
        return;
    w_.dialogs().message(&w_, text, icon, title.isEmpty() ? appTitle() : title);
}

bool WindowRunHost::abortAsked() {
    return w_.bAbort;
}

void WindowRunHost::scanStarted(const ScanHolder& holder) {
    w_.picScroll->startScan(holder.image());
}

void WindowRunHost::columnScanned(const ScanHolder& holder, int x) {
    w_.picScroll->showColumn(holder.image(), x);
    QCoreApplication::processEvents();
}

bool WindowRunHost::thicknessCorrection() {
    return w_.chkThicknessCorrection->isChecked();
}
QString WindowRunHost::rootThicknessText() {
    return w_.txtRootThickness->text();
}
QString WindowRunHost::tipThicknessText() {
    return w_.txtTipThickness->text();
}

void WindowRunHost::putOnClipboard(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

qint32 WindowRunHost::thresholdValue() {
    return w_.sldThreshold->value();
}
QString WindowRunHost::diameterText() {
    return w_.txtDiameter->text();
}
QString WindowRunHost::rpmText() {
    return w_.txtRPM->text();
}
QString WindowRunHost::velocityText() {
    return w_.txtVelocity->text();
}
bool WindowRunHost::imperialUnits() {
    return w_.chkUnits->isChecked();
}
QString WindowRunHost::topFileName() {
    return w_.txtTopFile->text();
}
QString WindowRunHost::sideFileName() {
    return w_.txtSideFile->text();
}

void WindowRunHost::processEvents() {
    QCoreApplication::processEvents();
}

void WindowRunHost::setScanPreviewVisible(bool visible) {
    w_.picScroll->setVisible(visible);
    // The box lies where the strip shows.
    w_.chkMatchSpans->setVisible(!visible);
}

void WindowRunHost::prepareSheet() {
    w_.grdTop->setShape(1, kSheetColumns);
}

void WindowRunHost::setSheetHeader(const QStringList& headers, const QStringList& sampleTexts) {
    ResultsGrid& grid = *w_.grdTop;
    for (int c = 0; c < headers.size(); ++c)
        grid.setCellText(0, c, headers[c]);
    for (int c = 0; c < grid.columnCount(); ++c)
        grid.setColumnCentredTop(c);
    const QFontMetricsF metrics(w_.font());
    for (int c = 0; c < sampleTexts.size(); ++c)
        grid.setColumnWidth(c, qRound(metrics.horizontalAdvance(sampleTexts[c])));
}

void WindowRunHost::appendSheetRow(const QString& tabSeparatedCells) {
    w_.grdTop->appendRow(tabSeparatedCells);
}

void WindowRunHost::showCharts(const ChartSet& charts) {
    for (DistributionChart* chart : {w_.ctlChordGraph, w_.ctlBetaGraph, w_.ctlPitchGraph}) {
        for (const ChartSeries& series : charts) {
            if (series.key == chart->key())
                chart->fill(series);
        }
    }
}

bool WindowRunHost::matchSpans() {
    return w_.chkMatchSpans->isChecked();
}

bool WindowRunHost::thresholdSuggested() {
    return w_.thresholdFromAuto();
}

// A run stopped because the user closed the window asks nothing more.
std::optional<bool> WindowRunHost::askQuestion(const QString& question) {
    if (w_.closeRequested())
        return false;
    return w_.dialogs().question(&w_, question, appTitle());
}

// Beside the run's last status text, which stays in view; the whole line is also the status
// bar's tool tip, for a window too narrow to show it.
void WindowRunHost::showPreparationNote(const QString& note) {
    showAfterStatus(QStringLiteral(" (") + note + QLatin1Char(')'));
}

void WindowRunHost::showRunNotes(const QStringList& notes) {
    showAfterStatus(QLatin1Char(' ') + notes.join(QLatin1Char(' ')));
}

void WindowRunHost::showAfterStatus(const QString& text) {
    const QString line = w_.StatusBar1->currentMessage() + text;
    w_.StatusBar1->showMessage(line);
    w_.StatusBar1->setToolTip(line);
}

void WindowRunHost::resultsReady(const RunResults& results) {
    w_.keepResults(results);
}

} // namespace bladetrace
