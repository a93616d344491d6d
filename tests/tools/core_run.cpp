#include "core_run.h"

#include "results/charts.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bladetrace::roundtrip {
namespace {

// Answers the run as the window's controls would, and keeps what it is shown.
class RecordingHost : public RunHost {
public:
    RecordingHost(QString top, QString side, double diameter, int threshold,
                  std::optional<Thickness> thickness)
        : top_(std::move(top)), side_(std::move(side)), diameter_(diameter), threshold_(threshold),
          thickness_(thickness) {}

    CoreResult result;

    qint32 lLanguage() const override { return 1; }
    void setBusyPointer(bool) override {}
    void showStatus(const QString&) override {}
    void showMessage(const QString& text, MessageIcon, const QString&) override {
        result.messages << text;
    }
    bool abortAsked() override { return false; }
    void scanStarted(const QImage&) override {}
    void columnScanned(const QImage&, int) override {}
    bool thicknessCorrection() override { return thickness_.has_value(); }
    QString rootThicknessText() override { return QString::number(thickness_->root); }
    QString tipThicknessText() override { return QString::number(thickness_->tip); }
    void putOnClipboard(const QString& text) override { result.scriptWritten = !text.isEmpty(); }
    qint32 thresholdValue() override { return threshold_; }
    QString diameterText() override { return QString::number(diameter_, 'g', 9); }
    QString rpmText() override { return QStringLiteral("15000"); }
    QString velocityText() override { return QStringLiteral("50"); }
    bool imperialUnits() override { return false; }
    QString topFileName() override { return top_; }
    QString sideFileName() override { return side_; }
    void processEvents() override {}
    void setScanPreviewVisible(bool) override {}
    void prepareSheet() override { result.sheetRows = 0; }
    void setSheetHeader(const QStringList&, const QStringList&) override {}
    void appendSheetRow(const QString&) override { ++result.sheetRows; }
    void showCharts(const ChartSet& charts) override {
        result.rR = charts[kChordChart].x;
        result.cOverR = charts[kChordChart].y;
        result.betaDeg = charts[kBetaChart].y;
    }

private:
    QString top_, side_;
    double diameter_;
    int threshold_;
    std::optional<Thickness> thickness_;
};

} // namespace

CoreResult runCore(const QString& topFile, const QString& sideFile, double diameter, int threshold,
                   std::optional<Thickness> thickness) {
    RecordingHost host(topFile, sideFile, diameter, threshold, thickness);
    host.result.outcome = CalcIt(host);
    return host.result;
}

CoreResult runCore(const render::RenderedPair& pair, double diameter, int threshold,
                   std::optional<Thickness> thickness) {
    QTemporaryDir dir;
    const QString top = dir.filePath(QStringLiteral("top.bmp"));
    const QString side = dir.filePath(QStringLiteral("side.bmp"));
    if (!pair.top.save(top) || !pair.side.save(side)) {
        ADD_FAILURE() << "cannot write the rendered pair to " << qPrintable(dir.path());
        return {};
    }
    return runCore(top, side, diameter, threshold, thickness);
}

} // namespace bladetrace::roundtrip
