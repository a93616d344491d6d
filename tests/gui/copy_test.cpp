#include "distribution_chart.h"
#include "results_grid.h"
#include "tab_strip.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace bladetrace::test {
namespace {

using Copy = WindowTest;

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

} // namespace
} // namespace bladetrace::test
