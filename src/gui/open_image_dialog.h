#pragma once

#include "dialogs.h"

namespace bladetrace {

// ctlOpenImage: the one open-file dialog both browse buttons share. It remembers the file
// chosen last, whichever button chose it, for as long as the program runs.
class OpenImageDialog {
public:
    explicit OpenImageDialog(Dialogs& dialogs) : dialogs_(dialogs) {}

    // Nothing when the user cancels; the remembered name then stays as it was.
    std::optional<QString> show(QWidget* parent);

    static FileRequest request(const QString& fileName);

private:
    Dialogs& dialogs_;
    QString fileName_;
};

} // namespace bladetrace
