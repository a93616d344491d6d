#include "platform/chm_viewer/help_window.h"
#include "platform/help.h"

namespace bladetrace::platform {

QWidget* showHelpContents(QWidget* caller, const QString& helpFile, Language language) {
    QWidget* owner = caller ? caller->window() : nullptr;
    HelpWindow* window = nullptr;
    if (owner) {
        for (HelpWindow* open : owner->findChildren<HelpWindow*>(Qt::FindDirectChildrenOnly))
            if (open->helpFile() == helpFile)
                window = open;
    }
    if (!window)
        window = new HelpWindow(helpFile, language, owner);
    window->SwitchLanguage(language);
    window->showContents();
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace bladetrace::platform
