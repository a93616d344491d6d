#pragma once

#include <QByteArray>
#include <QStringList>

namespace bladetrace {

// Takes the warnings Qt gives on this thread while it lives, instead of printing them: some
// image readers report damage in no other way. Text the image libraries print on the C
// library's standard error stream from this thread (libpng's and libtiff's own errors) is
// taken too, a line a warning. Other threads' messages and text pass as before.
class WarningCapture {
public:
    WarningCapture();
    ~WarningCapture();
    WarningCapture(const WarningCapture&) = delete;
    WarningCapture& operator=(const WarningCapture&) = delete;

    const QStringList& warnings() const;

private:
    friend void captureMessage(QtMsgType, const QMessageLogContext&, const QString&);
    friend void captureText(const char* text, qsizetype size);

    mutable QStringList warnings_;
    mutable QByteArray line_; // printed text not yet ended by a new line
    WarningCapture* outer_;
};

} // namespace bladetrace
