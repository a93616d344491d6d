#include "files/file_identity.h"

#include "files/path_bytes.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace bladetrace {

bool sameExistingFile(const QString& first, const QString& second) {
#ifdef Q_OS_UNIX
    struct stat a {};
    struct stat b {};
    return ::stat(pathBytes(first).constData(), &a) == 0 &&
           ::stat(pathBytes(second).constData(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
#else
    const QString a = QFileInfo(first).canonicalFilePath();
    return !a.isEmpty() &&
           a.compare(QFileInfo(second).canonicalFilePath(), Qt::CaseInsensitive) == 0;
#endif
}

} // namespace bladetrace
