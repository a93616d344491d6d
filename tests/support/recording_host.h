#pragma once

#include "run/run_host.h"
#include "text/string_table.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace bladetrace::testing {

// Stands in for the window: inputs are plain fields, what the run shows is recorded.
class RecordingHost : public RunHost {
public:
    struct Message {
        QString text;
        MessageIcon icon;
        QString title;
    };

    qint32 language = kEnglish;
    qint32 threshold = 110;
    QString diameter = QStringLiteral("0.185");
    QString rpm = QStringLiteral("15000");
    QString velocity = QStringLiteral("50");
    QString topFile, sideFile;
    std::function<bool()> imperial = [] { return false; };
    bool thickness = false;
    QString rootThickness = QStringLiteral("20");
    QString tipThickness = QStringLiteral("10");
    std::function<void(int x)> onColumn; // per scanned column; may set `abort`
    bool abort = false;

    QStringList statuses, notes;
    std::vector<Message> messages;
    QStringList header, rows;
    int sheetPreparations = 0;
    QString clipboard = QStringLiteral("(untouched)");
    std::vector<ChartSet> charts;
    std::vector<RunResults> results;
    bool busy = false;
    bool previewVisible = false;
    int columnsScanned = 0;

    qint32 lLanguage() const override { return language; }
    void setBusyPointer(bool b) override { busy = b; }
    void showStatus(const QString& text) override { statuses << text; }
    void showMessage(const QString& text, MessageIcon icon, const QString& title) override {
        messages.push_back({text, icon, title});
    }
    bool abortAsked() override { return abort; }
    void scanStarted(const ScanHolder&) override {}
    void columnScanned(const ScanHolder&, int x) override {
        ++columnsScanned;
        if (onColumn)
            onColumn(x);
    }
    bool thicknessCorrection() override { return thickness; }
    QString rootThicknessText() override { return rootThickness; }
    QString tipThicknessText() override { return tipThickness; }
    void putOnClipboard(const QString& text) override { clipboard = text; }
    qint32 thresholdValue() override { return threshold; }
    QString diameterText() override { return diameter; }
    QString rpmText() override { return rpm; }
    QString velocityText() override { return velocity; }
    bool imperialUnits() override { return imperial(); }
    QString topFileName() override { return topFile; }
    QString sideFileName() override { return sideFile; }
    void processEvents() override {}
    void setScanPreviewVisible(bool visible) override { previewVisible = visible; }
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
    void resultsReady(const RunResults& r) override { results.push_back(r); }
};

} // namespace bladetrace::testing
