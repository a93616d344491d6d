// Picture bytes through the loader, the scanner, the stations and the sheet rows, as a run
// takes them. The picture is both views: the top one read as the batch tool reads it (an
// uncompressed bitmap where it lies), the side one decoded as the window does. The last
// byte is also the threshold.

#include "run/calc_it.h"
#include "scan/picture_loader.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <utility>

using namespace bladetrace;

namespace {

// Pictures beyond this are refused before decoding; larger ones would only test memory.
const LoadLimits kLimits{0.25};

class QuietHost : public RunHost {
public:
    QuietHost(const QString& picture, qint32 threshold)
        : picture_(picture), threshold_(threshold) {}

    qint32 lLanguage() const override { return 1; }
    void setBusyPointer(bool) override {}
    void showStatus(const QString&) override {}
    void showMessage(const QString&, MessageIcon, const QString&) override {}
    bool abortAsked() override { return false; }
    void scanStarted(const ScanHolder&) override {}
    void columnScanned(const ScanHolder&, int) override {}
    bool thicknessCorrection() override { return true; }
    QString rootThicknessText() override { return QStringLiteral("20"); }
    QString tipThicknessText() override { return QStringLiteral("10"); }
    void putOnClipboard(const QString&) override {}
    qint32 thresholdValue() override { return threshold_; }
    QString diameterText() override { return QStringLiteral("0.185"); }
    QString rpmText() override { return QStringLiteral("15000"); }
    QString velocityText() override { return QStringLiteral("50"); }
    bool imperialUnits() override { return false; }
    QString topFileName() override { return picture_; }
    QString sideFileName() override { return picture_; }
    void processEvents() override {}
    void setScanPreviewVisible(bool) override {}
    void prepareSheet() override {}
    void setSheetHeader(const QStringList&, const QStringList&) override {}
    void appendSheetRow(const QString& cells) override { rows += cells.size(); }
    void showCharts(const ChartSet&) override {}

    qsizetype rows = 0;

private:
    QString picture_;
    qint32 threshold_;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv); // Qt finds its image readers through it
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("picture"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();

    QuietHost host(path, size ? data[size - 1] : 110);
    bool top = true;
    CalcIt(host, [&top](const QString& name) {
        const bool inPlace = std::exchange(top, false);
        return inPlace ? loadScanPicture(name, kLimits) : ScanHolder(loadPicture(name, kLimits));
    });
    return 0;
}
