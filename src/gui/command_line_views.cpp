#include "command_line_views.h"

#include "frm_main.h"

#include <QDir>
#include <QFileInfo>

namespace bladetrace {

void openCommandLineViews(frmMain& window, const QStringList& pictures) {
    // Whole paths, because the window keeps them for a next start in another folder.
    for (int index = 0; index < 2 && index < pictures.size(); ++index) {
        const QFileInfo picture(pictures[index]);
        window.SetImageFile(index, QDir::toNativeSeparators(picture.absoluteFilePath()));
    }
}

} // namespace bladetrace
