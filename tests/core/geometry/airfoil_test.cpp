#include "support/recording_host.h"
#include "geometry/airfoil.h"

#include <QBuffer>
#include <QPointF>
#include <cmath>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

struct Section {
    bool written;
    float beta;
    float chord;
    QStringList lines;
};

Section airfoil(float rR, float beta, float chord, float x0, float z0, testing::RecordingHost& host,
                float root = 20, float tip = 10) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Section s{false, beta, chord, {}};
    s.written = Airfoil(rR, s.beta, s.chord, x0, z0, root, tip, buffer, host);
    const QString text = QString::fromLatin1(buffer.data());
    if (!text.isEmpty()) {
        EXPECT_TRUE(text.endsWith("\r\n"));
        s.lines = text.chopped(2).split("\r\n");
    }
    return s;
}

// Each section: "_Curve ", 31 point lines all at the station's r/R, "_Enter"; the angle and
// chord handed back corrected. At the tip the correction drives a flat section below zero.
TEST(Airfoil, WorkedSections) {
    const struct {
        float rR, beta, chord, x0, z0;
        const char *firstPoint, *y;
        double correctedBeta, correctedChord;
    } cases[] = {{0.5f, 0.3f, 0.15f, 0.02f, -0.01f, "w0.1657265,0.5000000,-0.0455506", "0.5000000",
                  0.24078, 0.147557},
                 {1.0f, 0.0f, 0.1f, 0.0f, 0.0f, nullptr, "1.0000000", -0.17106, 0.101481}};
    for (const auto& c : cases) {
        testing::RecordingHost host;
        const Section s = airfoil(c.rR, c.beta, c.chord, c.x0, c.z0, host);
        ASSERT_TRUE(s.written);
        ASSERT_EQ(s.lines.size(), 33);
        EXPECT_EQ(s.lines.front(), "_Curve ");
        if (c.firstPoint) {
            EXPECT_EQ(s.lines[1], c.firstPoint);
        }
        EXPECT_EQ(s.lines.back(), "_Enter");
        for (int j = 1; j <= 31; ++j)
            EXPECT_EQ(s.lines[j].section(',', 1, 1), c.y) << j;
        EXPECT_NEAR(s.beta, c.correctedBeta, 5e-6);
        EXPECT_NEAR(s.chord, c.correctedChord, 5e-7);
        EXPECT_TRUE(host.messages.empty());
    }
}

TEST(Airfoil, ThicknessFollowsTheRadiusLinearly) {
    // With a chord of 100 the script is in percent of chord. Points 8 and 24 are the upper
    // and lower surface at x = 30, where the base section is 10.0 thick; their distance does
    // not depend on how far the section was turned.
    testing::RecordingHost host;
    const auto thickness = [&](float rR) {
        const Section s = airfoil(rR, 0.2f, 100.0f, 0.0f, 0.0f, host);
        const auto point = [&](int j) {
            const QStringList xyz = s.lines[j].mid(1).split(',');
            return QPointF(xyz[0].toDouble(), xyz[2].toDouble());
        };
        const QPointF d = point(8) - point(24);
        return std::hypot(d.x(), d.y());
    };
    EXPECT_NEAR(thickness(1.0f), 10.0, 1e-5);
    EXPECT_NEAR(thickness(0.5f), 15.0, 1e-5);
    EXPECT_NEAR(thickness(0.0f), 20.0, 1e-5);
    EXPECT_NEAR(thickness(-0.5f), 15.0, 1e-5);
}

TEST(Airfoil, ZeroChordIsReportedAndWritesNothing) {
    testing::RecordingHost host;
    const Section s = airfoil(0.5f, 0.3f, 0.0f, 0.0f, 0.0f, host);
    EXPECT_FALSE(s.written);
    EXPECT_TRUE(s.lines.isEmpty());
    EXPECT_FLOAT_EQ(s.beta, 0.3f);
    EXPECT_EQ(s.chord, 0.0f);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.startsWith("Error6:"));
    EXPECT_TRUE(host.messages[0].text.endsWith("Issued by Airfoil() in Bladetrace."));
}

} // namespace
} // namespace bladetrace
