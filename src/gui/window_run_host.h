#pragma once

#include "run/run_host.h"

namespace bladetrace {

class frmMain;

// The run's view of the main window: inputs from its controls, progress into its status
// bar and preview strip, results into its grid, charts and message boxes.
class WindowRunHost final : public RunInputs, public RunProgress, public RunOutput {
public:
    explicit WindowRunHost(frmMain& window) : w_(window) {}

    RunHost host() { return {*this, *this, *this}; }

    // ReportHost
    qint32 lLanguage() const override;
    void setBusyPointer(bool busy) override;
    void showStatus(const QString& text) override;
    void showMessage(const QString& text, MessageIcon icon, const QString& title) override;

    // ScanHost
    bool abortAsked() override;
    void scanStarted(const ScanHolder& holder) override;
    void columnScanned(const ScanHolder& holder, int x) override;

    // RunInputs
    bool thicknessCorrection() override;
    QString rootThicknessText() override;
    QString tipThicknessText() override;
    qint32 thresholdValue() override;
    QString diameterText() override;
    QString rpmText() override;
    QString velocityText() override;
    bool imperialUnits() override;
    QString topFileName() override;
    QString sideFileName() override;
    bool matchSpans() override;
    bool thresholdSuggested() override;

    // RunProgress
    void processEvents() override;
    void setScanPreviewVisible(bool visible) override;
    std::optional<bool> askQuestion(const QString& question) override;

    // RunOutput
    void putOnClipboard(const QString& text) override;
    void prepareSheet() override;
    void setSheetHeader(const QStringList& headers, const QStringList& sampleTexts) override;
    void appendSheetRow(const QString& tabSeparatedCells) override;
    void showCharts(const ChartSet& charts) override;
    void showPreparationNote(const QString& note) override;
    void showRunNotes(const QStringList& notes) override;
    // Save may ask for a report at any time until the next run.
    bool wantsReportPictures() const override { return true; }
    void resultsReady(const RunResults& results) override;

private:
    void showAfterStatus(const QString& text);

    frmMain& w_;
};

} // namespace bladetrace
