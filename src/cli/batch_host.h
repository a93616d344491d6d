#pragma once

#include "batch_options.h"
#include "run/run_host.h"

#include <cstdio>

namespace bladetrace::cli {

// The run's host for the command line: inputs from the options, the spreadsheet to
// standard output, messages and progress to standard error.
class BatchHost : public RunHost {
public:
    BatchHost(const BatchOptions& options, std::FILE* out, std::FILE* err);

    const QString& clipboardText() const { return clipboard_; }
    const ChartSet* charts() const { return charts_ ? &*charts_ : nullptr; }
    const RunResults* results() const { return results_ ? &*results_ : nullptr; }
    // Flushes the spreadsheet; 0, or the system's error number of the first failed write.
    int finishSheet();

    qint32 lLanguage() const override { return options_.language; }
    void setBusyPointer(bool) override {}
    void showStatus(const QString& text) override;
    void showMessage(const QString& text, MessageIcon icon, const QString& title) override;

    bool abortAsked() override;
    void scanStarted(const ScanHolder& holder) override;
    void columnScanned(const ScanHolder& holder, int x) override;
    bool wantsMarks() const override { return false; }

    bool thicknessCorrection() override { return options_.thickness; }
    QString rootThicknessText() override { return options_.rootThickness; }
    QString tipThicknessText() override { return options_.tipThickness; }
    void putOnClipboard(const QString& text) override { clipboard_ = text; }

    qint32 thresholdValue() override { return options_.threshold; }
    QString diameterText() override { return options_.diameter; }
    QString rpmText() override { return options_.rpm; }
    QString velocityText() override { return options_.speed; }
    bool imperialUnits() override { return options_.imperial; }
    QString topFileName() override { return options_.topFile; }
    QString sideFileName() override { return options_.sideFile; }

    void processEvents() override {}
    void setScanPreviewVisible(bool) override {}
    void prepareSheet() override {}
    void setSheetHeader(const QStringList& headers, const QStringList& sampleTexts) override;
    void appendSheetRow(const QString& tabSeparatedCells) override;
    void showCharts(const ChartSet& set) override { charts_ = set; }
    void resultsReady(const RunResults& results) override { results_ = results; }
    bool matchSpansChecked() override { return options_.matchSpans; }
    bool autoThreshold() override { return options_.autoThreshold; }
    void showPreparationNote(const QString& note) override;

private:
    void writeLine(std::FILE* stream, const QString& text);
    void clearProgress();

    const BatchOptions& options_;
    std::FILE* out_;
    std::FILE* err_;
    bool progress_;
    QString status_;
    int columns_ = 0;
    int shownPercent_ = -1;
    bool progressShown_ = false;
    int sheetError_ = 0;
    QString clipboard_;
    std::optional<ChartSet> charts_;
    std::optional<RunResults> results_;
};

} // namespace bladetrace::cli
