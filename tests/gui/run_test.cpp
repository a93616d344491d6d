#include "text/number_format.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <utility>

namespace bladetrace::test {
namespace {

// Pictures compared pixel by pixel, whatever format each was made in.
QImage rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

// The window's run: what the core hands over shows in the window's controls, and a run that
// stops leaves the window as it was before. Then what Copy and Save do with the results.
class Run : public WindowTest {
protected:
    static constexpr const char* kBusy =
        "Bladetrace shown enabled - - Working... strip - hourglass - sheet -";

    void SetUp() override {
        WindowTest::SetUp();
        // How the window looks while the top view is scanned; the user may press Escape then.
        QObject::connect(window->StatusBar1, &QStatusBar::messageChanged, window.get(),
                         [this](const QString& text) {
                             if (text != QLatin1String("Working on Top View ..."))
                                 return;
                             whileScanning = windowState();
                             if (std::exchange(pressEscape, false))
                                 QCoreApplication::postEvent(
                                     window->txtDiameter,
                                     new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
                         });
    }

    QString whileScanning;
    bool pressEscape = false;
};

TEST_F(Run, FromGoToReadyFillsSheetChartsStripAndClipboardRunsThatStopLeaveItIdle) {
    window->bAbort = true; // an Escape pressed before Go does not count
    window->chkThicknessCorrection->setChecked(true);
    QTest::mouseClick(window->btnGo, Qt::LeftButton);

    EXPECT_EQ(windowState(), kReady);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("_Curve "));
    // The strip was painted for every column of the side view, 0 to W.
    EXPECT_EQ(window->picScroll->columnsShown(), kLast + kFirst + 2);

    // Span 360 columns: windows of 9, 40 of them, and the two tips.
    ResultsGrid& grid = *window->grdTop;
    EXPECT_EQ(grid.rowCount(), 43);
    EXPECT_EQ(grid.cellText(0, 8), "Ma"); // the header row the charts give, to its last column

    // The twist chart plots the folded stations.
    const DistributionChart& twist = *window->ctlBetaGraph;
    ASSERT_EQ(twist.points().size(), 22);
    EXPECT_EQ(twist.yTitle(), QString("ß [°]"));
    // Copy on its page gives the picture on screen, which is the paper painter's drawing of
    // the chart's plot, and its values together.
    window->TabStrip1->selectKey("BETA");
    window->btnCopy_Click();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    const QImage onScreen = plotImage(twist.plot(), twist.size(), twist.logicalDpiY());
    EXPECT_EQ(rgb(copied->imageData().value<QImage>()), rgb(onScreen));
    EXPECT_TRUE(copied->text().startsWith("\tr/R [-]\tß [°]\n1\t1\t"))
        << copied->text().toStdString();

    // On the sheet, Copy sends it whole: tabs between cells, CR between rows; afterwards no
    // cell shows selected, the header cell "No." included, and the current cell is that one.
    window->TabStrip1->selectKey("SHEET");
    grid.setShape(1, 3);
    grid.setCellText(0, 1, "");
    grid.appendRow("1\t-1.0000\t0.1");
    grid.appendRow("2\t1.0000\t0.2");
    grid.selectionModel()->select(grid.model()->index(2, 1), QItemSelectionModel::Select);
    window->btnCopy_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "No.\t\tc/R\r1\t-1.0000\t0.1\r2\t1.0000\t0.2");
    EXPECT_EQ(std::pair(grid.currentRow(), grid.currentColumn()), std::pair(0, 0));
    EXPECT_FALSE(grid.selectionModel()->hasSelection());

    // The results a stopped run keeps are the core's to keep: it hands the window none. Closing
    // during a run stops it silently, then closes and stores.
    pressEscape = true;
    window->btnGo_Click();
    EXPECT_EQ(whileScanning, kBusy);
    EXPECT_EQ(windowState(), kReady);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, "Processing aborted by user (Escape pressed)");
    // The hourglass stays over the main window; the box shows the usual pointer.
    EXPECT_TRUE(dialogs.messages[0].busyOwner);
    EXPECT_FALSE(dialogs.messages[0].busyEverywhere);

    window->txtSideFile->setText(paintView("side3.bmp", false, kLast + 3));
    window->btnGo_Click();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].title, "Bladetrace"); // the run gives none

    // Matching the spans, the same pair passes, and the status bar says what was done.
    window->chkMatchSpans->setChecked(true);
    window->chkUnits->setChecked(true); // read at the chart stage
    window->btnGo_Click();
    EXPECT_EQ(window->StatusBar1->currentMessage(), "Ready. (top view scaled by 1.0083)");
    EXPECT_EQ(window->ctlPitchGraph->yTitle(), "H [inch]");

    window->txtDiameter->setText("0.2");
    // Delivered when the run first lets the event queue run, before the scans.
    QMetaObject::invokeMethod(
        window.get(), [this] { window->close(); }, Qt::QueuedConnection);
    window->btnGo_Click();
    // No message: the user did not press Escape.
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Aborted);
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(stored("Diameter"), "");
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(stored("Diameter"), "0.2");
}

