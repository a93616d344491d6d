#pragma once

#include <QString>
#include <QtGlobal>

namespace bladetrace {

enum class MessageIcon { None, Critical };

// What every caller of the core must offer to show progress and problems: the window shows
// them in its status bar and message boxes, the batch tool on standard error.
class ReportHost {
public:
    virtual ~ReportHost() = default;

    // The current language number (lLanguage): 1 English, 2 German.
    virtual qint32 lLanguage() const = 0;
    // The hourglass pointer; only a window has one.
    virtual void setBusyPointer(bool busy) { Q_UNUSED(busy); }
    // Panel 1 of the status bar, shown at once.
    virtual void showStatus(const QString& text) = 0;
    // A modal message; an empty title means the program's own title.
    virtual void showMessage(const QString& text, MessageIcon icon, const QString& title) = 0;
};

} // namespace bladetrace
