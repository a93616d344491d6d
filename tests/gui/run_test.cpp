#include "scan_preview.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QXYSeries>
#include <utility>

namespace bladetrace::test {
namespace {

// The window's run: what the core hands over shows in the window's controls, and a run that
// stops leaves the window as it was before.
class Run : public WindowTest {
protected:
    static constexpr const char* kIdle = "Go Auto - - spans arrow";
    static constexpr const char* kBusy = "- - Working... strip - hourglass";

    void SetUp() override {
        WindowTest::SetUp();
        // The status texts in order, and how the window looks while the top view is scanned;
        // the user may press Escape then.
        QObject::connect(window->StatusBar1, &QStatusBar::messageChanged, window.get(),
                         [this](const QString& text) {
                             if (!text.isEmpty())
                                 statuses << text;
                             if (text != QLatin1String("Working on Top View ..."))
                                 return;
                             whileScanning = runState();
                             if (std::exchange(pressEscape, false))
                                 QCoreApplication::postEvent(
                                     window->txtDiameter,
                                     new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
                         });
    }

    // What a run changes: Go and Auto, the busy label, the scan strip (where the span box lies
    // otherwise) and the main window's pointer.
    QString runState() const {
        const frmMain& w = *window;
        return QStringList{w.btnGo->isEnabled() ? "Go" : "-",
                           w.btnAuto->isEnabled() ? "Auto" : "-",
                           w.Label1[3]->isVisible() ? w.Label1[3]->text() : "-",
                           w.picScroll->isVisible() ? "strip" : "-",
                           w.chkMatchSpans->isVisible() ? "spans" : "-",
                           w.cursor().shape() == Qt::WaitCursor ? "hourglass" : "arrow"}
            .join(' ');
    }

    QStringList statuses;
    QString whileScanning;
    bool pressEscape = false;
};

TEST_F(Run, FromGoToReadyFillsSheetChartsStripAndClipboard) {
    window->bAbort = true; // an Escape pressed before Go does not count
    window->chkThicknessCorrection->setChecked(true);
    QTest::mouseClick(window->btnGo, Qt::LeftButton);

    EXPECT_EQ(window->lastOutcome(), RunOutcome::Completed);
    EXPECT_EQ(statuses,
              (QStringList{"Working...", "Working on Top View ...", "Working on Side View...",
                           "Working on geometry...", "Ready."}));
    EXPECT_EQ(whileScanning, kBusy);
    EXPECT_EQ(runState(), kIdle);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("_Curve "));
    // The strip was painted for every column of the side view, 0 to W.
    EXPECT_EQ(window->picScroll->columnsShown(), kLast + kFirst + 2);

    // Span 360 columns: windows of 9, 40 of them, and the two tips.
    const ResultsGrid& grid = *window->grdTop;
    const QStringList sheet = sheetText(grid);
    ASSERT_EQ(sheet.size(), 43);
    EXPECT_EQ(sheet[0], "No.\tr/R\tc/R\tr\tc\tß\tH\tRe\tMa");
    EXPECT_TRUE(sheet[42].startsWith("42\t1.0000\t"));
    const QFontMetricsF metrics(window->font());
    EXPECT_EQ(grid.columnWidth(0), qRound(metrics.horizontalAdvance("_100_")));
    EXPECT_EQ(grid.columnWidth(3), qRound(metrics.horizontalAdvance("__100.0000__")));
    EXPECT_EQ(grid.item(5, 4)->textAlignment(), int(Qt::AlignHCenter | Qt::AlignTop));
    for (int c = 0; c < grid.columnCount(); ++c) // no value is cut
        EXPECT_GE(grid.columnWidth(c),
                  static_cast<const QAbstractItemView&>(grid).sizeHintForColumn(c))
            << c;

    // Each chart its own quantity, folded onto one blade: stations 0 to 21.
    EXPECT_EQ(window->ctlChordGraph->points().size(), 22);
    EXPECT_EQ(window->ctlChordGraph->yTitle(), "c/R");
    EXPECT_EQ(window->ctlPitchGraph->yTitle(), "H [m]");
    // Copy on a chart's page gives its picture and its values together.
    window->TabStrip1->selectKey("BETA");
    window->btnCopy_Click();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->hasImage());
    EXPECT_TRUE(copied->text().startsWith("\tr/R [-]\tß [°]\n1\t1\t"));
    // Every marker, the tip's at r/R = 1 too, lies whole inside the plot.
    QCoreApplication::processEvents();
    QChart& chart = *window->ctlBetaGraph->chart();
    auto* series = static_cast<QXYSeries*>(chart.series().constFirst());
    ASSERT_EQ(series->points().size(), 22);
    const qreal r = series->markerSize() / 2;
    const QRectF inside = chart.plotArea().adjusted(r, r, -r, -r);
    for (const QPointF& point : series->points())
        EXPECT_TRUE(inside.contains(chart.mapToPosition(point, series))) << point.x();
}

TEST_F(Run, RunsThatStopKeepTheResultsAndLeaveTheWindowIdle) {
    window->btnGo_Click();
    const QStringList sheet = sheetText(*window->grdTop);
    const QList<QPointF> chart = window->ctlBetaGraph->points();

    pressEscape = true;
    window->btnGo_Click();
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Aborted);
    EXPECT_EQ(whileScanning, kBusy);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, "Processing aborted by user (Escape pressed)");
    // The hourglass stays over the main window; the box shows the usual pointer.
    EXPECT_TRUE(dialogs.messages[0].busyOwner);
    EXPECT_FALSE(dialogs.messages[0].busyEverywhere);
    EXPECT_EQ(sheetText(*window->grdTop), sheet);
    EXPECT_EQ(window->ctlBetaGraph->points(), chart);
    EXPECT_EQ(runState(), kIdle);
    EXPECT_EQ(window->StatusBar1->currentMessage(), "Ready.");

    window->txtSideFile->setText(paintView("side3.bmp", false, kLast + 3));
    window->btnGo_Click();
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Mismatch);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].title, "Bladetrace"); // the run gives none

    // Matching the spans, the same pair passes, and the status bar says what was done.
    window->chkMatchSpans->setChecked(true);
    window->chkUnits->setChecked(true); // read at the chart stage
    window->btnGo_Click();
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Completed);
    EXPECT_EQ(window->StatusBar1->currentMessage(), "Ready. (top view scaled by 1.0083)");
    EXPECT_EQ(window->ctlPitchGraph->yTitle(), "H [inch]");
}

} // namespace
} // namespace bladetrace::test
