#pragma once

#include "platform/registry.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>

namespace bladetrace::platform {

// What StartSysInfo needs from the machine, replaceable piece by piece in tests.
struct SysInfoPieces {
    std::shared_ptr<Registry> registry;
    std::function<bool(const QString& path)> fileExists;
    std::function<bool(const QString& path)> startProgram; // detached; false if not started
    std::function<void()> showNotAvailable;                // the message with string 31
};

// Starts the system-information tool named by the registry, or shows the message when there
// is none or it cannot be started. Never throws.
void StartSysInfo(const SysInfoPieces& pieces);

// The machine's registry, QFileInfo and QProcess::startDetached; the message is the caller's.
SysInfoPieces systemSysInfoPieces(std::function<void()> showNotAvailable);

// A file (not a folder) at `path`.
bool fileExists(const QString& path);

} // namespace bladetrace::platform
