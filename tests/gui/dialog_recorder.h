#pragma once

#include "dialogs.h"

#include <QList>
#include <QStringList>

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

    QList<Message> messages;
    QList<OpenImageRequest> requests;
    QStringList answers; // a null string: the user cancels
    QStringList* log = nullptr;
};

} // namespace bladetrace::test