// Disabled before the first run; then the name chosen writes its format or the error
// report, and neither a failed run nor a failed save loses the results.
TEST_F(Run, SaveWritesTheLastCompletedRunInTheChosenFormatOrReports) {
    EXPECT_FALSE(window->btnSave->isEnabled());
    const QString top = paintView("top.png", true);
    window->txtTopFile->setText(top);
    window->btnGo_Click();
    ASSERT_TRUE(window->btnSave->isEnabled());
    window->txtRPM->setText("fast");
    window->btnGo_Click();
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    const struct {
        const char* page;
        QString name;
        const char* holds;   // or the report's start
        QString filter = {}; // chosen in the dialog; else the one it opens with
    } cases[] = {
        {"SHEET", file("blade.csv"), "r/R,c/R,beta [deg],r [m]"},
        {"SHEET", file("regional.csv"), "\xEF\xBB\xBFr/R;c/R;beta [deg];r [m]",
         "CSV table, regional (;) (*.csv)"},
        {"CHORD", file("out/blade.pdf"), "%PDF-"},
        {"BETA", file("out/blade.svg"), "<title>Twist Distribution</title>"}, // the one in view
        {"BETA", file("out/blade.png"), "PNG"},
        {"BETA", top, "Error75:"},                // never over an input
        {"SHEET", file("blade.svg"), "Error52:"}, // a chart's format, no chart
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        window->TabStrip1->selectKey(QLatin1String(c.page));
        dialogs.answers << c.name;
        if (!c.filter.isEmpty())
            dialogs.filters << c.filter;
        window->btnSave->click();
        EXPECT_EQ(dialogs.requests.last().filters.size(), c.page == QLatin1String("SHEET") ? 5 : 7);
        if (!c.filter.isEmpty()) {
            EXPECT_TRUE(dialogs.requests.last().filters.contains(c.filter))
                << dialogs.requests.last().filters;
        }
        if (QByteArray(c.holds).startsWith("Error")) {
            const QString report = dialogs.messages.last().text; // the failed run's, or newer
            EXPECT_TRUE(report.startsWith(c.holds)) << report;
            EXPECT_TRUE(report.contains("btnSave_Click()")) << report;
            continue;
        }
        QFile written(c.name);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_TRUE(written.readAll().contains(c.holds)) << c.holds;
    }
    // The saved picture is the chart in view, drawn at the file's size and resolution: 8 by 6
    // inches at 150 dpi, as the help says.
    const QImage saved(file("out/blade.png"));
    const DistributionChart& twist = *window->ctlBetaGraph;
    EXPECT_EQ(rgb(saved), rgb(plotImage(twist.plot(), saved.size(), saved.logicalDpiY())));
    EXPECT_EQ(saved.size(), QSize(1200, 900));
    EXPECT_EQ(saved.logicalDpiX(), 150);

    // A name of no known type: the report lists what a chart's page saves, with one full stop.
    window->TabStrip1->selectKey("PITCH");
    dialogs.answers << file("blade.doc");
    window->btnSave->click();
    EXPECT_EQ(dialogs.messages.last().text.split("\r\n").value(2),
              "Cannot save " + file("blade.doc") +
                  ": unknown file type; use .csv, .qprop, .txt, .pdf, .png or .svg.");

    // The report speaks the language the window shows now, not the run's.
    window->lLanguage = languageNumber(Language::German);
    window->SwitchLanguage();
    dialogs.answers << file("out/bericht.pdf");
    window->btnSave->click();
    QFile report(file("out/bericht.pdf"));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    QByteArray title = "/Title (\xFE\xFF";
    for (const QChar c : QStringLiteral("Messbericht Propellerblatt"))
        title.append('\0').append(char(c.unicode()));
    EXPECT_TRUE(report.readAll().contains(title));

    // First beside the images, then where the last file went, also after a restart.
    ASSERT_TRUE(window->close());
    EXPECT_EQ(dialogs.requests[0].fileName, file("top.csv"));
    EXPECT_EQ(dialogs.requests[3].fileName, file("out/top.csv"));
    EXPECT_EQ(stored("SaveFolder"), file("out"));
}

// What the run asks and says goes through the window: the span question through its dialogs,
// in its language, Yes measuring the pair and No leaving the old results; notes and the
// warning line after "Ready." in the status bar, whole in its tool tip.
TEST_F(Run, TheWindowAsksAboutFarSpansAndSaysWhatIsDoubtful) {
    window->chkMatchSpans->setChecked(true);
    window->txtSideFile->setText(paintView("far.bmp", false, kFirst + 430)); // 19.4 % longer
    window->lLanguage = languageNumber(Language::German);
    window->SwitchLanguage();
    window->btnGo_Click(); // No
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(dialogs.questions[0], QString::fromUtf8("Die Spannweiten unterscheiden sich um "
                                                      "19.4 %. Zeigen beide Bilder denselben "
                                                      "Propeller?"));
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Mismatch);
    EXPECT_EQ(dialogs.messages.size(), 0);
    EXPECT_FALSE(window->btnSave->isEnabled()); // no results

    dialogs.yes << true;
    window->btnGo_Click();
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Completed);
    EXPECT_EQ(window->StatusBar1->currentMessage(), "Bereit. (Draufsicht skaliert mit 1.1944)");

    window->lLanguage = languageNumber(Language::English);
    window->SwitchLanguage();
    window->chkMatchSpans->setChecked(false);
    window->txtSideFile->setText(paintView("side.bmp", false));
    window->txtRPM->setText("1e29");
    window->btnGo_Click();
    // A 1 m propeller, its tip at 0.5 m from the axis.
    const double tipMach = 1e29 / 60 * 6.283185314 * 0.5 / 340;
    const QString warning = "Ready. Warning: the blade tip moves at Mach " +
                            formatSignificant(tipMach, 3) + ", faster than sound.";
    EXPECT_EQ(window->StatusBar1->currentMessage(), warning);
    EXPECT_EQ(window->StatusBar1->toolTip(), warning);
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Completed); // the results stay
}

} // namespace
} // namespace bladetrace::test
