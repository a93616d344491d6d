#pragma once

#include "dialogs.h"

#include <QApplication>
#include <QList>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace bladetrace::test {

// Answers every dialog at once and remembers what was asked.
class DialogRecorder : public Dialogs {
public:
    struct Message {
        QString text;
        MessageIcon icon;
        QString title;
        bool busyOwner;      // the hourglass over the window that shows the box
        bool busyEverywhere; // the hourglass set for the whole program, the box too
    };

    void message(QWidget* parent, const QString& text, MessageIcon icon,
                 const QString& title) override {
        messages.append({text, icon, title,
                         parent && parent->window()->cursor().shape() == Qt::WaitCursor,
                         QApplication::overrideCursor() != nullptr});
    }

    std::optional<QString> openImage(QWidget*, const FileRequest& request) override {
        requests.append(request);
        return answer();
    }
    std::optional<QString> saveFile(QWidget*, const FileRequest& request) override {
        requests.append(request);
        return answer();
    }

    // The About window is not run modally: `onAbout` looks at it and works it instead.
    void showAbout(frmAbout& about) override {
        ++aboutsShown;
        if (onAbout)
            onAbout(about);
    }

    QList<Message> messages;
    QList<FileRequest> requests; // of the open and the save dialog, in order
    QStringList answers;         // a null string: the user cancels
    std::function<void(frmAbout&)> onAbout;
    int aboutsShown = 0;

    std::optional<QString> answer() {
        const QString given = answers.isEmpty() ? QString() : answers.takeFirst();
        return given.isNull() ? std::nullopt : std::optional<QString>(given);
    }
};

} // namespace bladetrace::test
