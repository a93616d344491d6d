#pragma once

#include "text/string_table.h"

#include <QString>

namespace bladetrace {

// What the main window shows when it opens: language, unit system, the three inputs and
// the two image files. The inputs are in the units of `imperial`.
struct StartValues {
    qint32 lLanguage = kEnglish;
    bool imperial = false;
    QString diameter = QStringLiteral("1");
    QString velocity = QStringLiteral("1");
    QString rpm = QStringLiteral("1");
    QString topFile;
    QString sideFile;
};

// The sample pair beside the program with inputs that suit it.
StartValues sampleStartValues();

} // namespace bladetrace
