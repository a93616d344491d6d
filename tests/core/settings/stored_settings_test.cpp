#include "settings/stored_settings.h"
#include "support/polar_printer.h"
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

// Written as C numbers that read back exactly, in any locale; each bad value falls back on its
// own, and the polar as a whole.
TEST_F(StoredSettingsTest, PerformanceChoiceRoundTripsExactlyAndBadValuesFallBack) {
    PerformanceChoice chosen;
    chosen.blades = 3;
    chosen.polar = genericPolar();
    chosen.polar.cd0 = 0.1 + 0.2; // no short decimal
    chosen.air.kinematicViscosity = 1.5e-5;
    QLocale::setDefault(QLocale::German);
    StoredSettings(store()).writePerformance(chosen);
    QLocale::setDefault(QLocale::c());
    const PerformanceChoice read = StoredSettings(store()).performanceChoice();
    EXPECT_EQ(read.blades, 3);
    EXPECT_EQ(read.polar, chosen.polar);
    EXPECT_EQ(read.air.kinematicViscosity, 1.5e-5);

    enum class Part { Blades, Polar, Density, Viscosity };
    const struct {
        const char* key;
        const char* value;
        Part fallsBack;
    } bad[] = {{"Blades", "2.5", Part::Blades},
               {"Blades", "0", Part::Blades},
               {"CLmax", "-1", Part::Polar},
               {"REref", "", Part::Polar},
               {"LiftReExp", "x", Part::Polar},
               {"AirDensity", "0", Part::Density},
               {"KinematicViscosity", "nan", Part::Viscosity}};
    for (const auto& row : bad) {
        SCOPED_TRACE(std::string(row.key) + "=" + row.value);
        StoredSettings(store()).writePerformance(chosen);
        store()->setValue(row.key, row.value);
        const PerformanceChoice fallen = StoredSettings(store()).performanceChoice();
        EXPECT_EQ(fallen.blades, row.fallsBack == Part::Blades ? 2 : 3);
        EXPECT_EQ(fallen.polar, row.fallsBack == Part::Polar ? defaultPolar() : chosen.polar);
        EXPECT_EQ(fallen.air.density,
                  row.fallsBack == Part::Density ? Air{}.density : chosen.air.density);
        EXPECT_EQ(fallen.air.kinematicViscosity, row.fallsBack == Part::Viscosity
                                                     ? Air{}.kinematicViscosity
                                                     : chosen.air.kinematicViscosity);
    }
}

} // namespace
} // namespace bladetrace
