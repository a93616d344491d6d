#include "command_line_views.h"
#include "frm_main.h"
#include "program_icon.h"
#include "qt_dialogs.h"
#include "settings/stored_settings.h"

#include <QApplication>
#include <cstdio>

namespace {

// Without a display Qt would stop with a message few users understand.
bool displayAvailable() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fputs("bladetrace: no display found. The window needs one; bladetrace-batch "
                   "analyses image pairs without it.\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bladetrace"));
    QApplication::setWindowIcon(bladetrace::programIcon());
    bladetrace::StoredSettings settings;
    bladetrace::QtDialogs dialogs;
    bladetrace::frmMain window(dialogs, settings);
    window.Form_Load();
    bladetrace::openCommandLineViews(window, QCoreApplication::arguments().mid(1));
    window.show();
    return QApplication::exec();
}
