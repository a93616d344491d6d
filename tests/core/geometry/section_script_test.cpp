#include "geometry/section_script.h"
#include "support/failure_of.h"
#include "support/recording_host.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

// Points the system's temporary directory at a fresh folder, so leftovers can be counted.
class TempDirScope {
public:
    TempDirScope() : saved_(qgetenv("TMPDIR")) { qputenv("TMPDIR", dir_.path().toLocal8Bit()); }
    ~TempDirScope() { qputenv("TMPDIR", saved_); }
    QStringList leftovers() const { return QDir(dir_.path()).entryList(QDir::Files); }

private:
    QTemporaryDir dir_;
    QByteArray saved_;
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

// Without the correction the stage only folds; with it one section per folded station, tip
// first, and the corrected angle (lowered by the thickness) replaces the folded one. The script
// keeps its decimal point where the user's numbers have a comma.
TEST(SectionStage, OneSectionPerFoldedStationTipFirst) {
    QLocale::setDefault(QLocale::German);
    for (const auto& [count, thickness] : {std::pair{41, false}, {41, true}, {42, true}}) {
        TempDirScope temp;
        testing::RecordingHost host;
        host.thickness = thickness;
        StationTable t = blade(count);
        runSectionStage(t, 0.1, host);
        EXPECT_FLOAT_EQ(t.rR[20], float(1.0 - 40.0 / count));
        EXPECT_TRUE(temp.leftovers().isEmpty());
        if (!thickness) {
            EXPECT_EQ(host.clipboard, "(untouched)");
            EXPECT_FLOAT_EQ(t.Beta[0], 0.4f);
            continue;
        }
        const QStringList lines = host.clipboard.split("\r\n");
        ASSERT_EQ(lines.size(), (count / 2 + 1) * 33 + 1) << count;
        EXPECT_EQ(lines.back(), ""); // the script ends with its last CR LF
        EXPECT_EQ(lines[0], "_Curve ");
        EXPECT_EQ(lines[1].section(',', 1, 1), "1.0000000");
        EXPECT_EQ(lines[lines.size() - 3].section(',', 1, 1),
                  count == 42 ? "0.0000000" : "0.0243902");
        EXPECT_EQ(host.clipboard.count("_Enter"), count / 2 + 1);
        EXPECT_LT(t.Beta[0], 0.4f);
    }
    QLocale::setDefault(QLocale::c());
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
    EXPECT_TRUE(host.messages[0].text.startsWith("Error6:"));
    EXPECT_TRUE(host.messages[0].text.endsWith("Issued by Airfoil() in Bladetrace."));
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
    EXPECT_TRUE(temp.leftovers().isEmpty()) << temp.leftovers().join(' ').toStdString();
}

} // namespace
} // namespace bladetrace
