#include "files/output_files.h"

#include "files/file_calls.h"
#include "files/path_bytes.h"

#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <vector>

#ifdef Q_OS_WIN
#include <QFile>
#include <QFileInfo>
#else
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace bladetrace {
namespace {

using namespace syscalls;

constexpr int kMaxLinks = 40; // as many links in a chain as the system follows

// How an output is written.
enum class Way {
    Replace, // a whole new copy renamed into place
    InPlace, // a regular file rewritten where it is
    Stream,  // a device or a pipe, written directly
};

struct Target {
    Way way = Way::Replace;
    QString path;     // links followed, except for a stream
    QString identity; // shared by all names of the file
    int problem = 0;  // why it cannot be written, found before anything is written
    bool exists = false;
#ifndef Q_OS_WIN
    struct stat old {};
#endif
};

#ifdef Q_OS_WIN
QString identityOf(const QFileInfo& info) {
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + QLatin1Char('/') + info.fileName();
}

Target resolve(const QString& given) {
    QFileInfo info(given);
    for (int links = 0; info.isSymLink() && !info.exists(); ++links) {
        if (links == kMaxLinks)
            return {Way::Replace, given, identityOf(info), ELOOP};
        info.setFile(info.symLinkTarget()); // a link to a file still to be made: make that one
    }
    Target t{Way::Replace, QString(), identityOf(info), 0, info.exists()};
    if (info.exists() && !info.isFile()) {
        t.way = Way::Stream;
        t.path = given;
        t.problem = info.isDir() ? EISDIR : info.isWritable() ? 0 : EACCES;
        return t;
    }
    t.path = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    if (info.exists() && !info.isWritable())
        t.problem = EACCES;
    return t;
}

QList<std::pair<QString, QString>> standardStreams() {
    return {};
}

bool keepOwnerAndMode(int, const Target& target, const QString& temporary) {
    return QFile::setPermissions(temporary, QFile::permissions(target.path));
}
#else
QString identityOf(const struct stat& st) {
    return QStringLiteral("inode %1:%2").arg(st.st_dev).arg(st.st_ino);
}

QByteArray realPath(const QByteArray& path) {
    char* real = ::realpath(path.constData(), nullptr);
    const QByteArray result(real);
    std::free(real);
    return result;
}

// Follows a chain of links that ends nowhere to the name at its end, the file to make.
Target newFile(QByteArray name) {
    Target t;
    struct stat st {};
    for (int links = 0; ::lstat(name.constData(), &st) == 0; ++links) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(name.constData(), target, sizeof target);
        if (!S_ISLNK(st.st_mode) || links == kMaxLinks || n < 0 || n == ssize_t(sizeof target)) {
            t.problem = !S_ISLNK(st.st_mode) ? ENOENT : links == kMaxLinks ? ELOOP : ENAMETOOLONG;
            return t;
        }
        const qsizetype slash = name.lastIndexOf('/');
        name = (target[0] == '/' || slash < 0 ? QByteArray() : name.left(slash + 1)) +
               QByteArray(target, n);
    }
    if (errno != ENOENT || name.isEmpty()) {
        t.problem = errno;
        return t;
    }
    const qsizetype slash = name.lastIndexOf('/');
    const QByteArray file = name.mid(slash + 1);
    QByteArray folder =
        realPath(slash < 0 ? QByteArray(".") : name.left(std::max<qsizetype>(slash, 1)));
    if (folder.isEmpty())
        t.problem = errno;
    else if (file.isEmpty() || file == "." || file == "..")
        t.problem = EISDIR;
    t.path = pathFromBytes(folder + (folder.endsWith('/') ? "" : "/") + file);
    t.identity = QStringLiteral("new file ") + t.path;
    return t;
}

Target resolve(const QString& given) {
    const QByteArray path = pathBytes(given);
    struct stat st {};
    if (path.isEmpty() || ::stat(path.constData(), &st) != 0) {
        if (path.isEmpty() || errno == ENOENT)
            return newFile(path);
        Target t; // a loop of links, a folder that cannot be searched
        t.problem = errno;
        t.identity = QStringLiteral("unreachable ") + given;
        return t;
    }
    Target t;
    t.exists = true;
    t.old = st;
    t.identity = identityOf(st);
    if (!S_ISREG(st.st_mode)) {
        t.way = Way::Stream;
        t.path = given;
    } else {
        const QByteArray real = realPath(path);
        t.path = pathFromBytes(real.isEmpty() ? path : real);
        t.way = st.st_nlink > 1 ? Way::InPlace : Way::Replace;
    }
    if (S_ISDIR(st.st_mode))
        t.problem = EISDIR;
    else if (::faccessat(AT_FDCWD, path.constData(), W_OK, AT_EACCESS) != 0)
        t.problem = errno;
    return t;
}

// Where standard output or standard error go to a file, that file: a run never replaces the
// log it writes to.
QList<std::pair<QString, QString>> standardStreams() {
    QList<std::pair<QString, QString>> streams;
    for (const auto& [fd, what] : {std::pair{1, "standard output"}, {2, "standard error"}}) {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
            streams.append({identityOf(st), QString::fromLatin1(what)});
    }
    return streams;
}

// The new copy takes the old file's owner, group and mode, set-id and sticky bits too; false
// where the system will not give them (another user's file, a group the process is not in).
bool keepOwnerAndMode(int fd, const Target& target, const QString&) {
    const struct stat& old = target.old;
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return false;
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0)
        return false;
    // After the owner: a change of owner clears the set-id bits.
    return ::fchmod(fd, old.st_mode & 07777) == 0 && ::fstat(fd, &now) == 0 &&
           (now.st_mode & 07777) == (old.st_mode & 07777);
}
#endif

