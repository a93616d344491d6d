#pragma once

#include "run/fixed_inputs.h"
#include "text/string_table.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace bladetrace::testing {

// Stands in for the window: inputs are plain fields, what the run shows is recorded.
class RecordingHost : public FixedInputs, public RunProgress, public RunOutput {
public:
    struct Message {
        QString text;
        MessageIcon icon;
        QString title;
    };

    RecordingHost() {
        diameter = QStringLiteral("0.185");
        rpm = QStringLiteral("15000");
        velocity = QStringLiteral("50");
    }

    RunHost host() { return {*this, *this, *this}; }

    qint32 language = languageNumber(Language::English);
    std::function<bool()> imperialAt = [] { return false; }; // read afresh at every call
    std::function<void(int x)> onColumn;                     // per scanned column; may set `abort`
    bool abort = false;
    bool reportPictures = false;

    QStringList statuses, notes, runNotes, questions;
    std::optional<bool> answer; // to every question; nothing: nobody to ask
    std::vector<Message> messages;
    QStringList header, rows;
    int sheetPreparations = 0;
    QString clipboard = QStringLiteral("(untouched)");
    std::vector<ChartSet> charts;
    std::vector<RunResults> results;
    bool busy = false;
    bool previewVisible = false;
    int columnsScanned = 0;

    bool imperialUnits() override { return imperialAt(); }

    qint32 lLanguage() const override { return language; }
    void setBusyPointer(bool b) override { busy = b; }
    void showStatus(const QString& text) override { statuses << text; }
    void showMessage(const QString& text, MessageIcon icon, const QString& title) override {
        messages.push_back({text, icon, title});
    }
    bool abortAsked() override { return abort; }
    void columnScanned(const ScanHolder&, int x) override {
        ++columnsScanned;
        if (onColumn)
            onColumn(x);
    }
    void setScanPreviewVisible(bool visible) override { previewVisible = visible; }

    void putOnClipboard(const QString& text) override { clipboard = text; }
    void prepareSheet() override {
        ++sheetPreparations;
        rows.clear();
    }
    void setSheetHeader(const QStringList& headers, const QStringList&) override {
        header = headers;
    }
    void appendSheetRow(const QString& text) override { rows << text; }
    void showCharts(const ChartSet& set) override { charts.push_back(set); }
    void showPreparationNote(const QString& note) override { notes << note; }
    void showRunNotes(const QStringList& said) override { runNotes << said; }
    std::optional<bool> askQuestion(const QString& question) override {
        questions << question;
        return answer;
    }
    bool wantsReportPictures() const override { return reportPictures; }
    void resultsReady(const RunResults& r) override { results.push_back(r); }
};

} // namespace bladetrace::testing
