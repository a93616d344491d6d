#include "export/output_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bladetrace {
namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

mode_t mode(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

// Writes in a child process whose files may not grow past two bytes (EFBIG, as on a full disk).
OutputResult writeWithFileSizeLimit(const QList<OutputFile>& outputs,
                                    const QList<NamedFile>& kept) {
    int fds[2];
    if (::pipe(fds) != 0)
        return {OutputStatus::Written, "no pipe"};
    const pid_t child = ::fork();
    if (child == 0) {
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 2;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
        const OutputResult r = writeOutputs(outputs, kept);
        const QByteArray text = QByteArray::number(int(r.status)) + r.message.toUtf8();
        [[maybe_unused]] const auto n = ::write(fds[1], text.constData(), std::size_t(text.size()));
        ::_exit(0);
    }
    ::close(fds[1]);
    QFile pipe;
    pipe.open(fds[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QByteArray text = pipe.readAll();
    ::waitpid(child, nullptr, 0);
    return {OutputStatus(text.left(1).toInt()), QString::fromUtf8(text.mid(1))};
}

TEST(OutputFiles, NeverReplaceAnInputADeviceOrAnythingOnAFailedWrite) {
    struct Case {
        const char* what;
        QStringList outputs;  // relative to the folder
        OutputStatus checked; // before the run
        OutputStatus status;  // when written
        const char* inMessage;
        bool needsDevices;
        bool limitFileSize = false;
    };
    using S = OutputStatus;
    const Case cases[] = {
        {"an input by another spelling",
         {"sub/../image.bmp"},
         S::SameFile,
         S::SameFile,
         "image",
         false},
        {"an input through a hard link", {"hard.bmp"}, S::SameFile, S::SameFile, "image", false},
        {"two outputs, one a link to the other",
         {"old.txt", "sym.txt"},
         S::SameFile,
         S::SameFile,
         "old.txt",
         false},
        {"one new file by two names",
         {"new.txt", "sub/../new.txt"},
         S::SameFile,
         S::SameFile,
         "new.txt",
         false},
        {"a folder", {"old.txt", "sub"}, S::CannotWrite, S::CannotWrite, "Is a directory", false},
        {"a missing folder",
         {"none/new.txt"},
         S::CannotWrite,
         S::CannotWrite,
         "No such file",
         false},
        {"regular files are replaced whole",
         {"old.txt", "new.txt"},
         S::Written,
         S::Written,
         "",
         false},
        {"a device is written, not replaced", {"null"}, S::Written, S::Written, "", true},
        {"a full device replaces nothing",
         {"old.txt", "full"},
         S::Written,
         S::CannotWrite,
         "No space left on device",
         true},
        {"a write error replaces nothing",
         {"new.txt", "old.txt"},
         S::Written,
         S::CannotWrite,
         "File too large",
         false,
         true},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const auto at = [&dir](const QString& name) { return dir.filePath(name); };
        QDir(dir.path()).mkdir("sub");
        for (const char* name : {"image.bmp", "old.txt"}) {
            QFile file(at(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("old");
        }
        ::chmod(QFile::encodeName(at("old.txt")), 0640);
        ASSERT_EQ(::link(QFile::encodeName(at("image.bmp")), QFile::encodeName(at("hard.bmp"))), 0);
        QFile::link(at("old.txt"), at("sym.txt"));
        const bool devices =
            ::mknod(QFile::encodeName(at("null")), S_IFCHR | 0666, makedev(1, 3)) == 0 &&
            ::mknod(QFile::encodeName(at("full")), S_IFCHR | 0666, makedev(1, 7)) == 0;
        if (c.needsDevices && !devices) {
            std::cout << "skipped without the right to make devices: " << c.what << "\n";
            continue;
        }

        QList<OutputFile> outputs;
        for (const QString& name : c.outputs)
            outputs.append({{"output", at(name)}, "new"});
        const QList<NamedFile> kept = {{"image", at("image.bmp")}};
        const OutputResult checked = checkOutputs(outputs, kept);
        const OutputResult written =
            c.limitFileSize ? writeWithFileSizeLimit(outputs, kept) : writeOutputs(outputs, kept);
        EXPECT_EQ(checked.status, c.checked) << c.what;
        EXPECT_EQ(written.status, c.status) << c.what;
        EXPECT_TRUE(written.message.contains(c.inMessage))
            << c.what << ": " << written.message.toStdString();

        const bool replaced = c.status == S::Written;
        EXPECT_EQ(contents(at("image.bmp")), "old") << c.what;
        if (c.outputs.contains("old.txt")) {
            EXPECT_EQ(contents(at("old.txt")), replaced ? "new" : "old") << c.what;
            EXPECT_EQ(mode(at("old.txt")), S_IFREG | 0640) << c.what;
        }
        EXPECT_TRUE(QFileInfo(at("sym.txt")).isSymLink()) << c.what;
        if (devices) {
            EXPECT_TRUE(S_ISCHR(mode(at("null"))) && S_ISCHR(mode(at("full")))) << c.what;
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
                  4 + (devices ? 2 : 0) + (replaced && c.outputs.contains("new.txt") ? 1 : 0))
            << c.what << ": a temporary file was left behind";
    }
}

} // namespace
} // namespace bladetrace
