#pragma once

#include <QLocale>
#include <clocale>
#include <string>

namespace bladetrace::testing {

// Sets the program's default locale for a scope and puts back the one before it when the
// scope ends, also when a failed ASSERT ends the test early; the C library's numeric locale,
// which a test may set as well, is put back likewise.
class LocaleGuard {
public:
    LocaleGuard() : qt_(QLocale()), c_(std::setlocale(LC_NUMERIC, nullptr)) {}
    explicit LocaleGuard(const QLocale& locale) : LocaleGuard() { QLocale::setDefault(locale); }
    ~LocaleGuard() {
        std::setlocale(LC_NUMERIC, c_.c_str());
        QLocale::setDefault(qt_);
    }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;

private:
    QLocale qt_;
    std::string c_;
};

} // namespace bladetrace::testing
