#pragma once

#include <QByteArray>
#include <QString>
#include <cerrno>
#include <functional>

// The system calls of the one door out, for POSIX and Windows: each gives a file descriptor,
// a count, or 0 for success and else an error number (errno's), and takes paths as
// pathBytes spells them.
namespace bladetrace::syscalls {

QString reason(int errorNumber);

enum class Open {
    New,        // a new file, as any new file is made
    NewPrivate, // a new file only its owner can read, until it gets its mode
    Rewrite,    // an existing file, to read and write
    Stream,     // a device or a pipe, to write
};
int openFile(const QString& path, Open how); // -1 and errno on failure

// From `at`, or where the file is when `at` is negative. A wait (a pipe that no one reads)
// interrupted by a signal ends with EINTR when `stop` says so.
int writeAll(int fd, const QByteArray& bytes, qint64 at, const std::function<bool()>& stop);
int readAll(int fd, QByteArray& bytes);
int truncateTo(int fd, qint64 size);
int syncFile(int fd); // pipes and devices have nothing to sync
int closeFile(int fd);
int renameFile(const QString& from, const QString& to); // over an existing file
int linkFile(const QString& existing, const QString& name);
void removeFile(const QString& path);

// A new hidden name beside `target`, named after it; a long name is cut (at a whole
// character) so that the hidden one is a legal name too.
QString hiddenName(const QString& target, const char* suffix);

// Makes a hidden name beside `target` with `make`, trying other names while one is taken.
template <typename Make>
int makeHidden(const QString& target, const char* suffix, QString& made, Make make) {
    int error = EEXIST;
    for (int attempt = 0; attempt < 16 && error == EEXIST; ++attempt) {
        made = hiddenName(target, suffix);
        error = make(made);
    }
    if (error != 0)
        made.clear();
    return error;
}

// For tests: asked before each rename (with its destination) and each hard link (with the
// file linked to); an error number makes that call fail as the system would (a bind-mounted
// target gives EBUSY, a file system without hard links EPERM). nullptr: no faults.
using FileFault = int (*)(const char* call, const QString& path);
void setFileFaultForTests(FileFault fault);

} // namespace bladetrace::syscalls