// Resolves every output and refuses names that meet a kept file, a standard stream or each
// other; then the first output that cannot be written.
OutputResult resolveAll(const QList<OutputFile>& outputs, const QList<NamedFile>& kept,
                        std::vector<Target>& targets) {
    std::vector<std::pair<QString, QString>> taken; // identity, what and path for the message
    for (const NamedFile& file : kept)
        taken.emplace_back(resolve(file.path).identity, file.what + QLatin1Char(' ') + file.path);
    for (const auto& stream : standardStreams())
        taken.push_back(stream);
    for (const OutputFile& output : outputs) {
        Target t = resolve(output.file.path);
        for (const auto& [identity, other] : taken)
            if (identity == t.identity)
                return {OutputStatus::SameFile,
                        QStringLiteral("%1 %2 names the same file as %3")
                            .arg(output.file.what, output.file.path, other)};
        taken.emplace_back(t.identity, output.file.what + QLatin1Char(' ') + output.file.path);
        targets.push_back(std::move(t));
    }
    for (std::size_t i = 0; i < targets.size(); ++i)
        if (targets[i].problem != 0)
            return {OutputStatus::CannotWrite,
                    QStringLiteral("cannot write %1: %2")
                        .arg(outputs[int(i)].file.path, reason(targets[i].problem))};
    return {};
}

