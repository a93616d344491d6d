#pragma once

#include "batch_options.h"
#include "performance/qprop_polar.h"
#include "run/fixed_inputs.h"

#include <cstdio>
#include <optional>

namespace bladetrace::cli {

// The --polar file as QPROP reads it, or in `error` why it cannot be used, naming the file
// and, where one is at fault, the line.
struct PolarFile {
    std::optional<QpropPolarFile> file;
    QString error;
};
PolarFile readPolarFile(const QString& path);

// The run's inputs from the options: texts as typed, read as the window reads its boxes. A
// QPROP file's polar replaces the program's, and its blade count stands unless --blades is
// given.
FixedInputs inputsOf(const BatchOptions& options,
                     const std::optional<QpropPolarFile>& polar = std::nullopt);

// The run's progress and output on the command line: the spreadsheet to standard output,
// messages and progress to standard error.
class BatchHost : public RunProgress, public RunOutput {
public:
    BatchHost(const BatchOptions& options, std::FILE* out, std::FILE* err);

    const QString& clipboardText() const { return clipboard_; }
    const ChartSet* charts() const { return charts_ ? &*charts_ : nullptr; }
    const RunResults* results() const { return results_ ? &*results_ : nullptr; }
    // Flushes the spreadsheet; 0, or the system's error number of the first failed write.
    int finishSheet();

    // RunProgress
    qint32 lLanguage() const override { return languageNumber(options_.language); }
    void showStatus(const QString& text) override;
    void showMessage(const QString& text, MessageIcon icon, const QString& title) override;
    bool abortAsked() override;
    void scanStarted(const ScanHolder& holder) override;
    void columnScanned(const ScanHolder& holder, int x) override;
    bool wantsMarks() const override { return false; }

    // RunOutput
    void setSheetHeader(const QStringList& headers, const QStringList& sampleTexts) override;
    void appendSheetRow(const QString& tabSeparatedCells) override;
    void putOnClipboard(const QString& text) override { clipboard_ = text; }
    void showCharts(const ChartSet& set) override { charts_ = set; }
    void showPreparationNote(const QString& note) override;
    void showRunNotes(const QStringList& notes) override;
    bool wantsReportPictures() const override;
    void resultsReady(const RunResults& results) override { results_ = results; }

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
