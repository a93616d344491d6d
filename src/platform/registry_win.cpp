#include "platform/registry.h"

#ifdef Q_OS_WIN
#include <windows.h>

namespace bladetrace::platform {
namespace {

// Root handles are small sign-extended constants; rebuild the HKEY the API expects.
HKEY toHkey(RegistryRoot root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

class WindowsRegistry : public Registry {
public:
    bool openKey(RegistryRoot root, const QString& keyName, quint32 accessMask,
                 RegistryKey& key) override {
        HKEY handle = nullptr;
        const QByteArray name = keyName.toLocal8Bit();
        const LONG rc =
            RegOpenKeyExA(toHkey(root), name.constData(), 0, REGSAM(accessMask), &handle);
        key = reinterpret_cast<RegistryKey>(handle);
        return rc == ERROR_SUCCESS;
    }

    bool queryValue(RegistryKey key, const QString& valueName, QByteArray& buffer, quint32& type,
                    quint32& size) override {
        const QByteArray name = valueName.toLocal8Bit();
        DWORD valueType = 0;
        DWORD dataSize = DWORD(buffer.size());
        const LONG rc =
            RegQueryValueExA(reinterpret_cast<HKEY>(key), name.constData(), nullptr, &valueType,
                             reinterpret_cast<LPBYTE>(buffer.data()), &dataSize);
        type = quint32(valueType);
        size = quint32(dataSize);
        return rc == ERROR_SUCCESS;
    }

    void closeKey(RegistryKey key) override {
        if (key != 0)
            RegCloseKey(reinterpret_cast<HKEY>(key));
    }
};

} // namespace

std::unique_ptr<Registry> makeSystemRegistry() {
    return std::make_unique<WindowsRegistry>();
}

} // namespace bladetrace::platform
#endif
