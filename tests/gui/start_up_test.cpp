#include "distribution_chart.h"
#include "frm_about.h"
#include "results_grid.h"
#include "tab_strip.h"
#include "twips.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace bladetrace::test {
namespace {

// Starts of the program on one settings file, each with a fresh store and window.
class StartUp : public ::testing::Test {
protected:
    void start() {
        window.reset();
        settings = store.open();
        window = std::make_unique<frmMain>(dialogs, *settings);
        window->Form_Load();
    }
    void restart() {
        ASSERT_TRUE(window->close());
        start();
    }
    QString file(const QString& name) const { return dir.filePath(name); }
    void paintedPair() const {
        store.set(QStringLiteral("TopFile"), paintBlade(file("top.bmp"), View::Top, 20, 380));
        store.set(QStringLiteral("SideFile"), paintBlade(file("side.bmp"), View::Side, 20, 380));
    }

    void expectReady() const {
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Bladetrace"));
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->isEnabled());
        EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(window->sldThreshold->value(), 110);
        EXPECT_TRUE(window->grdTop->isVisible());
        EXPECT_TRUE(window->ctlChordGraph->isHidden());
    }

    QTemporaryDir dir;
    SettingsFile store;
    DialogRecorder dialogs;
    std::unique_ptr<StoredSettings> settings;
    std::unique_ptr<frmMain> window;
};

