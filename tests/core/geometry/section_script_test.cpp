#include "geometry/fold.h"
#include "geometry/section_script.h"
#include "support/env_guard.h"
#include "support/failure_of.h"
#include "support/locale_guard.h"
#include "support/recording_host.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// Points the system's temporary directory at a fresh folder, so leftovers can be counted.
struct TempDirScope {
    QTemporaryDir dir;
    testing::EnvGuard tmp{"TMPDIR", dir.path().toLocal8Bit()};
    QStringList leftovers() const { return QDir(dir.path()).entryList(QDir::Files); }
};

StationTable blade(int count) {
    StationTable t(count);
    t.Count = count;
    for (int s = 0; s < count; ++s) {
        const auto i = std::size_t(s);
        t.Chord[i] = 0.012f;
        t.Beta[i] = 0.4f;
        t.XLE[i] = 0.01f;
        t.ZLE[i] = 0.02f;
    }
    return t;
}

// The run's section stage: the fold hands each station to the script, whose text goes to the
// clipboard when there is any.
void runSectionStage(StationTable& t, double R, testing::RecordingHost& host) {
    SectionScript script(R, host, host);
    t = foldBlade(std::move(t), [&script](StationTable& s, int i) {
            script.addStation(s, i);
        }).table;
    if (const QString text = script.finish(); !text.isEmpty())
        host.putOnClipboard(text);
}

// Without the correction the stage only folds; with it one section per folded station, tip
// first, and the corrected angle (lowered by the thickness) replaces the folded one. The script
// keeps its decimal point where the user's numbers have a comma.
TEST(SectionStage, OneSectionPerFoldedStationTipFirst) {
    const testing::LocaleGuard german(QLocale::German);
    const struct {
        const char* name;
        int count;
        bool thickness;
        const char* lastRadius; // of the last section: the fold's last station
    } cases[] = {{"41 stations, no correction", 41, false, ""},
                 {"41 stations", 41, true, "0.0243902"},
                 {"42 stations: the last on the axis", 42, true, "0.0000000"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDirScope temp;
        testing::RecordingHost host;
        host.thickness = c.thickness;
        StationTable t = blade(c.count);
        runSectionStage(t, 0.1, host);
        EXPECT_FLOAT_EQ(t.rR[20], float(1.0 - 40.0 / c.count));
        EXPECT_EQ(temp.leftovers(), QStringList());
        if (!c.thickness) {
            EXPECT_EQ(host.clipboard, "(untouched)");
            EXPECT_FLOAT_EQ(t.Beta[0], 0.4f);
            continue;
        }
        const QStringList lines = host.clipboard.split("\r\n");
        ASSERT_EQ(lines.size(), (c.count / 2 + 1) * 33 + 1);
        EXPECT_EQ(lines.back(), "") << "the script ends with its last CR LF";
        EXPECT_EQ(lines[1].section(',', 1, 1), "1.0000000"); // the tip first
        EXPECT_EQ(lines[lines.size() - 3].section(',', 1, 1), c.lastRadius);
        EXPECT_LT(t.Beta[0], 0.4f);
    }
}

// Airfoil reports the station and writes nothing of it; the stage goes on.
TEST(SectionStage, AZeroChordStationIsSkippedWithOneReport) {
    TempDirScope temp;
    testing::RecordingHost host;
    host.thickness = true;
    StationTable t = blade(30);
    t.Chord[3] = 0.0f;
    t.Chord[26] = 0.0f; // its mirror, so the folded chord is zero too
    runSectionStage(t, 0.1, host);
    EXPECT_EQ(host.clipboard.count("_Curve "), 15);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.startsWith("Error6:")) << host.messages[0].text;
    EXPECT_TRUE(host.messages[0].text.endsWith("Issued by Airfoil() in Bladetrace."))
        << host.messages[0].text;
}

TEST(SectionStage, AFailureInTheMiddleLeavesNoTemporaryFile) {
    TempDirScope temp;
    testing::RecordingHost host;
    host.thickness = true;
    host.tipThickness = "ten";
    StationTable t = blade(30);
    EXPECT_EQ(testing::failureOf([&] { runSectionStage(t, 0.1, host); }).number,
              errc::kTypeMismatch);
    EXPECT_EQ(host.clipboard, "(untouched)");
    EXPECT_EQ(temp.leftovers(), QStringList());
}

} // namespace
} // namespace bladetrace
