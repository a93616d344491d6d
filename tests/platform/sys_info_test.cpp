#include "platform/fake_registry.h"
#include "platform/key_value.h"
#include "platform/sys_info.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bladetrace::platform {
namespace {

const QString kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QString kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

TEST(StartSysInfo, StartsTheToolTheRegistryNamesOrSaysItIsNotAvailable) {
    const QString inFolder = QString("/opt/info") + QDir::separator() + "MSINFO32.EXE";
    const struct {
        const char* what;
        std::optional<QByteArray> path; // the first key's value; an empty one has size 0
        bool folder;                    // the second key names /opt/info
        bool toolInFolder, starts;
        std::vector<QString> opened;
        QStringList started;
        int messages;
    } cases[] = {
        {"first key",
         "C:\\Tools\\info.exe",
         true,
         true,
         true,
         {kToolKey},
         {"C:\\Tools\\info.exe"},
         0},
        {"second key", {}, true, true, true, {kToolKey, kLocationKey}, {inFolder}, 0},
        {"no tool in the folder", {}, true, false, true, {kToolKey, kLocationKey}, {}, 1},
        {"no key", {}, false, false, true, {kToolKey, kLocationKey}, {}, 1},
        {"does not start", "/no/such/tool", false, false, false, {kToolKey}, {"/no/such/tool"}, 1},
        // A value of size 0 cannot be decoded; the failure ends the search at once.
        {"failure on the way", "", true, true, true, {kToolKey}, {}, 1},
    };
    for (const auto& c : cases) {
        auto registry = std::make_shared<testing::FakeRegistry>();
        if (c.path && c.path->isEmpty())
            registry->set(kToolKey, "PATH", {kRegText, QByteArray(), 0u});
        else if (c.path)
            registry->setText(kToolKey, "PATH", *c.path);
        if (c.folder)
            registry->setText(kLocationKey, "MSINFO", "/opt/info");
        QStringList checked, started;
        int messages = 0;
        StartSysInfo({registry,
                      [&](const QString& path) {
                          checked << path;
                          return c.toolInFolder && path == inFolder;
                      },
                      [&](const QString& path) {
                          started << path;
                          return c.starts;
                      },
                      [&] { ++messages; }});
        EXPECT_EQ(registry->opened, c.opened) << c.what;
        // Only the second key's folder is looked into.
        EXPECT_EQ(checked, c.opened.size() == 2 && c.folder ? QStringList{inFolder} : QStringList())
            << c.what;
        EXPECT_EQ(started, c.started) << c.what;
        EXPECT_EQ(messages, c.messages) << c.what;
        EXPECT_EQ(registry->leakedHandles(), 0) << c.what;
    }
}

#ifndef Q_OS_WIN
// On Linux the first key names the first installed tool of a list, in the given folders; key
// and value names ignore case, as on Windows; nothing else is there.
TEST(StandInRegistry, FirstKeyNamesTheFirstInstalledToolOfTheList) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"monitor", "hwinfo", "plain"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        if (QLatin1String(name) != QLatin1String("plain")) // a file not executable is no program
            file.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    QString value;
    const auto registry =
        makeStandInRegistry({"absent", "plain", "hwinfo", "monitor"}, {dir.path()});
    ASSERT_TRUE(GetKeyValue(*registry, kHkeyLocalMachine, kToolKey, "PATH", value));
    EXPECT_EQ(value, dir.filePath("hwinfo"));
    EXPECT_TRUE(GetKeyValue(*registry, kHkeyLocalMachine, kToolKey.toLower(), "path", value));
    EXPECT_FALSE(GetKeyValue(*registry, 0x80000001u, kToolKey, "PATH", value));
    EXPECT_FALSE(GetKeyValue(*registry, kHkeyLocalMachine, kToolKey, "NAME", value));
    EXPECT_FALSE(GetKeyValue(*registry, kHkeyLocalMachine, kLocationKey, "MSINFO", value));
    const auto none = makeStandInRegistry({"plain"}, {dir.path()});
    EXPECT_FALSE(GetKeyValue(*none, kHkeyLocalMachine, kToolKey, "PATH", value));
}
#endif

} // namespace
} // namespace bladetrace::platform
