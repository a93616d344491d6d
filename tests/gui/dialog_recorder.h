#pragma once

#include "dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace bladetrace::test {

// Answers every dialog at once and remembers what was asked.
class DialogRecorder : public Dialogs {
public:
    struct Message {
        QString text;
        MessageIcon icon;
        QString title;
    };

    void message(QWidget*, const QString& text, MessageIcon icon, const QString& title) override {
        messages.append({text, icon, title});
        if (log)
            log->append(QStringLiteral("message: ") + text);
    }

    std::optional<QString> openImage(QWidget*, const OpenImageRequest& request) override {
        requests.append(request);
        if (answers.isEmpty())
            return std::nullopt;
        const QString answer = answers.takeFirst();
        if (answer.isNull())
            return std::nullopt;
        return answer;
    }

    // The About window is not run modally: `onAbout` looks at it and works it instead.
    void showAbout(frmAbout& about) override {
        ++aboutsShown;
        if (onAbout)
            onAbout(about);
    }

    QList<Message> messages;
    QList<OpenImageRequest> requests;
    QStringList answers; // a null string: the user cancels
    QStringList* log = nullptr;
    std::function<void(frmAbout&)> onAbout;
    int aboutsShown = 0;
};

} // namespace bladetrace::test
