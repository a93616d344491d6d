#include "files/file_calls.h"

#include "files/path_bytes.h"

#include <QRandomGenerator>
#include <algorithm>
#include <climits>
#include <system_error>

#ifdef Q_OS_WIN
#include <QDir>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace bladetrace::syscalls {
namespace {

FileFault fault = nullptr;

constexpr qsizetype kNameMax = 255; // bytes in one name

#ifdef Q_OS_WIN
std::wstring native(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

int lastSystemError() {
    switch (GetLastError()) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EBUSY;
    case ERROR_NOT_SAME_DEVICE:
        return EXDEV;
    case ERROR_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}

qint64 writeSome(int fd, const char* data, qint64 size, qint64 at) {
    if (at >= 0 && ::_lseeki64(fd, at, SEEK_SET) < 0)
        return -1;
    return ::_write(fd, data, unsigned(std::min<qint64>(size, INT_MAX)));
}

qint64 readSome(int fd, char* data, qint64 size) {
    return ::_read(fd, data, unsigned(std::min<qint64>(size, INT_MAX)));
}

int systemRename(const QString& from, const QString& to) {
    return MoveFileExW(native(from).c_str(), native(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : lastSystemError();
}

int systemLink(const QString& existing, const QString& name) {
    return CreateHardLinkW(native(name).c_str(), native(existing).c_str(), nullptr)
               ? 0
               : lastSystemError();
}
#else
QByteArray native(const QString& path) {
    return pathBytes(path);
}

qint64 writeSome(int fd, const char* data, qint64 size, qint64 at) {
    return at < 0 ? ::write(fd, data, std::size_t(size))
                  : ::pwrite(fd, data, std::size_t(size), at);
}

qint64 readSome(int fd, char* data, qint64 size) {
    return ::read(fd, data, std::size_t(size));
}

int systemRename(const QString& from, const QString& to) {
    return ::rename(native(from).constData(), native(to).constData()) == 0 ? 0 : errno;
}

int systemLink(const QString& existing, const QString& name) {
    return ::link(native(existing).constData(), native(name).constData()) == 0 ? 0 : errno;
}
#endif

} // namespace

QString reason(int errorNumber) {
    return QString::fromStdString(std::generic_category().message(errorNumber));
}

#ifdef Q_OS_WIN
int openFile(const QString& path, Open how) {
    const int flags = how == Open::Rewrite  ? _O_RDWR
                      : how == Open::Stream ? _O_WRONLY
                                            : _O_WRONLY | _O_CREAT | _O_EXCL;
    return ::_wopen(native(path).c_str(), flags | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

int truncateTo(int fd, qint64 size) {
    return ::_chsize_s(fd, size);
}

int syncFile(int fd) {
    if (::_commit(fd) == 0 || GetFileType(HANDLE(::_get_osfhandle(fd))) != FILE_TYPE_DISK)
        return 0;
    return errno;
}

int closeFile(int fd) {
    return ::_close(fd) == 0 ? 0 : errno;
}

void removeFile(const QString& path) {
    ::_wunlink(native(path).c_str());
}
#else
int openFile(const QString& path, Open how) {
    const int flags = how == Open::Rewrite  ? O_RDWR
                      : how == Open::Stream ? O_WRONLY | O_NOCTTY
                                            : O_WRONLY | O_CREAT | O_EXCL;
    return ::open(native(path).constData(), flags | O_CLOEXEC,
                  how == Open::NewPrivate ? 0600 : 0666);
}

int truncateTo(int fd, qint64 size) {
    return ::ftruncate(fd, size) == 0 ? 0 : errno;
}

int syncFile(int fd) {
    return ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
}

int closeFile(int fd) {
    return ::close(fd) == 0 ? 0 : errno;
}

void removeFile(const QString& path) {
    ::unlink(native(path).constData());
}
#endif

int renameFile(const QString& from, const QString& to) {
    const int error = fault ? fault("rename", to) : 0;
    return error != 0 ? error : systemRename(from, to);
}

int linkFile(const QString& existing, const QString& name) {
    const int error = fault ? fault("link", existing) : 0;
    return error != 0 ? error : systemLink(existing, name);
}

QString hiddenName(const QString& target, const char* suffix) {
    const qsizetype slash = target.lastIndexOf(QLatin1Char('/'));
    QString name = target.mid(slash + 1);
    const QString tail = QStringLiteral(".%1%2")
                             .arg(QRandomGenerator::global()->generate(), 0, 16)
                             .arg(QLatin1String(suffix));
    while (pathBytes(QLatin1Char('.') + name + tail).size() > kNameMax)
        name.chop(name.size() > 1 && name[name.size() - 2].isHighSurrogate() ? 2 : 1);
    return target.left(slash + 1) + QLatin1Char('.') + name + tail;
}

int writeAll(int fd, const QByteArray& bytes, qint64 at, const std::function<bool()>& stop) {
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 n =
            writeSome(fd, bytes.constData() + done, bytes.size() - done, at < 0 ? at : at + done);
        if (n < 0 && errno == EINTR && !(stop && stop()))
            continue;
        if (n <= 0) // a short write is retried: the next one fails with the system's reason
            return n < 0 ? errno : EIO;
        done += n;
    }
    return 0;
}

int readAll(int fd, QByteArray& bytes) {
    char buffer[65536];
    for (;;) {
        const qint64 n = readSome(fd, buffer, qint64(sizeof buffer));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : 0;
        bytes.append(buffer, n);
    }
}

void setFileFaultForTests(FileFault f) {
    fault = f;
}

} // namespace bladetrace::syscalls
