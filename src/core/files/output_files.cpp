#include "files/output_files.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <memory>
#include <system_error>
#include <vector>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace bladetrace {
namespace {

QString reason(int errorNumber) {
    return QString::fromStdString(std::generic_category().message(errorNumber));
}

// What every name of one file shares: its inode where there is one, else its real path.
// A file still to be made is known by the real path of its folder and its name.
QString identityOf(const QFileInfo& info) {
#ifndef Q_OS_WIN
    struct stat st {};
    if (::stat(QFile::encodeName(info.filePath()).constData(), &st) == 0)
        return QStringLiteral("inode %1:%2").arg(st.st_dev).arg(st.st_ino);
#endif
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + QLatin1Char('/') + info.fileName();
}

struct Target {
    bool replace;     // a regular file or a new one, put in place by renaming
    QString path;     // links resolved where the file is replaced; as given where it is not
    QString identity; // shared by all names of the file
    QString problem;  // why it cannot be written, found before anything is written
};

Target resolve(const QString& given) {
    QFileInfo info(given);
    if (info.isSymLink() && !info.exists()) // a link to a file still to be made: make that one
        info.setFile(info.symLinkTarget());
    Target t{true, QString(), identityOf(info), QString()};
    if (info.exists() && !info.isFile()) {
        t.replace = false;
        t.path = given;
        if (info.isDir())
            t.problem = reason(EISDIR);
        else if (!info.isWritable())
            t.problem = reason(EACCES);
        return t;
    }
    t.path = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    if (info.exists() && !info.isWritable())
        t.problem = reason(EACCES);
    return t;
}

OutputResult cannotWrite(const NamedFile& file, const QString& why) {
    return {OutputStatus::CannotWrite, QStringLiteral("cannot write %1: %2").arg(file.path, why)};
}

// Resolves every output and refuses names that meet a kept file or each other.
OutputResult resolveAll(const QList<OutputFile>& outputs, const QList<NamedFile>& kept,
                        std::vector<Target>& targets) {
    std::vector<std::pair<QString, const NamedFile*>> taken;
    for (const NamedFile& file : kept)
        taken.emplace_back(identityOf(QFileInfo(file.path)), &file);
    for (const OutputFile& output : outputs) {
        Target t = resolve(output.file.path);
        for (const auto& [identity, other] : taken)
            if (identity == t.identity)
                return {OutputStatus::SameFile,
                        QStringLiteral("%1 %2 names the same file as %3 %4")
                            .arg(output.file.what, output.file.path, other->what, other->path)};
        taken.emplace_back(t.identity, &output.file);
        targets.push_back(std::move(t));
    }
    for (std::size_t i = 0; i < targets.size(); ++i)
        if (!targets[i].problem.isEmpty())
            return cannotWrite(outputs[int(i)].file, targets[i].problem);
    return {};
}

// A new hidden file beside `target`, named after it.
QString createTemporary(QFile& file, const QString& target) {
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 16; ++attempt) {
        file.setFileName(QStringLiteral("%1/.%2.%3.tmp")
                             .arg(info.path(), info.fileName())
                             .arg(QString::number(QRandomGenerator::global()->generate(), 16)));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return {};
        if (!file.exists())
            break;
    }
    return file.errorString();
}

// Pipes, terminals and devices have nothing to sync.
bool syncToDisk(QFile& file) {
#ifdef Q_OS_WIN
    return ::_commit(file.handle()) == 0 ||
           GetFileType(HANDLE(::_get_osfhandle(file.handle()))) != FILE_TYPE_DISK;
#else
    return ::fsync(file.handle()) == 0 || errno == EINVAL;
#endif
}

// Every step checked; `file` is open for writing.
QString writeAll(QFile& file, const QByteArray& bytes) {
    // A short write is retried: the next one fails with the system's reason.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return n < 0 ? file.errorString() : reason(EIO);
        done += n;
    }
    if (!syncToDisk(file))
        return reason(errno);
    file.close(); // clears earlier errors, so the write was checked above
    return file.error() == QFileDevice::NoError ? QString() : file.errorString();
}

QString putInPlace(const QString& temporary, const QString& target) {
#ifdef Q_OS_WIN
    if (MoveFileExW(reinterpret_cast<const wchar_t*>(temporary.utf16()),
                    reinterpret_cast<const wchar_t*>(target.utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return QString::fromStdString(std::system_category().message(int(GetLastError())));
#else
    if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) ==
        0)
        return {};
    return reason(errno);
#endif
}

} // namespace

OutputResult checkOutputs(const QList<OutputFile>& outputs, const QList<NamedFile>& kept) {
    std::vector<Target> targets;
    OutputResult result = resolveAll(outputs, kept, targets);
    for (std::size_t i = 0; i < targets.size() && result.status == OutputStatus::Written; ++i) {
        if (!targets[i].replace)
            continue;
        QFile probe;
        const QString why = createTemporary(probe, targets[i].path);
        if (!why.isEmpty())
            result = cannotWrite(outputs[int(i)].file, why);
        else
            probe.remove();
    }
    return result;
}

OutputResult writeOutputs(const QList<OutputFile>& outputs, const QList<NamedFile>& kept) {
    std::vector<Target> targets;
    if (OutputResult r = resolveAll(outputs, kept, targets); r.status != OutputStatus::Written)
        return r;
    std::vector<std::unique_ptr<QFile>> temporaries(targets.size());
    const auto giveUp = [&](std::size_t i, const QString& why) {
        for (const auto& t : temporaries)
            if (t)
                t->remove();
        return cannotWrite(outputs[int(i)].file, why);
    };

    // Whole copies first, then the streams, and only then is anything replaced.
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (!targets[i].replace)
            continue;
        temporaries[i] = std::make_unique<QFile>();
        QFile& file = *temporaries[i];
        QString why = createTemporary(file, targets[i].path);
        if (why.isEmpty() && QFile::exists(targets[i].path) &&
            !file.setPermissions(QFile::permissions(targets[i].path)))
            why = file.errorString();
        if (why.isEmpty())
            why = writeAll(file, outputs[int(i)].bytes);
        if (!why.isEmpty())
            return giveUp(i, why);
    }
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (targets[i].replace)
            continue;
        QFile stream(targets[i].path);
        const QString why = stream.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
                                ? writeAll(stream, outputs[int(i)].bytes)
                                : stream.errorString();
        if (!why.isEmpty())
            return giveUp(i, why);
    }
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (!temporaries[i])
            continue;
        const QString why = putInPlace(temporaries[i]->fileName(), targets[i].path);
        if (!why.isEmpty())
            return giveUp(i, why);
        temporaries[i].reset();
    }
    return {};
}

} // namespace bladetrace
