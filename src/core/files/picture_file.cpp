#include "files/picture_file.h"

#include "base/app_error.h"
#include "files/path_bytes.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace bladetrace {
namespace {

[[noreturn]] void accessError(const QString& fileName, const QString& why) {
    fail(errc::kPathFileAccess,
         QStringLiteral("Path/File access error: %1 (%2)").arg(fileName, why));
}

void openRegularFile(QFile& file, const QString& fileName) {
#ifdef Q_OS_UNIX
    const int fd = ::open(pathBytes(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && (errno == ENOENT || errno == ENOTDIR))
        fail(errc::kFileNotFound, QStringLiteral("File not found: %1").arg(fileName));
    if (fd < 0)
        accessError(fileName, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        accessError(fileName, S_ISDIR(status.st_mode) ? QStringLiteral("a folder")
                                                      : QStringLiteral("not a regular file"));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        accessError(fileName, file.errorString());
    }
#else
    if (!QFileInfo(fileName).isFile())
        accessError(fileName, QStringLiteral("not a regular file"));
    if (!file.open(QIODevice::ReadOnly))
        accessError(fileName, file.errorString());
#endif
}

} // namespace

std::shared_ptr<PictureFile> openPictureFile(const QString& fileName) {
#ifndef Q_OS_UNIX
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.exists())
        fail(errc::kFileNotFound, QStringLiteral("File not found: %1").arg(fileName));
    if (info.isDir())
        accessError(fileName, QStringLiteral("a folder"));
#endif
    auto picture = std::make_shared<PictureFile>();
    picture->file.setFileName(fileName);
    openRegularFile(picture->file, fileName);
    picture->size = picture->file.size();
    if (picture->size > 0)
        picture->data = picture->file.map(0, picture->size);
    if (!picture->data) {
        picture->bytes = picture->file.readAll();
        picture->data = reinterpret_cast<const uchar*>(picture->bytes.constData());
        picture->size = picture->bytes.size();
    }
    return picture;
}

} // namespace bladetrace
