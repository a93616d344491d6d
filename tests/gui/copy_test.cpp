#include "window_fixture.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

namespace bladetrace::test {
namespace {

using Copy = WindowTest;
using Save = WindowTest;

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Tabs between cells, CR between rows; afterwards no cell shows selected, the header cell
// "No." included, and the current cell is that one.
TEST_F(Copy, SheetGoesWholeAsTextAndLeavesNothingSelected) {
    ResultsGrid& grid = *window->grdTop;
    window->btnCopy_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "\t\r\t"); // before any run

    grid.setShape(1, 3);
    grid.setCellText(0, 0, "No.");
    grid.appendRow("1\t-1.0000\t0.1");
    grid.appendRow("2\t1.0000\t0.2");
    grid.selectionModel()->select(grid.model()->index(2, 1), QItemSelectionModel::Select);
    window->btnCopy_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "No.\t\t\r1\t-1.0000\t0.1\r2\t1.0000\t0.2");
    EXPECT_EQ(grid.currentRow(), 0);
    EXPECT_EQ(grid.currentColumn(), 0);
    EXPECT_FALSE(grid.selectionModel()->hasSelection());
}

// Disabled before the first run; then the name chosen writes its format or the error
// report, and neither a failed run nor a failed save loses the results.
TEST_F(Save, WritesTheLastCompletedRunInTheChosenFormatOrReports) {
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
        const char* holds; // or the report's start
    } cases[] = {
        {"SHEET", file("blade.csv"), "r/R,c/R,beta [deg],r [m]"},
        {"CHORD", file("out/blade.pdf"), "%PDF-"},
        {"PITCH", file("out/blade.png"), "PNG"},
        {"BETA", file("out/blade.svg"), "<title>Twist Distribution</title>"}, // the one in view
        {"BETA", top, "Error75:"},                                            // never over an input
        {"SHEET", file("blade.svg"), "Error52:"}, // a chart's format, no chart
    };
    for (const auto& c : cases) {
        window->TabStrip1->selectKey(QLatin1String(c.page));
        dialogs.answers << c.name;
        window->btnSave->click();
        EXPECT_EQ(dialogs.requests.last().filters.size(), c.page == QLatin1String("SHEET") ? 4 : 6);
        const QString report = dialogs.messages.last().text; // the failed run's, or newer
        if (QByteArray(c.holds).startsWith("Error"))
            EXPECT_TRUE(report.startsWith(c.holds) && report.contains("btnSave_Click()"))
                << c.holds;
        else
            EXPECT_TRUE(contents(c.name).contains(c.holds)) << c.holds;
    }
    // First beside the images, then where the last file went, also after a restart.
    EXPECT_EQ(dialogs.requests[0].fileName, file("top.csv"));
    EXPECT_EQ(dialogs.requests[2].fileName, file("out/top.csv"));
    ASSERT_TRUE(window->close());
    EXPECT_EQ(stored("SaveFolder"), file("out"));
}

} // namespace
} // namespace bladetrace::test
