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

#ifdef Q_OS_UNIX
PictureFile::Stamp stampOf(int fd) {
    struct stat status;
    if (::fstat(fd, &status) != 0)
        return {-1, -1, -1};
    const auto nanoseconds = [](const timespec& t) {
        return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
    };
    return {qint64(status.st_size), nanoseconds(status.st_mtim), nanoseconds(status.st_ctim)};
}
#endif

QString changedSince(const QFile& file, const PictureFile::Stamp& stamp) {
#ifdef Q_OS_UNIX
    if (stampOf(file.handle()) != stamp)
        return QStringLiteral("the file changed while it was read");
#else
    Q_UNUSED(file);
    Q_UNUSED(stamp);
#endif
    return {};
}

} // namespace

bool PictureFile::Stamp::operator!=(const Stamp& other) const {
    return size != other.size || modified != other.modified || changed != other.changed;
}

QString PictureFile::changed() const {
    if (!guard) // a copy: only a change while it was read counts
        return readChange;
    if (guard->faults() > 0)
        return QStringLiteral("the file was cut short while it was read");
    return changedSince(file, stamp);
}

std::shared_ptr<PictureFile> openPictureFile(const QString& fileName) {
#ifndef Q_OS_UNIX
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.exists())
        fail(errc::kFileNotFound, QStringLiteral("File not found: %1").arg(fileName));
    if (info.isDir())
        accessError(fileName, QStringLiteral("a folder"));
#endif
    auto picture = std::make_shared<PictureFile>();
    picture->name = fileName;
    picture->file.setFileName(fileName);
    openRegularFile(picture->file, fileName);
    picture->size = picture->file.size();
#ifdef Q_OS_UNIX
    picture->stamp = stampOf(picture->file.handle());
#endif
    // Mapped only where a page the file loses later reads as zeros, not as a signal.
    uchar* mapped = picture->size > 0 ? picture->file.map(0, picture->size) : nullptr;
    if (mapped) {
        picture->guard = std::make_unique<BusErrorGuard>(mapped, picture->size);
        if (picture->guard->guards()) {
            picture->data = mapped;
        } else {
            picture->guard.reset();
            picture->file.unmap(mapped);
        }
    }
    if (!picture->data) {
        picture->bytes = picture->file.readAll();
        picture->data = reinterpret_cast<const uchar*>(picture->bytes.constData());
        picture->size = picture->bytes.size();
        picture->readChange = changedSince(picture->file, picture->stamp);
    }
    return picture;
}

} // namespace bladetrace
