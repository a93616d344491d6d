#include "platform/help.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include <htmlhelp.h>
#include <windows.h>

namespace bladetrace::platform {

// HTML Help draws its frame in the system's language.
QWidget* showHelpContents(QWidget* caller, const QString& helpFile, Language) {
    const HWND owner = caller ? reinterpret_cast<HWND>(caller->window()->winId()) : nullptr;
    const QByteArray path = helpFile.toLocal8Bit();
    // The result is not looked at: HTML Help reports a missing file itself.
    HtmlHelpA(owner, path.constData(), HH_DISPLAY_TOC, 0);
    return nullptr;
}

} // namespace bladetrace::platform
#endif
