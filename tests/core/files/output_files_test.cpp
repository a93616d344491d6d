#include "files/output_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace bladetrace {
namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

mode_t mode(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

TEST(OutputFiles, NeverReplaceAnInputADeviceOrAnythingOnAFailedWrite) {
    using S = OutputStatus;
    const struct {
        const char* what;
        QStringList outputs;
        S checked, written; // before the run, and when written
        const char* inMessage;
        bool tinyFileSizeLimit = false;
    } cases[] = {
        {"an input through a hard link", {"hard.bmp"}, S::SameFile, S::SameFile, "in.bmp"},
        {"an output through a link", {"old.txt", "sym.txt"}, S::SameFile, S::SameFile, "old.txt"},
        {"a new file twice", {"new.txt", "sub/../new.txt"}, S::SameFile, S::SameFile, "new.txt"},
        {"a folder", {"old.txt", "sub"}, S::CannotWrite, S::CannotWrite, "Is a directory"},
        {"a missing folder", {"no/new.txt"}, S::CannotWrite, S::CannotWrite, "No such file"},
        {"regular files", {"old.txt", "new.txt"}, S::Written, S::Written, ""},
        {"a device", {"null"}, S::Written, S::Written, ""},
        {"a full device", {"old.txt", "full"}, S::Written, S::CannotWrite, "No space left"},
        {"a write error", {"new.txt", "old.txt"}, S::Written, S::CannotWrite, "too large", true},
    };
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit unlimited = limit;
    std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails with EFBIG, as on a full disk
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const auto at = [&dir](const char* name) { return QFile::encodeName(dir.filePath(name)); };
        QDir(dir.path()).mkdir("sub");
        for (const char* name : {"in.bmp", "old.txt"}) {
            QFile file(at(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name;
            ASSERT_EQ(file.write("old"), 3) << name;
        }
        ::chmod(at("old.txt"), 0640);
        ::link(at("in.bmp"), at("hard.bmp"));
        ::symlink(at("old.txt"), at("sym.txt"));
        const bool devices = ::mknod(at("null"), S_IFCHR | 0666, makedev(1, 3)) == 0 &&
                             ::mknod(at("full"), S_IFCHR | 0666, makedev(1, 7)) == 0;
        if (!devices && c.outputs.contains("full"))
            continue; // needs the right to make devices, as CI has

        QList<OutputFile> outputs;
        for (const QString& name : c.outputs)
            outputs.append({{"output", dir.filePath(name)}, "new"});
        const QList<NamedFile> kept = {{"input", dir.filePath("in.bmp")}};
        EXPECT_EQ(checkOutputs(outputs, kept).status, c.checked);
        limit.rlim_cur = c.tinyFileSizeLimit ? 2 : unlimited.rlim_cur;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const OutputResult r = writeOutputs(outputs, kept);
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        EXPECT_EQ(r.status, c.written);
        EXPECT_TRUE(r.message.contains(c.inMessage)) << r.message;

        const bool replaced = c.written == S::Written;
        EXPECT_EQ(contents(at("in.bmp")), "old");
        EXPECT_EQ(contents(at("old.txt")),
                  replaced && c.outputs.contains("old.txt") ? "new" : "old");
        EXPECT_EQ(mode(at("old.txt")), S_IFREG | 0640);
        EXPECT_TRUE(S_ISLNK(mode(at("sym.txt"))));
        if (devices) {
            EXPECT_TRUE(S_ISCHR(mode(at("full"))));
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
                  4 + (devices ? 2 : 0) + (replaced && c.outputs.contains("new.txt") ? 1 : 0))
            << "a temporary file was left behind";
    }
}

} // namespace
} // namespace bladetrace
