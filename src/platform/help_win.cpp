#include "platform/help.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include <htmlhelp.h>
#include <windows.h>

namespace bladetrace::platform {

// HTML Help draws its frame in the system's language; German help opens on its own start
// page, named after the file as HTML Help names a topic in it.
QWidget* showHelpContents(QWidget* caller, const QString& helpFile, Language language) {
    const HWND owner = caller ? reinterpret_cast<HWND>(caller->window()->winId()) : nullptr;
    QByteArray path = helpFile.toLocal8Bit();
    if (language == Language::German)
        path += "::/de/index.html";
    // The result is not looked at: HTML Help reports a missing file itself.
    HtmlHelpA(owner, path.constData(), HH_DISPLAY_TOC, 0);
    return nullptr;
}

} // namespace bladetrace::platform
#endif
