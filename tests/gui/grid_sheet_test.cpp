#include "window_fixture.h"

#include <QFontMetricsF>
#include <QScrollBar>

namespace bladetrace::test {
namespace {

int padded(const ResultsGrid& grid, const char* text) {
    return qRound(QFontMetricsF(grid.font()).horizontalAdvance(QLatin1String(text)));
}

// The cell drawn at a point of the grid, by whichever of its views lies on top there.
std::pair<int, int> cellShownAt(const ResultsGrid& grid, QPoint point) {
    for (QWidget* w = grid.childAt(point); w; w = w->parentWidget())
        if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
            const QModelIndex index = view->indexAt(view->viewport()->mapFrom(&grid, point));
            return {index.row(), index.column()};
        }
    return {-1, -1};
}

// Header row and number column stay while the rest scrolls; a cell moved to comes out beside
// them, not under them.
TEST(GridSheet, FixedRowAndColumnStayWhileTheRestScrollsAWiderValueWidensItsColumn) {
    ResultsGrid grid;
    grid.setShape(1, 9);
    for (int station = 1; station <= 42; ++station)
        grid.appendRow(QString::number(station) +
                       "\t0.5000\t0.1000\t1.0000\t2.0000\t3.0\t4.0\t5\t0.1");
    grid.resize(300, 200);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
    QCoreApplication::processEvents();
    const QRect area = grid.viewport()->geometry().adjusted(2, 2, -2, -2);
    EXPECT_EQ(cellShownAt(grid, area.topLeft()), std::pair(0, 0));
    EXPECT_EQ(cellShownAt(grid, area.topRight()), std::pair(0, 8));
    EXPECT_EQ(cellShownAt(grid, area.bottomLeft()), std::pair(42, 0));

    grid.setCurrentCell(1, 1);
    QCoreApplication::processEvents();
    const QRect cell = grid.visualRect(grid.model()->index(1, 1));
    EXPECT_EQ(cellShownAt(grid, grid.viewport()->mapTo(&grid, cell.center())), std::pair(1, 1));

    // A value wider than its column widens it, padded as the samples are.
    grid.setShape(1, 2);
    for (int c : {0, 1})
        grid.setColumnWidth(c, padded(grid, "__0.502__"));
    grid.appendRow("0.75\t218.0265");
    EXPECT_EQ(grid.columnWidth(0), padded(grid, "__0.502__"));
    EXPECT_EQ(grid.columnWidth(1), padded(grid, "__218.0265__"));
    EXPECT_GE(grid.columnWidth(1),
              static_cast<const QAbstractItemView&>(grid).sizeHintForColumn(1));
    // A narrower value later does not shrink the column again.
    grid.appendRow("0.8\t1.0");
    EXPECT_EQ(grid.columnWidth(1), padded(grid, "__218.0265__"));
}

} // namespace
} // namespace bladetrace::test
