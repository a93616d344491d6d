#include "platform/fake_registry.h"
#include "platform/key_value.h"
#include "platform/sys_info.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bladetrace::platform {
namespace {

const QString kToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

// StartSysInfo over a fake registry, with every other piece recorded.
class StartSysInfoTest : public ::testing::Test {
protected:
    StartSysInfoTest() : registry(std::make_shared<testing::FakeRegistry>()) {
        pieces.registry = registry;
        pieces.fileExists = [this](const QString& path) {
            checked.push_back(path);
            return existing.contains(path);
        };
        pieces.startProgram = [this](const QString& path) {
            started.push_back(path);
            return startSucceeds;
        };
        pieces.showNotAvailable = [this] { ++messages; };
    }

    std::shared_ptr<testing::FakeRegistry> registry;
    SysInfoPieces pieces;
    QStringList existing;
    bool startSucceeds = true;
    std::vector<QString> checked;
    std::vector<QString> started;
    int messages = 0;
};

TEST_F(StartSysInfoTest, FirstKeyStartsItsPathWithoutLookingAtTheSecond) {
    registry->setText(kToolKey, QStringLiteral("PATH"), "C:\\Tools\\info.exe");
    registry->setText(kLocationKey, QStringLiteral("MSINFO"), "C:\\Elsewhere");

    StartSysInfo(pieces);

    EXPECT_EQ(started, std::vector<QString>{QStringLiteral("C:\\Tools\\info.exe")});
    EXPECT_EQ(messages, 0);
    EXPECT_EQ(registry->opened, std::vector<QString>{kToolKey});
    EXPECT_TRUE(checked.empty());
}

TEST_F(StartSysInfoTest, SecondKeyNamesTheFolderOfTheTool) {
    registry->setText(kLocationKey, QStringLiteral("MSINFO"), "/opt/info");
    const QString tool = QStringLiteral("/opt/info") + QDir::separator() + "MSINFO32.EXE";
    existing << tool;

    StartSysInfo(pieces);

    EXPECT_EQ(registry->opened, (std::vector<QString>{kToolKey, kLocationKey}));
    EXPECT_EQ(checked, std::vector<QString>{tool});
    EXPECT_EQ(started, std::vector<QString>{tool});
    EXPECT_EQ(messages, 0);
}

TEST_F(StartSysInfoTest, SecondKeyFolderWithoutTheToolShowsTheMessage) {
    registry->setText(kLocationKey, QStringLiteral("MSINFO"), "/opt/info");

    StartSysInfo(pieces);

    EXPECT_EQ(checked.size(), 1u);
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(messages, 1);
}

TEST_F(StartSysInfoTest, NoKeyAtAllShowsTheMessage) {
    StartSysInfo(pieces);
    EXPECT_EQ(registry->opened, (std::vector<QString>{kToolKey, kLocationKey}));
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(messages, 1);
}

TEST_F(StartSysInfoTest, ToolThatCannotBeStartedShowsTheMessage) {
    registry->setText(kToolKey, QStringLiteral("PATH"), "/no/such/tool");
    startSucceeds = false;

    StartSysInfo(pieces);

    EXPECT_EQ(started.size(), 1u);
    EXPECT_EQ(messages, 1);
}

TEST_F(StartSysInfoTest, AnyFailureOnTheWayShowsTheMessage) {
    // A value of size 0 cannot be decoded; the failure ends the search at once.
    registry->set(kToolKey, QStringLiteral("PATH"), {kRegText, QByteArray(), 0u});
    registry->setText(kLocationKey, QStringLiteral("MSINFO"), "/opt/info");
    existing << QStringLiteral("/opt/info") + QDir::separator() + "MSINFO32.EXE";

    StartSysInfo(pieces);

    EXPECT_EQ(registry->opened, std::vector<QString>{kToolKey});
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(messages, 1);
    EXPECT_EQ(registry->leakedHandles(), 0);
}

#ifndef Q_OS_WIN
// Puts an executable file named `name` into `dir`.
void addProgram(const QTemporaryDir& dir, const QString& name) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

class StandInRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    std::unique_ptr<Registry> registry(const QStringList& tools) {
        return makeStandInRegistry(tools, {dir.path()});
    }

    QTemporaryDir dir;
    QString value;
};

TEST_F(StandInRegistryTest, FirstKeyNamesTheFirstToolOfTheListThatIsInstalled) {
    addProgram(dir, QStringLiteral("monitor"));
    addProgram(dir, QStringLiteral("hwinfo"));
    const auto stand_in = registry({"absent", "hwinfo", "monitor"});

    ASSERT_TRUE(GetKeyValue(*stand_in, kHkeyLocalMachine, kToolKey, QStringLiteral("PATH"), value));
    EXPECT_EQ(value, dir.filePath(QStringLiteral("hwinfo")));
    // Key and value names ignore case, as on Windows.
    EXPECT_TRUE(GetKeyValue(*stand_in, kHkeyLocalMachine, kToolKey.toLower(),
                            QStringLiteral("path"), value));
}

TEST_F(StandInRegistryTest, AnswersNothingElse) {
    addProgram(dir, QStringLiteral("hwinfo"));
    const auto stand_in = registry({"hwinfo"});
    const RegistryRoot currentUser = 0x80000001u;

    EXPECT_FALSE(GetKeyValue(*stand_in, currentUser, kToolKey, QStringLiteral("PATH"), value));
    EXPECT_FALSE(
        GetKeyValue(*stand_in, kHkeyLocalMachine, kToolKey, QStringLiteral("NAME"), value));
    EXPECT_FALSE(
        GetKeyValue(*stand_in, kHkeyLocalMachine, kLocationKey, QStringLiteral("MSINFO"), value));
}

TEST_F(StandInRegistryTest, WithoutAnInstalledToolTheKeyIsAbsent) {
    // A file that is not executable is no program.
    QFile plain(dir.filePath(QStringLiteral("hwinfo")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const auto stand_in = registry({"hwinfo"});

    EXPECT_FALSE(
        GetKeyValue(*stand_in, kHkeyLocalMachine, kToolKey, QStringLiteral("PATH"), value));
}
#endif

} // namespace
} // namespace bladetrace::platform
