#pragma once

#include "text/report_host.h"

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace bladetrace {

class frmAbout;

// What the open-file dialog is asked to show.
struct OpenImageRequest {
    QString title;
    QStringList filters;
    QString selectedFilter;
    QString fileName; // the name the dialog opens with
};

// Every modal dialog of the main window goes through here, so that a test can answer them
// without a person in front of the screen.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Waits until the user closes the box. The title is never empty.
    virtual void message(QWidget* parent, const QString& text, MessageIcon icon,
                         const QString& title) = 0;
    // The chosen file's full path, or nothing when the user cancels.
    virtual std::optional<QString> openImage(QWidget* parent, const OpenImageRequest& request) = 0;
    // Shows the loaded About window modally; returns when the user has closed it.
    virtual void showAbout(frmAbout& about) = 0;
};

} // namespace bladetrace
