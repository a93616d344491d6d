#pragma once

#include "run/run_host.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace bladetrace::bench {

// The run's host with nothing to show: the sample inputs, output dropped, so a benchmark
// measures the analysis and nothing else. A message means the run went wrong.
class SilentHost : public RunHost {
public:
    SilentHost(QString top, QString side, bool thickness)
        : top_(std::move(top)), side_(std::move(side)), thickness_(thickness) {}

    int rows = 0;
    int messages = 0;
    bool matchSpans = false;

    qint32 lLanguage() const override { return 1; }
    void setBusyPointer(bool) override {}
    void showStatus(const QString&) override {}
    void showMessage(const QString& text, MessageIcon, const QString&) override {
        ++messages;
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    }
    bool abortAsked() override { return false; }
    void scanStarted(const ScanHolder&) override {}
    void columnScanned(const ScanHolder&, int) override {}
    bool wantsMarks() const override { return false; }
    bool thicknessCorrection() override { return thickness_; }
    QString rootThicknessText() override { return QStringLiteral("20"); }
    QString tipThicknessText() override { return QStringLiteral("10"); }
    void putOnClipboard(const QString& text) override { benchmark::DoNotOptimize(text.size()); }
    qint32 thresholdValue() override { return 110; }
    QString diameterText() override { return QStringLiteral("0.185"); }
    QString rpmText() override { return QStringLiteral("15000"); }
    QString velocityText() override { return QStringLiteral("50"); }
    bool imperialUnits() override { return false; }
    QString topFileName() override { return top_; }
    QString sideFileName() override { return side_; }
    void processEvents() override {}
    void setScanPreviewVisible(bool) override {}
    void prepareSheet() override {}
    void setSheetHeader(const QStringList&, const QStringList&) override {}
    void appendSheetRow(const QString&) override { ++rows; }
    void showCharts(const ChartSet&) override {}
    bool matchSpansChecked() override { return matchSpans; }

private:
    QString top_;
    QString side_;
    bool thickness_;
};

} // namespace bladetrace::bench
