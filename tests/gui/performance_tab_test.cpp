#include "performance/qprop_polar.h"
#include "performance_page.h"
#include "plot_view.h"
#include "support/polar_printer.h"
#include "window_fixture.h"
#include "window_run_host.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QSpinBox>
#include <QTabBar>

namespace bladetrace::test {
namespace {

// The "Performance" tab: the prediction from the last run, the dialog that sets its blades,
// polar and air, and what is kept of those between starts.
class PerformanceTab : public WindowTest {
protected:
    PerformancePage& page() const { return *window->ctlPerformance; }

    // A propeller of ten inches at 6000 RPM and 10 m/s.
    void run() const {
        window->txtDiameter->setText("0.254");
        window->txtRPM->setText("6000");
        window->txtVelocity->setText("10");
        window->btnGo_Click();
        ASSERT_EQ(window->lastOutcome(), RunOutcome::Completed);
        ASSERT_TRUE(page().prediction());
        ASSERT_EQ(page().prediction()->problem, QString());
    }
    double staticThrust() const { return page().prediction()->curve.front().CT; }
    // The tab's button, the dialog worked by `work` as the user would.
    void settingsDialog(std::function<void(frmPerformance&)> work) {
        dialogs.onPerformance = std::move(work);
        page().btnPerfSettings->click();
    }
    QString copied() const {
        window->btnCopy_Click();
        return QGuiApplication::clipboard()->text();
    }
    QString writeFile(const char* name, const char* text) const {
        QFile out(file(QLatin1String(name)));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
        return out.fileName();
    }
};

TEST_F(PerformanceTab, FollowsTheChartsFillsAfterARunCopiesItsTableAndFollowsUnitsAndLanguage) {
    ASSERT_EQ(window->TabStrip1->tabBar()->count(), 5);
    EXPECT_EQ(window->TabStrip1->caption(4), "Performance");
    window->TabStrip1->selectKey("PERFORMANCE");
    EXPECT_TRUE(page().isVisible());
    EXPECT_FALSE(window->ctlPitchGraph->isVisible());
    EXPECT_EQ(page().lblOperatingPoint->text(), "The prediction follows each completed run.");
    EXPECT_EQ(page().ctlCoefficientsGraph->plot().lines.at(0).x.size(), 0u);

    run();
    const std::size_t points = page().prediction()->curve.size();
    const Plot& coefficients = page().ctlCoefficientsGraph->plot();
    ASSERT_EQ(coefficients.lines.size(), 3u); // CT, CP and the operating point
    EXPECT_EQ(coefficients.lines[0].x.size(), points);
    EXPECT_EQ(page().ctlEfficiencyGraph->plot().title, "Efficiency");
    EXPECT_TRUE(page().lblOperatingPoint->text().startsWith("At 10.0\u00a0m/s (J = "))
        << page().lblOperatingPoint->text().toStdString();

    const QStringList table = copied().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(table.size(), qsizetype(points) + 1);
    EXPECT_EQ(table[0], "J,V [m/s],CT,CP,eta,T [N],P [W],Q [N m]");
    EXPECT_TRUE(table[1].startsWith("0.0")) << table[1].toStdString();

    window->chkUnits->setChecked(true);
    EXPECT_TRUE(page().lblOperatingPoint->text().contains("lbf"));
    EXPECT_TRUE(copied().startsWith("J,V [mph],CT,CP,eta,T [lbf],P [W],Q [N m]\n"));

    window->lLanguage = languageNumber(Language::German);
    window->SwitchLanguage();
    EXPECT_EQ(window->TabStrip1->caption(4), "Leistung");
    EXPECT_EQ(page().btnPerfSettings->text(), "Blätter und Polare…");
    EXPECT_EQ(page().ctlEfficiencyGraph->plot().title, "Wirkungsgrad");
    EXPECT_TRUE(page().lblOperatingPoint->text().startsWith("Bei "))
        << page().lblOperatingPoint->text().toStdString();
    settingsDialog([](frmPerformance& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Blätter, Polare und Luft");
        EXPECT_EQ(dialog.btnDefaults->text(), "Voreinstellung");
        dialog.cmdCancel->click();
    });
    EXPECT_EQ(window->performanceChoice().blades, 2);
}

// More blades give more static thrust at once; the run's record takes them, so that the
// QPROP file Save writes has them too. Values that cannot be used keep the dialog open.
TEST_F(PerformanceTab, TheDialogChangesThePredictionWithoutARunAndRefusesWhatCannotBeUsed) {
    run();
    const double twoBlades = staticThrust();
    settingsDialog([](frmPerformance& dialog) {
        dialog.txtBlades->setValue(4);
        dialog.txtPolar[3]->setText("-1"); // CLmax below CLmin
        dialog.cmdOK->click();
        dialog.txtPolar[3]->setText("abc");
        dialog.cmdOK->click();
        dialog.txtPolar[3]->setText("1.2");
        dialog.txtAirDensity->setText("0");
        dialog.cmdOK->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        dialog.txtAirDensity->setText("1.1");
        dialog.cmdOK->click();
    });
    ASSERT_EQ(dialogs.messages.size(), 3);
    EXPECT_EQ(dialogs.messages[0].text, "The polar cannot be used: CLmin must be below CLmax.");
    EXPECT_EQ(dialogs.messages[1].text, "CLmax: \"abc\" is not a number");
    EXPECT_EQ(dialogs.messages[2].text, "Air density and kinematic viscosity must be above zero.");

    EXPECT_EQ(window->performanceChoice().blades, 4);
    EXPECT_EQ(window->performanceChoice().polar.clMax, 1.2);
    EXPECT_EQ(window->performanceChoice().air.density, 1.1);
    EXPECT_GT(staticThrust(), twoBlades);
    EXPECT_EQ(WindowRunHost(*window).bladeCount(), 4);

    dialogs.answers << file("prop.qprop");
    window->btnSave_Click();
    QFile qprop(file("prop.qprop"));
    ASSERT_TRUE(qprop.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(qprop.readAll());
    EXPECT_TRUE(written.contains(QRegularExpression(QStringLiteral("\n 4  [0-9.]+ +! Nblades"))))
        << written.toStdString();
}

TEST_F(PerformanceTab, AQpropFileFillsTheDialogTheChoiceIsRememberedABadStoredValueFallsBack) {
    const QString bad = writeFile("bad.txt", "Prop\n 3\n 0.45 x ! CL0 CL_a\n");
    const QString good = writeFile("good", "Prop\n\n 3  0.127 ! Nblades R\n 0.45 5.5\n"
                                           "-0.2 1.1\n 0.03 0.06 0.02 0.4\n 60000 -0.5\n");
    dialogs.answers << bad << good;
    settingsDialog([](frmPerformance& dialog) {
        dialog.txtBlades->setValue(5);
        dialog.btnReadQprop->click(); // the bad file changes nothing
        EXPECT_EQ(dialog.txtBlades->value(), 5);
        dialog.btnReadQprop->click();
        EXPECT_EQ(dialog.txtBlades->value(), 3);
        EXPECT_EQ(dialog.txtPolar[8]->text(), "60000");
        dialog.cmdOK->click();
    });
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, "Line 3 of the QPROP file: \"x\" is not a number.");
    const QpropPolarFile read =
        parseQpropPolar(QStringLiteral("Prop\n 3\n 0.45 5.5\n-0.2 1.1\n"
                                       " 0.03 0.06 0.02 0.4\n 60000 -0.5\n"))
            .file;
    EXPECT_EQ(window->performanceChoice().polar, read.polar);

    ASSERT_TRUE(window->close()); // the next start
    start();
    EXPECT_EQ(window->performanceChoice().blades, 3);
    EXPECT_EQ(window->performanceChoice().polar, read.polar);

    set("Blades", "13");
    set("CD0", "-0.1");
    start();
    EXPECT_EQ(window->performanceChoice().blades, 2);
    EXPECT_EQ(window->performanceChoice().polar, defaultPolar());
}

} // namespace
} // namespace bladetrace::test
