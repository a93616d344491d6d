#include "distribution_chart.h"
#include "results_grid.h"
#include "tab_strip.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>

namespace bladetrace::test {
namespace {

using Copy = WindowTest;

using Save = WindowTest;

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString clipboardText() {
    return QGuiApplication::clipboard()->text();
}

// No cell shows selected, the header cell "No." included; the current cell is that one.
void expectCollapsedAtOrigin(const ResultsGrid& grid) {
    EXPECT_EQ(grid.currentRow(), 0);
    EXPECT_EQ(grid.currentColumn(), 0);
    EXPECT_TRUE(grid.selectedRanges().isEmpty());
    EXPECT_FALSE(grid.selectionModel()->hasSelection());
}

TEST_F(Copy, BeforeAnyRunTheEmptySheetAndAnEmptyChart) {
    window->btnCopy_Click();
    EXPECT_EQ(clipboardText(), QStringLiteral("\t\r\t"));
    expectCollapsedAtOrigin(*window->grdTop);

    window->TabStrip1->selectKey(QStringLiteral("PITCH"));
    window->btnCopy_Click();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->hasImage());
    EXPECT_EQ(mime->text().count(QLatin1Char('\n')), 1);
}

TEST_F(Copy, SheetIsTheWholeGridTabsBetweenCellsCrBetweenRows) {
    window->btnGo_Click();
    const ResultsGrid& grid = *window->grdTop;
    grid.selectionModel()->select(grid.model()->index(7, 3), QItemSelectionModel::Select);
    window->btnCopy_Click();

    const QString text = clipboardText();
    EXPECT_FALSE(text.endsWith(QLatin1Char('\r')));
    EXPECT_FALSE(text.contains(QLatin1Char('\n')));
    const QStringList lines = text.split(QLatin1Char('\r'));
    ASSERT_EQ(lines.size(), grid.rowCount()); // header and 42 stations
    for (int r = 0; r < lines.size(); ++r) {
        const QStringList cells = lines[r].split(QLatin1Char('\t'));
        ASSERT_EQ(cells.size(), 9) << "line " << r;
        for (int c = 0; c < 9; ++c)
            EXPECT_EQ(cells[c], grid.cellText(r, c)) << r << "," << c;
    }
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("No.\tr/R\tc/R\t")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1\t-1.0000\t")));
    expectCollapsedAtOrigin(grid);

    window->btnCopy_Click();
    EXPECT_EQ(clipboardText(), text);
}

TEST_F(Copy, ChartPageGivesPictureAndDataTogether) {
    window->btnGo_Click();
    window->TabStrip1->selectKey(QStringLiteral("BETA"));
    window->btnCopy_Click();

    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->hasImage());
    const QStringList lines = mime->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 22);
    EXPECT_EQ(lines[0], QStringLiteral("\tr/R [-]\tß [°]"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1\t1\t")));
    EXPECT_TRUE(lines[22].startsWith(QStringLiteral("22\t")));
}

// Disabled before the first run; then the name chosen writes its format or the error
// report, and neither a failed run nor a failed save loses the results.
TEST_F(Save, WritesTheLastCompletedRunInTheChosenFormatOrReports) {
    EXPECT_FALSE(window->btnSave->isEnabled());
    const QString top = paintBlade(file("top.png"), View::Top, kFirst, kLast);
    window->txtTopFile->setText(top);
    window->btnGo_Click();
    ASSERT_TRUE(window->btnSave->isEnabled());
    window->txtRPM->setText(QStringLiteral("fast"));
    window->btnGo_Click();
    const QByteArray image = contents(top);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("out")));
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
        {"SHEET", file("none/blade.csv"), "Error75:"},                        // no such folder
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
    EXPECT_EQ(contents(top), image);
    // First beside the images, then where the last file went, also after a restart.
    EXPECT_EQ(dialogs.requests[0].fileName, file(QStringLiteral("top.csv")));
    EXPECT_EQ(dialogs.requests[2].fileName, file(QStringLiteral("out/top.csv")));
    ASSERT_TRUE(window->close());
    EXPECT_EQ(store.value(QStringLiteral("SaveFolder")), file(QStringLiteral("out")));
}

} // namespace
} // namespace bladetrace::test
