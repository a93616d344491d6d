#include "start_values.h"

#include "text/number_format.h"

#include <QCoreApplication>
#include <QDir>

namespace bladetrace {

StartValues sampleStartValues() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    StartValues v;
    v.diameter = formatGeneral(0.185);
    v.rpm = formatGeneral(15000);
    v.velocity = formatGeneral(50);
    v.topFile = QDir::toNativeSeparators(programDir.filePath(QStringLiteral("pylon 1.bmp")));
    v.sideFile = QDir::toNativeSeparators(programDir.filePath(QStringLiteral("pylon 2.bmp")));
    return v;
}

} // namespace bladetrace
