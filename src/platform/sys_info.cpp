#include "platform/sys_info.h"

#include "platform/key_value.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <exception>

namespace bladetrace::platform {
namespace {

const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kLocationValue = QStringLiteral("MSINFO");
const QString kToolFile = QStringLiteral("MSINFO32.EXE");

// The tool's path, or empty when the registry names none that exists.
QString findTool(const SysInfoPieces& pieces) {
    QString path;
    if (GetKeyValue(*pieces.registry, kHkeyLocalMachine, kSysInfoKey, kSysInfoPathValue, path))
        return path;
    QString directory;
    if (GetKeyValue(*pieces.registry, kHkeyLocalMachine, kLocationKey, kLocationValue, directory)) {
        // The platform's own separator: a backslash on Windows, where the key lives.
        path = directory + QDir::separator() + kToolFile;
        if (pieces.fileExists(path))
            return path;
    }
    return {};
}

} // namespace

void StartSysInfo(const SysInfoPieces& pieces) {
    try {
        const QString path = findTool(pieces);
        if (!path.isEmpty() && pieces.startProgram(path))
            return;
    } catch (const std::exception&) {
        // Any failure on the way means the tool is not available.
    }
    pieces.showNotAvailable();
}

bool fileExists(const QString& path) {
    return QFileInfo(path).isFile();
}

SysInfoPieces systemSysInfoPieces(std::function<void()> showNotAvailable) {
    SysInfoPieces pieces;
    pieces.registry = makeSystemRegistry();
    pieces.fileExists = &fileExists;
    pieces.startProgram = [](const QString& path) { return QProcess::startDetached(path, {}); };
    pieces.showNotAvailable = std::move(showNotAvailable);
    return pieces;
}

} // namespace bladetrace::platform
