#include "window_fixture.h"

namespace bladetrace::test {
namespace {

// Starts of the program on one settings file, which each test fills first.
class StartUp : public WindowTest {
protected:
    void SetUp() override {}

    // The first tab's caption, the units and the input boxes.
    QStringList shown() const {
        return {window->TabStrip1->caption(0),
                window->Label1[frmMain::kDiameterUnitLabel]->text(),
                window->Label1[frmMain::kSpeedUnitLabel]->text(),
                window->txtDiameter->text(),
                window->txtVelocity->text(),
                window->txtRPM->text(),
                window->txtTopFile->text(),
                window->txtSideFile->text()};
    }
};

// The first start shows the sample pair beside the program and writes nothing. The next
// start shows what the boxes held at exit, imperial values as they were (not converted once
// more), in the language chosen.
TEST_F(StartUp, FirstStartShowsTheSamplesExitStoresTheBoxesAndTheNextStartShowsThem) {
    start();
    EXPECT_EQ(windowState(), kReady);
    const QString top = QCoreApplication::applicationDirPath() + "/pylon 1.bmp";
    EXPECT_EQ(shown(), (QStringList{"Spreadsheet", "[m]", "[m/s]", "1", "1", "1", top,
                                    QCoreApplication::applicationDirPath() + "/pylon 2.bmp"}));
    EXPECT_EQ(window->sldThreshold->value(), 110);
    EXPECT_TRUE(window->imgPreview[0]->isVisible());
    EXPECT_TRUE(window->imgPreview[1]->isVisible());

    window->txtSideFile->setText("/scans/side.jpg");
    window->chkUnits->click(); // 1 m and 1 m/s: 39.370 inch and 2.24 mph
    window->chkMatchSpans->click();
    window->lLanguage = languageNumber(Language::German); // as the About window sets it
    EXPECT_TRUE(raw()->allKeys().isEmpty());

    ASSERT_TRUE(window->close()); // the next start
    start();
    // No file was saved: no folder.
    const struct {
        const char* key;
        QString value;
    } storedValues[] = {
        {"Language", "2"}, {"Units", "1"},   {"Diameter", "39.37"},           {"Velocity", "2.24"},
        {"RPM", "1"},      {"TopFile", top}, {"SideFile", "/scans/side.jpg"}, {"MatchSpans", "1"},
        {"SaveFolder", ""}};
    for (const auto& v : storedValues)
        EXPECT_EQ(stored(v.key), v.value) << v.key;
    EXPECT_EQ(shown(), (QStringList{"Tabelle", "[inch]", "[mph]", "39.37", "2.24", "1", top,
                                    "/scans/side.jpg"}));
    EXPECT_TRUE(window->chkUnits->isChecked());
    EXPECT_TRUE(window->chkMatchSpans->isChecked());
    window->chkUnits->click(); // back to metric
    EXPECT_EQ(shown().mid(1, 5), (QStringList{"[m]", "[m/s]", "1.0000", "1.00", "1"}));
}

// The window shows at once, busy and refusing input, while the remembered pictures load off
// the event thread; then the previews show them and the window is ready. A missing top view is
// no failure: it shows no preview and the side view still loads; one that is no picture ends
// the loading, the side view is skipped. A close while loading closes the program.
TEST_F(StartUp, TheWindowShowsAtOnceWhileThePicturesLoadAndACloseThenCloses) {
    paintedPair();
    start(false);
    window->Form_Load();
    EXPECT_EQ(windowState(),
              "Bladetrace - loading... shown disabled - - - - spans hourglass - sheet -");
    waitForStart();
    EXPECT_EQ(windowState(), kReady);
    EXPECT_FALSE(window->imgPreview[0]->pixmap().isNull());
    EXPECT_FALSE(window->imgPreview[1]->pixmap().isNull());

    for (const bool missing : {true, false}) {
        SCOPED_TRACE(missing ? "a missing top view" : "a top view that is no picture");
        // This test program: a file, but no picture.
        set("TopFile", missing ? file("missing.bmp") : QCoreApplication::applicationFilePath());
        start();
        EXPECT_EQ(windowState(), kReady);
        EXPECT_TRUE(window->imgPreview[0]->pixmap().isNull());
        EXPECT_EQ(dialogs.messages.size(), 0);
        EXPECT_EQ(window->imgPreview[0]->isHidden(), !missing);
        EXPECT_EQ(window->imgPreview[1]->pixmap().isNull(), !missing);
    }

    paintedPair();
    start(false);
    window->Form_Load();
    window->txtDiameter->setText("0.3");
    ASSERT_TRUE(window->loading());
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(stored("Diameter"), "0.3");
    waitForStart(); // the pictures still arrive, to a closed window
}

} // namespace
} // namespace bladetrace::test
