#pragma once

#include "base/language.h"

#include <QString>
#include <QtGlobal>

class QWidget;

namespace bladetrace::platform {

// `programDirectory` + "/Bladetrace.chm", joined as is (no check for a trailing separator).
QString helpFilePath(const QString& programDirectory);

// The help file beside the running program.
QString helpFilePath();

// Opens `helpFile` at its table of contents for `caller`; a missing file is the viewer's to
// report. Windows: HtmlHelpA, returns nullptr. Elsewhere the program's own help window, a
// child window of `caller` (usable while `caller` is modal) that is returned and reused, its
// frame in the caller's language.
QWidget* showHelpContents(QWidget* caller, const QString& helpFile, Language language);

} // namespace bladetrace::platform
