#include "files/file_calls.h"
#include "files/output_files.h"
#include "files/path_bytes.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace bladetrace {
namespace {

struct stat statusOf(const QString& path) {
    struct stat st {};
    ::lstat(pathBytes(path).constData(), &st);
    return st;
}

QStringList entries(const QTemporaryDir& dir) {
    return QDir(dir.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Links are followed to where they end; any legal name, however long, is written.
TEST(OutputFiles, NeverReplaceAnInputADeviceOrAnythingOnAFailedWrite) {
    using S = OutputStatus;
    const QString accents = QString(127, QChar(0xE9)) + 'x';
    const struct {
        const char* what;
        QStringList outputs;
        S checked, written; // before the run, and when written
        const char* inMessage;
        bool tinyFileSizeLimit = false;
        QString landsIn = {}; // a new file
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
        {"a chain of links to a missing file",
         {"link"},
         S::Written,
         S::Written,
         "",
         false,
         "sub/end.txt"},
        {"a loop of links", {"loop"}, S::CannotWrite, S::CannotWrite, "Too many levels"},
        {"255 bytes in two-byte letters", {accents}, S::Written, S::Written, "", false, accents},
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
        testing::make(at("in.bmp"), "old");
        testing::make(at("old.txt"), "old");
        ::chmod(at("old.txt"), 0640);
        ::link(at("in.bmp"), at("hard.bmp"));
        ::symlink(at("old.txt"), at("sym.txt"));
        // link -> sub/middle -> sub/end.txt, and loop -> sub/back -> loop.
        ::symlink("sub/middle", at("link"));
        ::symlink("end.txt", at("sub/middle"));
        ::symlink("sub/back", at("loop"));
        ::symlink("../loop", at("sub/back"));
        const bool devices = ::mknod(at("null"), S_IFCHR | 0666, makedev(1, 3)) == 0 &&
                             ::mknod(at("full"), S_IFCHR | 0666, makedev(1, 7)) == 0;
        if (!devices && (c.outputs.contains("full") || c.outputs.contains("null")))
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
        EXPECT_EQ(testing::fileBytes(at("in.bmp")), "old");
        EXPECT_EQ(testing::fileBytes(at("old.txt")),
                  replaced && c.outputs.contains("old.txt") ? "new" : "old");
        if (!c.landsIn.isEmpty()) {
            EXPECT_EQ(testing::fileBytes(dir.filePath(c.landsIn)), "new");
        }
        EXPECT_EQ(statusOf(at("old.txt")).st_mode, S_IFREG | 0640);
        for (const char* link : {"sym.txt", "link", "sub/middle", "loop", "sub/back"})
            EXPECT_TRUE(S_ISLNK(statusOf(at(link)).st_mode)) << link << " is no longer a link";
        if (devices) {
            EXPECT_TRUE(S_ISCHR(statusOf(at("full")).st_mode));
        }
        const bool added = replaced && (c.outputs.contains("new.txt") || c.landsIn == c.outputs[0]);
        EXPECT_EQ(entries(dir).size(), 7 + (devices ? 2 : 0) + (added ? 1 : 0))
            << "a temporary file was left behind: " << entries(dir).join(", ");
    }
}

bool stopNow = false;
bool stopAtFirstRename = false;
bool noHardLinks = false;
const char* busyTarget = nullptr; // the file whose next rename fails

int faults(const char* call, const QString& path) {
    if (std::strcmp(call, "link") == 0)
        return noHardLinks ? EPERM : 0;
    stopNow = stopAtFirstRename;
    if (!busyTarget || !path.endsWith(QLatin1String(busyTarget)))
        return 0;
    busyTarget = nullptr;
    return EBUSY;
}

// The old set of files or the new one, whatever fails or stops the writer. A replaced file
// keeps its owner, group and mode; one that cannot be replaced so is rewritten in place.
TEST(OutputFiles, WriteAllOrNoneAndKeepOwnersAndModes) {
    using S = OutputStatus;
    enum Setup {
        kSetIdOfAnother = 1, // a.txt
        kReadOnlySticky = 2,
        kSecondLink = 4,
        kWrittenByAThird = 8, // in a sticky folder, a.txt another's, b.txt the writer's
        kNoHardLinks = 16,
        kStopAtFirstRename = 32,
    };
    const struct {
        const char* name;
        int setup;
        S status;
        bool newSet;         // else the old one
        bool aKeepsItsInode; // rewritten in place, or put back
        const char* busy = nullptr;
    } cases[] = {
        {"another user's set-id file", kSetIdOfAnother, S::Written, true, false},
        {"a read-only file with the sticky bit", kReadOnlySticky, S::Written, true, false},
        {"a file with another hard link, in place", kSecondLink, S::Written, true, true},
        {"another user's file in a sticky folder", kWrittenByAThird, S::Written, true, true},
        {"the last rename fails (a bind-mounted target)", 0, S::CannotWrite, false, true, "a.txt"},
        {"a rename fails after a file was rewritten in place", kSecondLink, S::CannotWrite, false,
         true, "b.txt"},
        {"no hard links: old files step aside", kNoHardLinks, S::Written, true, false},
        {"no hard links, a rename fails", kNoHardLinks, S::CannotWrite, false, true, "a.txt"},
        {"stopped once files are being replaced", kStopAtFirstRename, S::Written, true, false},
    };
    syscalls::setFileFaultForTests(faults);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (::geteuid() != 0 && (c.setup & (kSetIdOfAnother | kReadOnlySticky | kWrittenByAThird)))
            continue; // needs root, as CI has: others' files, a read-only one replaced
        QTemporaryDir dir;
        const QByteArray a = pathBytes(dir.filePath("a.txt")), b = pathBytes(dir.filePath("b.txt"));
        testing::make(a, "old");
        testing::make(b, "old");
        const uid_t other = c.setup & (kSetIdOfAnother | kWrittenByAThird) ? 12345 : 0,
                    writer = c.setup & kWrittenByAThird ? 12346 : 0;
        ::chown(a, other, other);
        ::chmod(a, c.setup & kSetIdOfAnother ? 06755 : c.setup & kReadOnlySticky ? 01444 : 0666);
        if (c.setup & kSecondLink)
            ::link(a, pathBytes(dir.filePath("c.txt")));
        if (writer != 0) {
            ::chmod(pathBytes(dir.path()), 01777);
            ::chown(b, writer, writer);
        }
        const struct stat before = statusOf(a);
        const QStringList names = entries(dir);
        busyTarget = c.busy;
        noHardLinks = c.setup & kNoHardLinks;
        stopAtFirstRename = c.setup & kStopAtFirstRename;
        stopNow = false;

        QList<OutputFile> outputs;
        for (const char* name : {"b.txt", "new.txt", "a.txt"})
            outputs.append({{"output", dir.filePath(name)}, "new"});
        ASSERT_EQ(::seteuid(writer ? writer : ::geteuid()), 0);
        const OutputResult r = writeOutputs(outputs, {}, [] { return stopNow; });
        ASSERT_EQ(::seteuid(::getuid()), 0);
        EXPECT_EQ(r.status, c.status) << r.message;
        if (c.busy) {
            EXPECT_TRUE(r.message.contains("Device or resource busy")) << r.message;
        }
        EXPECT_EQ(testing::fileBytes(a), c.newSet ? "new" : "old");
        EXPECT_EQ(testing::fileBytes(b), c.newSet ? "new" : "old");
        const struct stat after = statusOf(a);
        EXPECT_EQ(after.st_ino == before.st_ino, c.aKeepsItsInode);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(entries(dir).size(), names.size() + c.newSet) << entries(dir).join(", ");
    }
    syscalls::setFileFaultForTests(nullptr);
}

} // namespace
} // namespace bladetrace
