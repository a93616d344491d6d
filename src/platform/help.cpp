#include "platform/help.h"

#include <QCoreApplication>

namespace bladetrace::platform {

QString helpFilePath(const QString& programDirectory) {
    return programDirectory + QStringLiteral("/Bladetrace.chm");
}

QString helpFilePath() {
    return helpFilePath(QCoreApplication::applicationDirPath());
}

} // namespace bladetrace::platform
