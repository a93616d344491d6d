#include "geometry/airfoil.h"
#include "support/recording_host.h"

#include <QBuffer>
#include <QPointF>
#include <cmath>
#include <gtest/gtest.h>

namespace bladetrace {
namespace {

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
        const char* name;
        float rR, beta, chord, x0, z0;
        const char *firstPoint, *y;
        double correctedBeta, correctedChord;
    } cases[] = {
        {"mid-blade", 0.5f, 0.3f, 0.15f, 0.02f, -0.01f, "w0.1657265,0.5000000,-0.0455506",
         "0.5000000", 0.24078, 0.147557},
        {"flat at the tip", 1.0f, 0.0f, 0.1f, 0.0f, 0.0f, "w", "1.0000000", -0.17106, 0.101481}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::RecordingHost host;
        float beta = c.beta, chord = c.chord;
        const QStringList lines = airfoil(c.rR, beta, chord, c.x0, c.z0, host);
        ASSERT_EQ(lines.size(), 33);
        EXPECT_TRUE(lines[1].startsWith(c.firstPoint)) << lines[1];
        // The section's leading edge lies on the station's, however it is turned.
        const QString leadingEdge =
            QString("w%1,%2,%3").arg(c.x0, 0, 'f', 7).arg(c.rR, 0, 'f', 7).arg(c.z0, 0, 'f', 7);
        EXPECT_EQ(lines.front(), "_Curve ");
        EXPECT_EQ(lines[16], leadingEdge);
        EXPECT_EQ(lines.back(), "_Enter");
        for (int j = 1; j <= 31; ++j)
            EXPECT_EQ(lines[j].section(',', 1, 1), c.y) << j;
        EXPECT_NEAR(beta, c.correctedBeta, 5e-6);
        EXPECT_NEAR(chord, c.correctedChord, 5e-7);
        EXPECT_EQ(host.messages.size(), 0u);
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
