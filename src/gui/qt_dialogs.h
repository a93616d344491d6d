#pragma once

#include "dialogs.h"

namespace bladetrace {

// The dialogs a person sees: Qt's message box and file dialog, the About window.
class QtDialogs : public Dialogs {
public:
    void message(QWidget* parent, const QString& text, MessageIcon icon,
                 const QString& title) override;
    bool question(QWidget* parent, const QString& text, const QString& title) override;
    std::optional<QString> openImage(QWidget* parent, const FileRequest& request) override;
    std::optional<SaveChoice> saveFile(QWidget* parent, const FileRequest& request) override;
    void showAbout(frmAbout& about) override;
};

} // namespace bladetrace
