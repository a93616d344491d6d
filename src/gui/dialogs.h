#pragma once

#include "base/report_host.h"

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace bladetrace {

class frmAbout;

// What a file dialog is asked to show. Filters read "CSV table (*.csv)".
struct FileRequest {
    QString title;
    QStringList filters;
    QString selectedFilter;
    QString fileName; // the name the dialog opens with, a full path when it names a folder
};

// What the user chose in the save dialog.
struct SaveChoice {
    QString fileName; // the full path to write
    QString filter;   // one of the request's filters
};

// Every modal dialog of the main window goes through here, so that a test can answer them
// without a person in front of the screen.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Waits until the user closes the box. The title is never empty.
    virtual void message(QWidget* parent, const QString& text, MessageIcon icon,
                         const QString& title) = 0;
    // A question the user answers with Yes or No (the default); true for Yes.
    virtual bool question(QWidget* parent, const QString& text, const QString& title) = 0;
    // The chosen file's full path, or nothing when the user cancels.
    virtual std::optional<QString> openImage(QWidget* parent, const FileRequest& request) = 0;
    // The full path to write and the filter chosen, or nothing when the user cancels. A name
    // typed without an extension gets that of the chosen filter; replacing a file was
    // confirmed.
    virtual std::optional<SaveChoice> saveFile(QWidget* parent, const FileRequest& request) = 0;
    // Shows the loaded About window modally; returns when the user has closed it.
    virtual void showAbout(frmAbout& about) = 0;
};

} // namespace bladetrace
