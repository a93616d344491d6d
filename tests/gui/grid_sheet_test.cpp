#include "results_grid.h"
#include "window_fixture.h"

#include <QFontMetricsF>
#include <QScrollBar>
#include <QTest>
#include <utility>

namespace bladetrace::test {
namespace {

const QStringList kHeader{"No.", "r/R", "c/R", "r", "c", QStringLiteral("ß"), "H", "Re", "Ma"};
const QStringList kSamples{"_100_",        "__1.0000__",   "__1.0000__",
                           "__100.0000__", "__100.0000__", "__100.0000__",
                           "__0.502__",    "__500000__",   "__1.250__"};

int sampleWidth(const ResultsGrid& grid, int col) {
    return qRound(QFontMetricsF(grid.font()).horizontalAdvance(kSamples[col]));
}

// A grid prepared as a run prepares it: header row, centred columns, sample widths.
void prepare(ResultsGrid& grid) {
    grid.setShape(1, 9);
    for (int c = 0; c < 9; ++c) {
        grid.setCellText(0, c, kHeader[c]);
        grid.setColumnCentredTop(c);
        grid.setColumnWidth(c, sampleWidth(grid, c));
    }
}

using Cell = std::pair<int, int>;

// The cell drawn at a point of the grid, by whichever of its views lies on top there, and
// its text.
std::pair<Cell, QString> shownAt(const ResultsGrid& grid, QPoint point) {
    for (QWidget* w = grid.childAt(point); w; w = w->parentWidget()) {
        if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
            const QModelIndex index = view->indexAt(view->viewport()->mapFrom(&grid, point));
            return {{index.row(), index.column()}, index.data().toString()};
        }
    }
    return {{-1, -1}, QString()};
}

// The width Qt's own table needs to show a column's texts uncut.
int neededWidth(const ResultsGrid& grid, int col) {
    return static_cast<const QAbstractItemView&>(grid).sizeHintForColumn(col);
}

QPoint centreInGrid(const ResultsGrid& grid, int row, int col) {
    const QRect cell = grid.visualRect(grid.model()->index(row, col));
    return grid.viewport()->mapTo(&grid, cell.center());
}

class GridSheet : public ::testing::Test {
protected:
    void SetUp() override {
        prepare(grid);
        for (int station = 1; station <= 42; ++station)
            grid.appendRow(
                QStringLiteral("%1\t0.5000\t0.1000\t1.0000\t2.0000\t3.0000\t4.0000\t5\t0.10")
                    .arg(station));
        grid.resize(300, 200);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        QCoreApplication::processEvents();
    }

    void scrollToTheEnd() {
        grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
        grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
        QCoreApplication::processEvents();
        ASSERT_GT(grid.verticalScrollBar()->value(), 0);
        ASSERT_GT(grid.horizontalScrollBar()->value(), 0);
    }

    ResultsGrid grid;
};

TEST_F(GridSheet, HeaderRowAndNumberColumnStayWhileTheRestScrolls) {
    scrollToTheEnd();
    const QRect area = grid.viewport()->geometry();
    const QPoint topRight(area.right() - 2, area.top() + 2);
    const QPoint bottomLeft(area.left() + 2, area.bottom() - 2);
    const QPoint bottomRight(area.right() - 2, area.bottom() - 2);

    EXPECT_EQ(shownAt(grid, area.topLeft() + QPoint(2, 2)).first, Cell(0, 0));
    EXPECT_EQ(shownAt(grid, topRight).first, Cell(0, 8));
    EXPECT_EQ(shownAt(grid, bottomLeft).first, Cell(42, 0));
    EXPECT_EQ(shownAt(grid, bottomRight).first, Cell(42, 8));
    EXPECT_EQ(shownAt(grid, topRight).second, QStringLiteral("Ma"));
    EXPECT_EQ(shownAt(grid, bottomLeft).second, QStringLiteral("42"));
}

TEST_F(GridSheet, ACellMovedToComesOutBesideTheFixedCellsNotUnderThem) {
    scrollToTheEnd();
    grid.setCurrentCell(1, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(shownAt(grid, centreInGrid(grid, 1, 1)).first, Cell(1, 1));

    // Back to the start with the keyboard shows the top left again, as in any spreadsheet.
    scrollToTheEnd();
    QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 0);
    EXPECT_EQ(grid.horizontalScrollBar()->value(), 0);
}

TEST(GridColumns, AValueWiderThanTheSampleWidensItsColumnOthersKeepTheSampleWidth) {
    ResultsGrid grid;
    prepare(grid);
    grid.appendRow(
        QStringLiteral("12\t0.7503\t0.1450\t69.4000\t12.0000\t26.5651\t218.0265\t100744\t0.35"));

    const QFontMetricsF metrics(grid.font());
    EXPECT_EQ(grid.columnWidth(6), qRound(metrics.horizontalAdvance("__218.0265__")));
    EXPECT_GE(grid.columnWidth(6), neededWidth(grid, 6));
    for (int c : {0, 1, 2, 3, 4, 5, 7, 8})
        EXPECT_EQ(grid.columnWidth(c), sampleWidth(grid, c)) << "column " << c;

    // A narrower value later does not shrink the column again.
    grid.appendRow(QStringLiteral("13\t0.8\t0.1\t70\t12\t26\t1.0\t100\t0.3"));
    EXPECT_EQ(grid.columnWidth(6), qRound(metrics.horizontalAdvance("__218.0265__")));
}

using GridInWindow = WindowTest;

TEST_F(GridInWindow, NoValueOfARunIsCut) {
    window->btnGo_Click();
    const ResultsGrid& grid = *window->grdTop;
    ASSERT_EQ(grid.rowCount(), 43);
    for (int c = 0; c < grid.columnCount(); ++c)
        EXPECT_GE(grid.columnWidth(c), neededWidth(grid, c)) << "column " << c;
}

} // namespace
} // namespace bladetrace::test
