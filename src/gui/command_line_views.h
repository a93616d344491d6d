#pragma once

#include <QStringList>

namespace bladetrace {

class frmMain;

// The pictures named on the command line (`bladetrace TOP [SIDE]`, or a file manager's Open
// with), put into the views as Browse does: the first is the top view, the second the side
// view; further names are ignored. A relative name is taken from the current folder.
void openCommandLineViews(frmMain& window, const QStringList& pictures);

} // namespace bladetrace
