#include "distribution_chart.h"
#include "results_grid.h"
#include "scan_preview.h"
#include "tab_strip.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QXYSeries>

namespace bladetrace::test {
namespace {

const QStringList kCompletedRun{"status: Working...", "status: Working on Top View ...",
                                "status: Working on Side View...", "status: Working on geometry...",
                                "status: Ready."};

QStringList gridText(const ResultsGrid& grid) {
    QStringList cells;
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c)
            cells.append(grid.cellText(r, c));
    }
    return cells;
}

// Sends Escape to a control after `delay` further yields of the event loop, and notes how
// the window looked at that moment.
class DelayedEscape : public QObject {
public:
    DelayedEscape(frmMain& window, QWidget* target, int delay)
        : window_(window), target_(target), delay_(delay) {
        repost();
    }

    QString statusWhenSent;
    bool busyWhenSent = false;

protected:
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        if (delay_-- > 0) {
            repost();
        } else {
            statusWhenSent = window_.StatusBar1->currentMessage();
            busyWhenSent = !window_.btnGo->isEnabled() && window_.Label1[3]->isVisible() &&
                           window_.picScroll->isVisible() && !window_.chkMatchSpans->isVisible() &&
                           window_.cursor().shape() == Qt::WaitCursor;
            QCoreApplication::postEvent(
                target_, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        }
        return true;
    }

private:
    // Qt holds back events posted while it delivers posted events: one per yield.
    void repost() { QCoreApplication::postEvent(this, new QEvent(QEvent::User)); }

    frmMain& window_;
    QWidget* target_;
    int delay_;
};

class Run : public WindowTest {
protected:
    void expectIdle() {
        EXPECT_TRUE(window->btnGo->isEnabled());
        EXPECT_FALSE(window->Label1[3]->isVisible());
        EXPECT_FALSE(window->picScroll->isVisible());
        EXPECT_TRUE(window->chkMatchSpans->isVisible());
        EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
        EXPECT_EQ(window->StatusBar1->currentMessage(), QStringLiteral("Ready."));
    }
};

TEST_F(Run, FromGoToReadyFillsSheetAndCharts) {
    window->bAbort = true; // an Escape pressed before Go does not count
    QTest::mouseClick(window->btnGo, Qt::LeftButton);

    EXPECT_EQ(window->lastOutcome(), RunOutcome::Completed);
    EXPECT_EQ(log, kCompletedRun);
    expectIdle();
    // Span 360 columns: windows of 9, 40 of them, and the two tips.
    const ResultsGrid& grid = *window->grdTop;
    ASSERT_EQ(grid.columnCount(), 9);
    ASSERT_EQ(grid.rowCount(), 43);
    const QStringList header{"No.", "r/R", "c/R", "r", "c", QStringLiteral("ß"), "H", "Re", "Ma"};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(grid.cellText(0, c), header[c]);
    EXPECT_EQ(grid.cellText(1, 0), QStringLiteral("1"));
    EXPECT_EQ(grid.cellText(1, 1), QStringLiteral("-1.0000"));
    EXPECT_EQ(grid.cellText(42, 0), QStringLiteral("42"));
    EXPECT_EQ(grid.cellText(42, 1), QStringLiteral("1.0000"));
    EXPECT_EQ(grid.cellText(21, 3).toDouble(), -grid.cellText(22, 3).toDouble());
    const QFontMetricsF metrics(window->font());
    EXPECT_EQ(grid.columnWidth(3), qRound(metrics.horizontalAdvance("__100.0000__")));
    EXPECT_EQ(grid.columnWidth(0), qRound(metrics.horizontalAdvance("_100_")));
    EXPECT_EQ(grid.item(5, 4)->textAlignment(), int(Qt::AlignHCenter | Qt::AlignTop));

    // Folded onto one blade: stations 0 to 21, the tip first.
    const QList<QPointF> chord = window->ctlChordGraph->points();
    ASSERT_EQ(chord.size(), 22);
    EXPECT_DOUBLE_EQ(chord.first().x(), 1.0);
    for (int i = 1; i < chord.size(); ++i)
        EXPECT_LT(chord[i].x(), chord[i - 1].x());
    EXPECT_EQ(window->ctlBetaGraph->points().size(), 22);
    EXPECT_EQ(window->ctlChordGraph->xTitle(), QStringLiteral("r/R"));
    EXPECT_EQ(window->ctlChordGraph->yTitle(), QStringLiteral("c/R"));
    EXPECT_EQ(window->ctlPitchGraph->yTitle(), QStringLiteral("H [m]"));
    // Every marker, the tip's at r/R = 1 too, lies whole inside the plot.
    window->TabStrip1->selectKey(QStringLiteral("BETA"));
    QCoreApplication::processEvents();
    QChart& chart = *window->ctlBetaGraph->chart();
    auto* series = static_cast<QXYSeries*>(chart.series().constFirst());
    const qreal r = series->markerSize() / 2;
    const QRectF inside = chart.plotArea().adjusted(r, r, -r, -r);
    for (const QPointF& point : series->points())
        EXPECT_TRUE(inside.contains(chart.mapToPosition(point, series))) << point.x();
    // The strip was painted for every column of the side view, 0 to W.
    EXPECT_EQ(window->picScroll->columnsShown(), kLast + kFirst + 2);
}

