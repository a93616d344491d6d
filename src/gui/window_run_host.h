#pragma once

#include "run/run_host.h"

namespace bladetrace {

class frmMain;

// The run's view of the main window: inputs from its controls, progress into its status
// bar, preview strip, grid, charts and message boxes.
class WindowRunHost final : public RunHost {
public:
    explicit WindowRunHost(frmMain& window) : w_(window) {}

    // ReportHost
    qint32 lLanguage() const override;
    void setBusyPointer(bool busy) override;
    void showStatus(const QString& text) override;
    void showMessage(const QString& text, MessageIcon icon, const QString& title) override;

    // ScanHost
    bool abortAsked() override;
    void scanStarted(const ScanHolder& holder) override;
    void columnScanned(const ScanHolder& holder, int x) override;

    // SectionHost
    bool thicknessCorrection() override;
    QString rootThicknessText() override;
    QString tipThicknessText() override;
    void putOnClipboard(const QString& text) override;

    // RunHost
    qint32 thresholdValue() override;
    QString diameterText() override;
    QString rpmText() override;
    QString velocityText() override;
    bool imperialUnits() override;
    QString topFileName() override;
    QString sideFileName() override;
    void processEvents() override;
    void setScanPreviewVisible(bool visible) override;
    void prepareSheet() override;
    void setSheetHeader(const QStringList& headers, const QStringList& sampleTexts) override;
    void appendSheetRow(const QString& tabSeparatedCells) override;
    void showCharts(const ChartSet& charts) override;
    bool matchSpansChecked() override;
    void showPreparationNote(const QString& note) override;
    void resultsReady(const RunResults& results) override;

private:
    frmMain& w_;
};

} // namespace bladetrace
