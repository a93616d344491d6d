// Picture bytes through the loader, the scanner, the stations and the sheet rows, as a run
// takes them. The picture is both views: the top one read as the batch tool reads it (an
// uncompressed bitmap where it lies), the side one decoded as the window does. The last
// byte is also the threshold.

#include "quiet_run.h"
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

    tools::QuietRun run(path, path, true);
    run.inputs.threshold = size ? data[size - 1] : 110;
    run.printMessages = false;
    run.marks = true;
    bool top = true;
    CalcIt(run.host(), [&top](const QString& name) {
        const bool inPlace = std::exchange(top, false);
        return inPlace ? loadScanPicture(name, kLimits) : ScanHolder(loadPicture(name, kLimits));
    });
    return 0;
}
