#include "platform/registry.h"

#include <QStandardPaths>
#include <algorithm>
#include <map>

namespace bladetrace::platform {
namespace {

class StandInRegistry : public Registry {
public:
    StandInRegistry(QStringList tools, QStringList searchPaths)
        : tools_(std::move(tools)), searchPaths_(std::move(searchPaths)) {}

    bool openKey(RegistryRoot root, const QString& keyName, quint32 /*accessMask*/,
                 RegistryKey& key) override {
        // Nothing here can be written, so the write bits of a mask cost nothing to grant.
        key = 0;
        if (root != kHkeyLocalMachine || keyName.compare(kSysInfoKey, Qt::CaseInsensitive) != 0)
            return false;
        // Looked up at every open, so a tool installed while the program runs is found.
        const QString tool = findTool();
        if (tool.isEmpty())
            return false;
        key = nextKey_++;
        open_[key] = tool;
        return true;
    }

    bool queryValue(RegistryKey key, const QString& valueName, QByteArray& buffer, quint32& type,
                    quint32& size) override {
        const auto it = open_.find(key);
        if (it == open_.end() || valueName.compare(kSysInfoPathValue, Qt::CaseInsensitive) != 0)
            return false;
        // Stored as Windows stores a text value: local 8-bit with its terminating zero.
        QByteArray data = it->second.toLocal8Bit();
        data.append('\0');
        if (data.size() > buffer.size())
            return false;
        std::copy(data.cbegin(), data.cend(), buffer.begin());
        type = kRegText;
        size = quint32(data.size());
        return true;
    }

    void closeKey(RegistryKey key) override { open_.erase(key); }

private:
    QString findTool() const {
        for (const QString& tool : tools_) {
            const QString path = QStandardPaths::findExecutable(tool, searchPaths_);
            if (!path.isEmpty())
                return path;
        }
        return {};
    }

    QStringList tools_;
    QStringList searchPaths_;
    std::map<RegistryKey, QString> open_;
    RegistryKey nextKey_ = 1;
};

} // namespace

QStringList standInSystemInfoTools() {
    return {QStringLiteral("hardinfo2"),
            QStringLiteral("hardinfo"),
            QStringLiteral("gnome-system-monitor"),
            QStringLiteral("plasma-systemmonitor"),
            QStringLiteral("ksysguard"),
            QStringLiteral("mate-system-monitor"),
            QStringLiteral("xfce4-taskmanager"),
            QStringLiteral("lxtask")};
}

std::unique_ptr<Registry> makeStandInRegistry(const QStringList& tools,
                                              const QStringList& searchPaths) {
    return std::make_unique<StandInRegistry>(tools, searchPaths);
}

std::unique_ptr<Registry> makeSystemRegistry() {
    return makeStandInRegistry(standInSystemInfoTools());
}

} // namespace bladetrace::platform
