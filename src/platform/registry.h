#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>

namespace bladetrace::platform {

// Root handles and value types as the Windows registry numbers them.
using RegistryRoot = quint32;
using RegistryKey = quintptr;
constexpr RegistryRoot kHkeyLocalMachine = 0x80000002u;
constexpr quint32 kRegText = 1;   // REG_SZ
constexpr quint32 kRegNumber = 4; // REG_DWORD, little-endian
constexpr quint32 kKeyAccessMask = 0x2003Fu;

// The three registry calls the program makes, in the shape of RegOpenKeyExA,
// RegQueryValueExA and RegCloseKey. Each returns true on success.
class Registry {
public:
    virtual ~Registry() = default;

    // Opens `keyName` under `root`; on success `key` holds the handle to close later.
    virtual bool openKey(RegistryRoot root, const QString& keyName, quint32 accessMask,
                         RegistryKey& key) = 0;

    // Reads value `valueName` into `buffer`, whose size is the capacity offered. On success
    // `type` is the value's type and `size` the number of bytes written.
    virtual bool queryValue(RegistryKey key, const QString& valueName, QByteArray& buffer,
                            quint32& type, quint32& size) = 0;

    // Releases a handle; a null handle (from a failed open) is ignored.
    virtual void closeKey(RegistryKey key) = 0;
};

// Where the system-information tool is registered: value "PATH" of this key under the
// machine root holds its full path.
inline const QString kSysInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
inline const QString kSysInfoPathValue = QStringLiteral("PATH");

// The machine's registry: the Windows API on Windows, the stand-in below elsewhere.
std::unique_ptr<Registry> makeSystemRegistry();

#ifndef Q_OS_WIN
// Read-only stand-in. It knows one key, "SOFTWARE\Microsoft\Shared Tools\MSINFO" under the
// machine root, present while one of `tools` is found in `searchPaths` (empty: the PATH);
// its value "PATH" is that program's full path. Every other key is absent.
std::unique_ptr<Registry> makeStandInRegistry(const QStringList& tools,
                                              const QStringList& searchPaths = {});

// Hardware-information and system-monitor programs, most informative first.
QStringList standInSystemInfoTools();
#endif

} // namespace bladetrace::platform
