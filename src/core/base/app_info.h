#pragma once

#include <QString>

namespace bladetrace {

// The title the program shows in its caption, message boxes and error reports.
inline QString appTitle() {
    return QStringLiteral("Bladetrace");
}

struct AppVersion {
    int major;
    int minor;
    int revision;
};

constexpr AppVersion appVersion() {
    return {BLADETRACE_VERSION_MAJOR, BLADETRACE_VERSION_MINOR, BLADETRACE_VERSION_PATCH};
}

} // namespace bladetrace