TEST_F(StartUp, FirstStartOpensTheSamplePairBesideTheProgramAndRunsIt) {
    start();
    expectReady();
    EXPECT_EQ(window->lLanguage, kEnglish);
    EXPECT_EQ(window->TabStrip1->caption(0), QStringLiteral("Spreadsheet"));
    EXPECT_FALSE(window->chkUnits->isChecked());
    EXPECT_EQ(window->Label1[2]->text(), QStringLiteral("[m]"));
    EXPECT_EQ(window->Label1[6]->text(), QStringLiteral("[m/s]"));
    EXPECT_EQ(window->txtDiameter->text(), QStringLiteral("1"));
    EXPECT_EQ(window->txtVelocity->text(), QStringLiteral("1"));
    EXPECT_EQ(window->txtRPM->text(), QStringLiteral("1"));
    const QString programDir = QCoreApplication::applicationDirPath();
    EXPECT_EQ(window->txtTopFile->text(), programDir + "/pylon 1.bmp");
    EXPECT_EQ(window->txtSideFile->text(), programDir + "/pylon 2.bmp");
    for (QLabel* preview : window->imgPreview) {
        EXPECT_TRUE(preview->isVisible());
        EXPECT_FALSE(preview->pixmap().isNull());
        EXPECT_EQ(preview->width(), toPixels(2800));
    }
    EXPECT_TRUE(store.keys().isEmpty()); // nothing is written at start-up

    window->btnGo_Click();
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Completed);
    EXPECT_GT(window->grdTop->rowCount(), 20);
    EXPECT_FALSE(window->ctlPitchGraph->points().isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(StartUp, StoredImperialValuesAreShownAsStoredAndKeptAtExit) {
    store.set(QStringLiteral("Units"), QStringLiteral("1"));
    store.set(QStringLiteral("Diameter"), QStringLiteral("7.283"));
    store.set(QStringLiteral("Velocity"), QStringLiteral("111.85"));
    store.set(QStringLiteral("RPM"), QStringLiteral("15000"));
    const auto expectAsStored = [this] {
        EXPECT_TRUE(window->chkUnits->isChecked());
        EXPECT_EQ(window->Label1[2]->text(), QStringLiteral("[inch]"));
        EXPECT_EQ(window->Label1[6]->text(), QStringLiteral("[mph]"));
        EXPECT_EQ(window->txtDiameter->text(), QStringLiteral("7.283"));
        EXPECT_EQ(window->txtVelocity->text(), QStringLiteral("111.85"));
        EXPECT_EQ(window->txtRPM->text(), QStringLiteral("15000"));
    };
    start();
    expectAsStored();
    restart();
    EXPECT_EQ(store.value(QStringLiteral("Units")), QStringLiteral("1"));
    expectAsStored();
}

TEST_F(StartUp, SettingsAreWrittenOnlyAtExitWithNumbersTrimmed) {
    start();
    window->txtDiameter->clear();
    QTest::keyClicks(window->txtDiameter, QStringLiteral("0.1850"));
    window->txtVelocity->setText(QStringLiteral("50.0"));
    window->txtRPM->setText(QStringLiteral("fast"));
    window->txtSideFile->setText(QStringLiteral("/scans/side.jpg"));
    window->chkUnits->click();
    window->chkUnits->click();
    EXPECT_FALSE(window->chkMatchSpans->isChecked());
    window->chkMatchSpans->click();
    EXPECT_TRUE(store.keys().isEmpty());

    ASSERT_TRUE(window->close());
    EXPECT_EQ(store.keys().size(), 9);
    EXPECT_EQ(store.value(QStringLiteral("MatchSpans")), QStringLiteral("1"));
    EXPECT_EQ(store.value(QStringLiteral("Language")), QStringLiteral("1"));
    EXPECT_EQ(store.value(QStringLiteral("Units")), QStringLiteral("0"));
    EXPECT_EQ(store.value(QStringLiteral("Diameter")), QStringLiteral("0.185"));
    EXPECT_EQ(store.value(QStringLiteral("Velocity")), QStringLiteral("50"));
    EXPECT_EQ(store.value(QStringLiteral("RPM")), QStringLiteral("1")); // no number: default
    EXPECT_EQ(store.value(QStringLiteral("TopFile")),
              QCoreApplication::applicationDirPath() + "/pylon 1.bmp");
    EXPECT_EQ(store.value(QStringLiteral("SideFile")), QStringLiteral("/scans/side.jpg"));

    start();
    EXPECT_EQ(window->txtDiameter->text(), QStringLiteral("0.185"));
    EXPECT_TRUE(window->chkMatchSpans->isChecked());
}

TEST_F(StartUp, RestartKeepsTheChosenLanguageAndUnits) {
    start();
    dialogs.onAbout = [](frmAbout& about) { about.cbLanguage->setCurrentIndex(1); };
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    ASSERT_EQ(dialogs.aboutsShown, 1);
    window->chkUnits->click(); // 1 m and 1 m/s become 39.370 inch and 2.24 mph
    restart();

    EXPECT_EQ(window->lLanguage, kGerman);
    EXPECT_EQ(window->TabStrip1->caption(0), QStringLiteral("Tabelle"));
    EXPECT_EQ(window->btnCopy->text(), QStringLiteral("Kopieren"));
    EXPECT_TRUE(window->chkUnits->isChecked());
    EXPECT_EQ(window->Label1[2]->text(), QStringLiteral("[inch]"));
    EXPECT_EQ(window->txtDiameter->text(), QStringLiteral("39.37"));
    EXPECT_EQ(window->txtVelocity->text(), QStringLiteral("2.24"));
}

TEST_F(StartUp, ValuesThatDoNotConvertFallBackWithoutLosingTheOthers) {
    store.set(QStringLiteral("Language"), QStringLiteral("7"));
    store.set(QStringLiteral("Units"), QStringLiteral("x"));
    store.set(QStringLiteral("Diameter"), QStringLiteral("0.3"));
    store.set(QStringLiteral("RPM"), QStringLiteral("9000"));
    store.set(QStringLiteral("TopFile"), QStringLiteral("/nowhere/top.bmp"));
    start();
    expectReady();
    EXPECT_EQ(window->lLanguage, kEnglish);
    EXPECT_EQ(window->TabStrip1->caption(0), QStringLiteral("Spreadsheet"));
    EXPECT_FALSE(window->chkUnits->isChecked());
    EXPECT_EQ(window->Label1[2]->text(), QStringLiteral("[m]"));
    EXPECT_EQ(window->txtDiameter->text(), QStringLiteral("0.3"));
    EXPECT_EQ(window->txtRPM->text(), QStringLiteral("9000"));
    EXPECT_EQ(window->txtTopFile->text(), QStringLiteral("/nowhere/top.bmp"));
    EXPECT_TRUE(window->imgPreview[0]->pixmap().isNull()); // a missing file is no failure
    EXPECT_FALSE(window->imgPreview[1]->pixmap().isNull());

    ASSERT_TRUE(window->close());
    EXPECT_EQ(store.value(QStringLiteral("Language")), QStringLiteral("1"));
    EXPECT_EQ(store.value(QStringLiteral("Units")), QStringLiteral("0"));
    EXPECT_EQ(store.value(QStringLiteral("Diameter")), QStringLiteral("0.3"));
    EXPECT_EQ(store.value(QStringLiteral("TopFile")), QStringLiteral("/nowhere/top.bmp"));
}

// What the window looked like when the start-up let the event queue run.
struct LoadingState {
    bool seen = false;
    QString title;
    bool visible = false;
    bool enabled = true;
    bool hourglass = false;
    bool closed = true;
    bool chartsHidden = false;
    bool topShown = false;
    bool sideShown = false;
    QString firstTab;
    QString diameterUnit;
};

TEST_F(StartUp, PreviewsLoadInTheLoadingStateInTheStoredLanguage) {
    paintedPair();
    store.set(QStringLiteral("Language"), QStringLiteral("2"));
    store.set(QStringLiteral("Units"), QStringLiteral("1"));
    settings = store.open();
    window = std::make_unique<frmMain>(dialogs, *settings);
    LoadingState during;
    QMetaObject::invokeMethod(
        window.get(),
        [&] {
            frmMain& w = *window;
            during.seen = true;
            during.title = w.windowTitle();
            during.visible = w.isVisible();
            during.enabled = w.isEnabled();
            during.hourglass =
                w.cursor().shape() == Qt::WaitCursor && !QApplication::overrideCursor();
            // The window manager delivers a close to the disabled window too.
            during.closed = w.close();
            during.chartsHidden = w.ctlChordGraph->isHidden() && w.ctlBetaGraph->isHidden() &&
                                  w.ctlPitchGraph->isHidden();
            during.topShown = !w.imgPreview[0]->pixmap().isNull();
            during.sideShown = !w.imgPreview[1]->pixmap().isNull();
            during.firstTab = w.TabStrip1->caption(0);
            during.diameterUnit = w.Label1[2]->text();
        },
        Qt::QueuedConnection);
    window->Form_Load();

    ASSERT_TRUE(during.seen);
    EXPECT_EQ(during.title, QStringLiteral("Bladetrace - loading..."));
    EXPECT_TRUE(during.visible);
    EXPECT_FALSE(during.enabled);
    EXPECT_TRUE(during.hourglass);
    EXPECT_FALSE(during.closed);
    EXPECT_TRUE(during.chartsHidden);
    EXPECT_TRUE(during.topShown);
    EXPECT_FALSE(during.sideShown);
    EXPECT_EQ(during.firstTab, QStringLiteral("Tabelle"));
    EXPECT_EQ(during.diameterUnit, QStringLiteral("[inch]"));

    expectReady();
    EXPECT_FALSE(window->imgPreview[1]->pixmap().isNull());
    EXPECT_FALSE(store.keys().contains(QStringLiteral("Diameter"))); // no shut-down yet
}

TEST_F(StartUp, TopFileThatIsNoImageEndsTheLoadingSilently) {
    paintedPair();
    QFile broken(file("broken.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("this is no picture");
    broken.close();
    store.set(QStringLiteral("TopFile"), broken.fileName());
    start();

    expectReady();
    EXPECT_TRUE(window->imgPreview[0]->isHidden());
    EXPECT_TRUE(window->imgPreview[1]->pixmap().isNull()); // the side view was skipped
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(StartUp, ClosingDuringARunStopsTheRunSilentlyThenClosesAndStores) {
    paintedPair();
    start();
    window->txtDiameter->setText(QStringLiteral("0.185"));
    // Delivered when the run first lets the event queue run, before the scans.
    QMetaObject::invokeMethod(
        window.get(), [this] { window->close(); }, Qt::QueuedConnection);
    window->btnGo_Click();
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Aborted);
    EXPECT_TRUE(dialogs.messages.isEmpty()); // the user did not press Escape
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(store.value(QStringLiteral("Diameter")).isEmpty());

    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(store.value(QStringLiteral("Diameter")), QStringLiteral("0.185"));
}

} // namespace
} // namespace bladetrace::test
