#include "distribution_chart.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace bladetrace::test {
namespace {

using Units = WindowTest;

struct RoundTrip {
    const char* diameter;
    const char* velocity;
    const char* imperialDiameter;
    const char* imperialVelocity;
    const char* metricDiameter;
    const char* metricVelocity;
};

TEST_F(Units, ToggleConvertsBothBoxesAndRelabelsThem) {
    const RoundTrip trips[] = {{"0.185", "50", "7.283", "111.85", "0.1850", "50.00"},
                               {"1", "1", "39.370", "2.24", "1.0000", "1.00"}};
    for (const RoundTrip& t : trips) {
        window->txtDiameter->setText(QString::fromLatin1(t.diameter));
        window->txtVelocity->setText(QString::fromLatin1(t.velocity));
        window->txtRPM->setText(QStringLiteral("15000"));

        window->chkUnits->click();
        EXPECT_EQ(window->txtDiameter->text(), QString::fromLatin1(t.imperialDiameter));
        EXPECT_EQ(window->txtVelocity->text(), QString::fromLatin1(t.imperialVelocity));
        EXPECT_EQ(window->Label1[2]->text(), QStringLiteral("[inch]"));
        EXPECT_EQ(window->Label1[6]->text(), QStringLiteral("[mph]"));

        window->chkUnits->click();
        EXPECT_EQ(window->txtDiameter->text(), QString::fromLatin1(t.metricDiameter));
        EXPECT_EQ(window->txtVelocity->text(), QString::fromLatin1(t.metricVelocity));
        EXPECT_EQ(window->Label1[2]->text(), QStringLiteral("[m]"));
        EXPECT_EQ(window->Label1[6]->text(), QStringLiteral("[m/s]"));
        EXPECT_EQ(window->txtRPM->text(), QStringLiteral("15000"));
        EXPECT_EQ(window->Label1[5]->text(), QStringLiteral("[1/min]"));
    }
}

TEST_F(Units, BoxWithoutANumberStaysAsItIs) {
    window->txtDiameter->setText(QStringLiteral("big"));
    window->txtVelocity->setText(QStringLiteral("50"));
    window->chkUnits->setChecked(true);
    EXPECT_EQ(window->txtDiameter->text(), QStringLiteral("big"));
    EXPECT_EQ(window->txtVelocity->text(), QStringLiteral("111.85"));
    EXPECT_EQ(window->Label1[2]->text(), QStringLiteral("[inch]"));
}

TEST_F(Units, ImperialRunGivesInchesInPitchChart) {
    window->chkUnits->setChecked(true);
    window->btnGo_Click();
    ASSERT_EQ(window->lastOutcome(), RunOutcome::Completed);
    EXPECT_EQ(window->ctlPitchGraph->yTitle(), QStringLiteral("H [inch]"));
}

} // namespace
} // namespace bladetrace::test
