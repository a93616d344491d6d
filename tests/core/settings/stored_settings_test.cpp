#include "settings/stored_settings.h"
#include "support/test_files.h"

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
    EXPECT_EQ(s.saveFolder(), "/c, d");
    EXPECT_EQ(s.diameter(), "0.185");
    EXPECT_EQ(s.velocity(), "50");
    EXPECT_EQ(s.rpm(), "15000");
    EXPECT_EQ(s.topFile("x"), "/a/top.bmp");
    EXPECT_EQ(s.sideFile("x"), "/b/side.jpg");
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
    EXPECT_EQ(s.diameter(), "1"); // "big"
    EXPECT_EQ(s.rpm(), "1");      // empty
    EXPECT_EQ(s.velocity(), "7");
    EXPECT_EQ(s.sideFile("x"), "s");
}

TEST_F(StoredSettingsTest, HandEditedPathWithAnUnquotedCommaIsKeptWhole) {
    testing::make(dir.filePath("settings.ini"),
                  "[General]\nTopFile=/tmp/a, b.bmp\nSideFile=/tmp/c.bmp\n");
    StoredSettings(store()).writeAll(Language::English, 0, "1", "1", "1",
                                     StoredSettings(store()).topFile("x"), "/tmp/c.bmp");
    EXPECT_EQ(StoredSettings(store()).topFile("x"), "/tmp/a, b.bmp");
}

} // namespace
} // namespace bladetrace