TEST_F(Run, ThicknessCorrectionPutsTheSectionScriptOnTheClipboard) {
    window->chkThicknessCorrection->setChecked(true);
    window->btnGo_Click();
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Completed);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("_Curve ")));
}

TEST_F(Run, EscapeDuringTheTopViewScanKeepsTheOldResults) {
    window->btnGo_Click();
    const QStringList before = gridText(*window->grdTop);
    const QList<QPointF> chartBefore = window->ctlBetaGraph->points();
    log.clear();

    DelayedEscape escape(*window, window->txtDiameter, 40);
    window->btnGo_Click();

    EXPECT_EQ(escape.statusWhenSent, QStringLiteral("Working on Top View ..."));
    EXPECT_TRUE(escape.busyWhenSent);
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Aborted);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Processing aborted by user (Escape pressed)"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Process cancelled"));
    EXPECT_EQ(log, (QStringList{"status: Working...", "status: Working on Top View ...",
                                "status: Working on Side View...",
                                "message: Processing aborted by user (Escape pressed)",
                                "status: Ready."}));
    EXPECT_EQ(gridText(*window->grdTop), before);
    EXPECT_EQ(window->ctlBetaGraph->points(), chartBefore);
    expectIdle();
}

TEST_F(Run, SpansMayDifferByTwoColumnsButNotThree) {
    window->txtSideFile->setText(paintBlade(file("side2.bmp"), View::Side, kFirst, kLast + 2));
    window->btnGo_Click();
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Completed);
    const QStringList before = gridText(*window->grdTop);
    log.clear();

    window->txtSideFile->setText(paintBlade(file("side3.bmp"), View::Side, kFirst, kLast + 3));
    window->btnGo_Click();
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Mismatch);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Images of top and side view do not match in diameter.\r\n"
                             "Rescan with same size, better contrast or adjust threshold.\r\n"
                             "Diameter: top view = 360,side view = 363"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Bladetrace"));
    EXPECT_EQ(log.last(), QStringLiteral("status: Ready."));
    EXPECT_EQ(gridText(*window->grdTop), before);
    expectIdle();

    // Matching the spans, the same pair passes, and the status bar says what was done.
    window->chkMatchSpans->setChecked(true);
    window->btnGo_Click();
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Completed);
    EXPECT_EQ(window->StatusBar1->currentMessage(),
              QStringLiteral("Ready. (top view scaled by 1.0083)"));
}

TEST_F(Run, CorrectedInputsAreAnnouncedAndTheRunGoesOn) {
    window->txtDiameter->setText(QStringLiteral("0"));
    window->txtRPM->setText(QStringLiteral("-5"));
    window->btnGo_Click();
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Completed);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Diameter must be larger than ZERO!  Assuming default of 1.0."));
    EXPECT_EQ(dialogs.messages[1].text,
              QStringLiteral("RPM must be larger than ZERO!  Assuming default of 1.0."));
    for (const auto& m : dialogs.messages) {
        EXPECT_EQ(m.icon, MessageIcon::Critical);
        EXPECT_EQ(m.title, QStringLiteral("Process cancelled"));
        // The hourglass stays over the main window; the box shows the usual pointer.
        EXPECT_TRUE(m.busyOwner);
        EXPECT_FALSE(m.busyEverywhere);
    }
    // The messages come after the first status text.
    EXPECT_EQ(log.first(), QStringLiteral("status: Working..."));
}

TEST_F(Run, FailuresAreReportedAndLeaveTheWindowUsable) {
    window->txtRPM->setText(QStringLiteral("fast"));
    window->btnGo_Click();
    EXPECT_EQ(window->lastOutcome(), RunOutcome::Failed);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Error13:\r\n\r\n")));
    EXPECT_TRUE(
        dialogs.messages[0].text.endsWith(QStringLiteral("Issued by CalcIt() in Bladetrace.")));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Bladetrace"));
    expectIdle();

    // A white image: the scanner finds no blade and says so itself.
    dialogs.messages.clear();
    window->txtRPM->setText(QStringLiteral("15000"));
    QImage white(50, 20, QImage::Format_RGB32);
    white.fill(Qt::white);
    ASSERT_TRUE(white.save(file("white.bmp")));
    window->txtTopFile->setText(file("white.bmp"));
    window->btnGo_Click();
    EXPECT_EQ(window->lastOutcome(), RunOutcome::ScanFailed);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("Issued by DoIt()")));
    EXPECT_EQ(window->grdTop->rowCount(), 2);
    expectIdle();
}

} // namespace
} // namespace bladetrace::test
