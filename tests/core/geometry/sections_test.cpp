#include "geometry/airfoil.h"
#include "geometry/fold.h"
#include "geometry/section_script.h"
#include "support/failure_of.h"
#include "support/recording_host.h"

#include <QBuffer>
#include <QDir>
#include <QPointF>
#include <QTemporaryDir>
#include <cmath>
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
        // The script ends with its last CR LF.
        EXPECT_EQ((QStringList{lines.back(), lines[1].section(',', 1, 1),
                               lines[lines.size() - 3].section(',', 1, 1)}),
                  (QStringList{"", "1.0000000", count == 42 ? "0.0000000" : "0.0243902"}));
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

// The lines of the section Airfoil writes (root 20 %, tip 10 %); `beta` and `chord` come back
// corrected.
QStringList airfoil(float rR, float& beta, float& chord, float x0, float z0,
                    testing::RecordingHost& host) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const bool written = Airfoil(rR, beta, chord, x0, z0, 20, 10, buffer, host);
    const QString text = QString::fromLatin1(buffer.data());
    EXPECT_EQ(written, text.endsWith("\r\n"));
    return text.isEmpty() ? QStringList() : text.chopped(2).split("\r\n");
}

// Each section: "_Curve ", 31 point lines all at the station's r/R, "_Enter". At the tip the
// correction drives a flat section below zero.
TEST(Airfoil, WorkedSections) {
    const struct {
        float rR, beta, chord, x0, z0;
        const char *firstPoint, *y;
        double correctedBeta, correctedChord;
    } cases[] = {{0.5f, 0.3f, 0.15f, 0.02f, -0.01f, "w0.1657265,0.5000000,-0.0455506", "0.5000000",
                  0.24078, 0.147557},
                 {1.0f, 0.0f, 0.1f, 0.0f, 0.0f, "w", "1.0000000", -0.17106, 0.101481}};
    for (const auto& c : cases) {
        testing::RecordingHost host;
        float beta = c.beta, chord = c.chord;
        const QStringList lines = airfoil(c.rR, beta, chord, c.x0, c.z0, host);
        ASSERT_EQ(lines.size(), 33);
        EXPECT_TRUE(lines[1].startsWith(c.firstPoint)) << lines[1].toStdString();
        // The section's leading edge lies on the station's, however it is turned.
        const QString leadingEdge =
            QString("w%1,%2,%3").arg(c.x0, 0, 'f', 7).arg(c.rR, 0, 'f', 7).arg(c.z0, 0, 'f', 7);
        EXPECT_EQ((QStringList{lines.front(), lines[16], lines.back()}),
                  (QStringList{"_Curve ", leadingEdge, "_Enter"}));
        for (int j = 1; j <= 31; ++j)
            EXPECT_EQ(lines[j].section(',', 1, 1), c.y) << j;
        EXPECT_NEAR(beta, c.correctedBeta, 5e-6);
        EXPECT_NEAR(chord, c.correctedChord, 5e-7);
        EXPECT_TRUE(host.messages.empty());
    }
}

// With a chord of 100 the script is in percent of chord. Points 8 and 24 are the upper and
// lower surface at x = 30, where the base section is 10.0 thick; their distance does not
// depend on how far the section was turned.
TEST(Airfoil, ThicknessFollowsTheRadiusLinearly) {
    for (const auto& [rR, thickness] :
         {std::pair{1.0f, 10.0}, {0.5f, 15.0}, {0.0f, 20.0}, {-0.5f, 15.0}}) {
        testing::RecordingHost host;
        float beta = 0.2f, chord = 100.0f;
        const QStringList lines = airfoil(rR, beta, chord, 0, 0, host);
        const auto point = [&](int j) {
            const QStringList xyz = lines[j].mid(1).split(',');
            return QPointF(xyz[0].toDouble(), xyz[2].toDouble());
        };
        const QPointF d = point(8) - point(24);
        EXPECT_NEAR(std::hypot(d.x(), d.y()), thickness, 1e-5) << rR;
    }
}

} // namespace
} // namespace bladetrace