// One run of writeOutputs. Until `commit` every old file is untouched; from there on each
// step is undone when a later one fails.
class Writer {
public:
    Writer(const QList<OutputFile>& outputs, std::vector<Target>& targets,
           const std::function<bool()>& stop)
        : outputs_(outputs), targets_(targets), stop_(stop), work_(targets.size()) {}
    ~Writer() { cleanUp(); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    OutputResult run() {
        const OutputResult stop{OutputStatus::Stopped,
                                QStringLiteral("stopped; nothing was replaced")};
        for (std::size_t i = 0; i < targets_.size(); ++i) {
            if (stopped())
                return stop;
            if (const int error = targets_[i].way == Way::Stream ? 0 : prepare(i))
                return failure(i, error);
        }
        for (std::size_t i = 0; i < targets_.size(); ++i) {
            const int error = targets_[i].way == Way::Stream ? writeStream(i) : 0;
            if (error == EINTR && stopped())
                return stop;
            if (error != 0)
                return failure(i, error);
        }
        if (stopped())
            return stop;
        // In place first: a full disk shows there, while a rename needs no room.
        for (const Way way : {Way::InPlace, Way::Replace})
            for (std::size_t i = 0; i < targets_.size(); ++i)
                if (const int error = targets_[i].way == way ? commit(i) : 0)
                    return failure(i, error);
        done_ = true;
        return {};
    }

    // Checks what run would do first, changing nothing.
    OutputResult probe() {
        for (std::size_t i = 0; i < targets_.size(); ++i) {
            Work& w = work_[i];
            const Target& t = targets_[i];
            int error = 0;
            if (t.way == Way::InPlace)
                w.fd = openFile(t.path, Open::Rewrite);
            else if (t.way == Way::Replace)
                error = makeHidden(t.path, ".tmp", w.temporary, [&](const QString& name) {
                    w.fd = openFile(name, Open::NewPrivate);
                    return w.fd < 0 ? errno : 0;
                });
            if (t.way == Way::InPlace && w.fd < 0)
                error = errno;
            if (error != 0)
                return failure(i, error);
        }
        return {};
    }

private:
    struct Work {
        int fd = -1;
        QString temporary;       // the new copy, until it is renamed
        QString backup;          // the old file by a second name, until all are in place
        bool movedAside = false; // the backup is the old file's only name
        QByteArray oldBytes;     // a file rewritten in place: what it held
        bool committed = false;
    };

    bool stopped() const { return stop_ && stop_(); }

    int prepare(std::size_t i) {
        Work& w = work_[i];
        Target& t = targets_[i];
        const QByteArray& bytes = outputs_[int(i)].bytes;
        if (t.way == Way::Replace) {
            int error = makeHidden(t.path, ".tmp", w.temporary, [&](const QString& name) {
                w.fd = openFile(name, t.exists ? Open::NewPrivate : Open::New);
                return w.fd < 0 ? errno : 0;
            });
            if (error == 0)
                error = writeAll(w.fd, bytes, 0, {});
            // After the bytes: a write by anyone but root clears the set-id bits.
            if (error == 0 && t.exists && !keepOwnerAndMode(w.fd, t, w.temporary)) {
                t.way = Way::InPlace;
                forget(w);
                return prepare(i);
            }
            if (error == 0)
                error = syncFile(w.fd);
            const int closed = w.fd >= 0 ? closeFile(w.fd) : 0;
            w.fd = -1;
            return error != 0 ? error : closed;
        }
        w.fd = openFile(t.path, Open::Rewrite);
        if (w.fd < 0)
            return errno;
        return readAll(w.fd, w.oldBytes);
    }

    int writeStream(std::size_t i) {
        Work& w = work_[i];
        do
            w.fd = openFile(targets_[i].path, Open::Stream);
        while (w.fd < 0 && errno == EINTR && !stopped());
        if (w.fd < 0)
            return errno;
        const int error = writeAll(w.fd, outputs_[int(i)].bytes, -1, stop_);
        const int synced = error == 0 ? syncFile(w.fd) : error;
        const int closed = closeFile(w.fd);
        w.fd = -1;
        return synced != 0 ? synced : closed;
    }

    int commit(std::size_t i) {
        Work& w = work_[i];
        const Target& t = targets_[i];
        if (t.way == Way::InPlace) {
            w.committed = true;
            return rewrite(w.fd, outputs_[int(i)].bytes);
        }
        if (t.exists && makeHidden(t.path, ".old", w.backup, [&](const QString& name) {
                            return linkFile(t.path, name);
                        }) != 0) {
            // Without a second name the old file steps aside for the moment of the swap.
            if (const int error = makeHidden(t.path, ".old", w.backup, [&](const QString& name) {
                    return renameFile(t.path, name);
                }))
                return error;
            w.movedAside = true;
        }
        if (const int error = renameFile(w.temporary, t.path)) {
            if (w.movedAside && renameFile(w.backup, t.path) == 0) {
                w.movedAside = false;
                w.backup.clear();
            }
            return error;
        }
        w.temporary.clear();
        w.committed = true;
        return 0;
    }

    static int rewrite(int fd, const QByteArray& bytes) {
        int error = writeAll(fd, bytes, 0, {});
        if (error == 0)
            error = truncateTo(fd, bytes.size());
        return error != 0 ? error : syncFile(fd);
    }

    // Puts every committed file back; names the old files that could not be.
    QStringList rollBack() {
        QStringList lost;
        for (std::size_t i = targets_.size(); i-- > 0;) {
            Work& w = work_[i];
            const Target& t = targets_[i];
            if (w.movedAside || (w.committed && t.way == Way::Replace && t.exists)) {
                w.movedAside = renameFile(w.backup, t.path) != 0;
                if (w.movedAside)
                    lost.append(QStringLiteral("the old %1 is kept as %2").arg(t.path, w.backup));
                else
                    w.backup.clear();
            } else if (w.committed && t.way == Way::Replace) {
                removeFile(t.path); // it was new
            } else if (w.committed && rewrite(w.fd, w.oldBytes) != 0) {
                lost.append(QStringLiteral("%1 could not be put back").arg(t.path));
            }
            w.committed = false;
        }
        return lost;
    }

    OutputResult failure(std::size_t i, int error) {
        QString message =
            QStringLiteral("cannot write %1: %2").arg(outputs_[int(i)].file.path, reason(error));
        const QStringList lost = rollBack();
        if (!lost.isEmpty())
            message += QStringLiteral("; ") + lost.join(QStringLiteral("; "));
        return {OutputStatus::CannotWrite, message};
    }

    void forget(Work& w) {
        if (w.fd >= 0)
            closeFile(w.fd);
        if (!w.temporary.isEmpty())
            removeFile(w.temporary);
        w = Work();
    }

    // Temporary files go; backups go once all is in place, or where they are second names.
    void cleanUp() {
        for (Work& w : work_) {
            if (!w.backup.isEmpty() && (done_ || !w.movedAside))
                removeFile(w.backup);
            w.backup.clear();
            forget(w);
        }
    }

    const QList<OutputFile>& outputs_;
    std::vector<Target>& targets_;
    const std::function<bool()>& stop_;
    std::vector<Work> work_;
    bool done_ = false;
};

} // namespace

OutputResult checkOutputs(const QList<OutputFile>& outputs, const QList<NamedFile>& kept) {
    std::vector<Target> targets;
    if (OutputResult r = resolveAll(outputs, kept, targets); r.status != OutputStatus::Written)
        return r;
    const std::function<bool()> never;
    return Writer(outputs, targets, never).probe();
}

OutputResult writeOutputs(const QList<OutputFile>& outputs, const QList<NamedFile>& kept,
                          const std::function<bool()>& stopAsked) {
    std::vector<Target> targets;
    if (OutputResult r = resolveAll(outputs, kept, targets); r.status != OutputStatus::Written)
        return r;
    return Writer(outputs, targets, stopAsked).run();
}

} // namespace bladetrace
