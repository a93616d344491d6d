#pragma once

#include <QStringList>

namespace bladetrace {

// Takes the warnings Qt gives on this thread while it lives, instead of printing them: some
// image readers report damage in no other way. Other threads' messages pass as before.
class WarningCapture {
public:
    WarningCapture();
    ~WarningCapture();
    WarningCapture(const WarningCapture&) = delete;
    WarningCapture& operator=(const WarningCapture&) = delete;

    const QStringList& warnings() const { return warnings_; }

private:
    friend void captureMessage(QtMsgType, const QMessageLogContext&, const QString&);

    QStringList warnings_;
    WarningCapture* outer_;
};

} // namespace bladetrace
