#include "platform/fake_registry.h"
#include "platform/key_value.h"
#include "platform/sys_info.h"

#include <QDir>
#include <gtest/gtest.h>

namespace bladetrace::platform {
namespace {

const QString kKey = "SOFTWARE\\Some\\Key", kOld = "old text";

TEST(DecodeKeyValue, TextLosesOneZeroNumbersAreSigned32BitOtherTypesKeepTheOldText) {
    const struct {
        quint32 type;
        QByteArray data;
        quint32 size; // as the registry returns it
        std::optional<QString> value;
    } cases[] = {
        {kRegText, "abc", 4, "abc"},                           // with its terminating zero
        {kRegText, "abc", 5, QString::fromLatin1("abc\0", 4)}, // only one zero goes
        {kRegText, "abcdef", 2, "ab"},                         // no zero: cut at the size
        {kRegNumber, QByteArray("\x02\x01\x00\x00", 4), 4, "258"},
        {kRegNumber, QByteArray("\x00\x00\x00\x80", 4), 4, "-2147483648"},
        {2, "%SystemRoot%", 13, kOld}, // expandable text
        {kRegText, "abc", 0, std::nullopt},
    };
    for (const auto& c : cases) {
        // A 1024-byte buffer as the registry leaves it: the data, then zeros.
        const QByteArray buffer = c.data + QByteArray(1024 - c.data.size(), '\0');
        EXPECT_EQ(decodeKeyValue(c.type, buffer, c.size, kOld), c.value)
            << c.type << " " << c.data.toHex().constData() << " " << c.size;
    }
}

const QString kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QString kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

TEST(StartSysInfo, StartsTheToolTheRegistryNamesOrSaysItIsNotAvailable) {
    const QString inFolder = QString("/opt/info") + QDir::separator() + "MSINFO32.EXE";
    // The first key's value (one of size 0 cannot be decoded: that failure ends the search);
    // whether the second key names /opt/info and the tool is there; whether it starts.
    const struct {
        std::optional<QByteArray> path;
        bool folder, toolInFolder, starts;
        QStringList started;
        int messages;
    } cases[] = {
        {"C:\\info.exe", true, true, true, {"C:\\info.exe"}, 0},
        {{}, true, true, true, {inFolder}, 0},
        {{}, true, false, true, {}, 1},
        {{}, false, false, true, {}, 1},
        {"/no/such/tool", false, false, false, {"/no/such/tool"}, 1},
        {"", true, true, true, {}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.value_or("(none)").constData());
        auto registry = std::make_shared<testing::FakeRegistry>();
        if (c.path && c.path->isEmpty())
            registry->set(kToolKey, "PATH", {kRegText, QByteArray()});
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
        // The second key, and the folder it names, only when the first has no value.
        const bool second = !c.path;
        const std::vector<QString> opened =
            second ? std::vector{kToolKey, kLocationKey} : std::vector{kToolKey};
        EXPECT_EQ(registry->opened, opened);
        EXPECT_EQ(checked, second && c.folder ? QStringList{inFolder} : QStringList());
        EXPECT_EQ(started, c.started);
        EXPECT_EQ(registry->leakedHandles(), 0);
        EXPECT_EQ(messages, c.messages);
    }
}

} // namespace
} // namespace bladetrace::platform
