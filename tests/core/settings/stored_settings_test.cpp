#include "settings/stored_settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

class StoredSettingsTest : public ::testing::Test {
protected:
    std::unique_ptr<QSettings> store() const {
        return std::make_unique<QSettings>(dir.filePath("settings.ini"), QSettings::IniFormat);
    }
    QTemporaryDir dir;
};

TEST_F(StoredSettingsTest, RoundTripKeepsTextsAndTrimsNumbers) {
    StoredSettings written(store());
    written.writeAll(Language::German, 1, "0.1850", "15000", "50.0", "/a/top.bmp", "/b/side.jpg");
    written.writeAdded(true, "/c, d");
    const StoredSettings s(store());
    EXPECT_TRUE(s.matchSpans());
    EXPECT_EQ(s.language(), Language::German);
    EXPECT_EQ(s.units(), 1);
    EXPECT_EQ((QStringList{s.saveFolder(), s.diameter(), s.velocity(), s.rpm(), s.topFile("x"),
                           s.sideFile("x")}),
              (QStringList{"/c, d", "0.185", "50", "15000", "/a/top.bmp", "/b/side.jpg"}));
}

TEST_F(StoredSettingsTest, ValuesThatDoNotConvertFallBackWithoutLosingTheRest) {
    StoredSettings(store()).writeAll(Language::English, 0, "big", "", "7", "t", "s");
    {
        auto raw = store();
        raw->setValue("Language", "0");
        raw->setValue("Units", "yes");
    }
    StoredSettings s(store());
    EXPECT_EQ(s.language(), Language::English);
    EXPECT_EQ(s.units(), 0);
    EXPECT_EQ((QStringList{s.diameter(), s.rpm(), s.velocity(), s.sideFile("x")}),
              (QStringList{"1", "1", "7", "s"}));
}

TEST_F(StoredSettingsTest, HandEditedPathWithAnUnquotedCommaIsKeptWhole) {
    QFile file(dir.filePath("settings.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nTopFile=/tmp/a, b.bmp\nSideFile=/tmp/c.bmp\n");
    file.close();
    StoredSettings(store()).writeAll(Language::English, 0, "1", "1", "1",
                                     StoredSettings(store()).topFile("x"), "/tmp/c.bmp");
    EXPECT_EQ(StoredSettings(store()).topFile("x"), "/tmp/a, b.bmp");
}

} // namespace
} // namespace bladetrace
