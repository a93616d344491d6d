#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace bladetrace::testing {

// Sets an environment variable for a scope and puts back what it was, or unsets it again,
// when the scope ends, also when a failed ASSERT ends the test early.
class EnvGuard {
public:
    EnvGuard(const char* name, const QByteArray& value)
        : name_(name), was_(qEnvironmentVariableIsSet(name)), saved_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~EnvGuard() {
        if (was_)
            qputenv(name_, saved_);
        else
            qunsetenv(name_);
    }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

private:
    const char* name_;
    bool was_;
    QByteArray saved_;
};

} // namespace bladetrace::testing
