#pragma once

#include "platform/registry.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <map>
#include <vector>

namespace bladetrace::platform::testing {

// A registry held in memory that records every call made to it.
class FakeRegistry : public Registry {
public:
    struct Value {
        quint32 type = kRegText;
        QByteArray data;
    };

    void set(const QString& keyName, const QString& valueName, Value value) {
        keys_[keyName][valueName] = std::move(value);
    }
    void setText(const QString& keyName, const QString& valueName, const QByteArray& text) {
        set(keyName, valueName, {kRegText, text + '\0'});
    }

    bool openKey(RegistryRoot, const QString& keyName, quint32, RegistryKey& key) override {
        opened.push_back(keyName);
        key = 0;
        if (!keys_.count(keyName))
            return false;
        key = RegistryKey(handles_.size() + 100);
        handles_.push_back(keyName);
        return true;
    }

    bool queryValue(RegistryKey key, const QString& valueName, QByteArray& buffer, quint32& type,
                    quint32& size) override {
        const auto index = std::size_t(key) - 100;
        if (key < 100 || index >= handles_.size())
            return false;
        const auto& values = keys_[handles_[index]];
        const auto it = values.find(valueName);
        if (it == values.end() || it->second.data.size() > buffer.size())
            return false;
        std::copy(it->second.data.cbegin(), it->second.data.cend(), buffer.begin());
        type = it->second.type;
        size = quint32(it->second.data.size());
        return true;
    }

    void closeKey(RegistryKey key) override { closed.push_back(key); }

    // Handles opened successfully and not closed exactly once.
    int leakedHandles() const {
        int leaked = 0;
        for (std::size_t i = 0; i < handles_.size(); ++i) {
            const auto key = RegistryKey(i + 100);
            leaked += int(std::count(closed.cbegin(), closed.cend(), key) != 1);
        }
        return leaked;
    }

    std::vector<QString> opened;
    std::vector<RegistryKey> closed;

private:
    std::map<QString, std::map<QString, Value>> keys_;
    std::vector<QString> handles_;
};

} // namespace bladetrace::platform::testing
