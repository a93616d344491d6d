#include "platform/chm_viewer/help_window.h"
#include "platform/help.h"

namespace bladetrace::platform {

QWidget* showHelpContents(QWidget* caller, const QString& helpFile, qint32 lLanguage) {
    QWidget* owner = caller ? caller->window() : nullptr;
    HelpWindow* window = nullptr;
    if (owner) {
        for (HelpWindow* open : owner->findChildren<HelpWindow*>(Qt::FindDirectChildrenOnly))
            if (open->helpFile() == helpFile)
                window = open;
    }
    if (!window)
        window = new HelpWindow(helpFile, lLanguage, owner);
    window->SwitchLanguage(lLanguage);
    window->showContents();
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace bladetrace::platform
