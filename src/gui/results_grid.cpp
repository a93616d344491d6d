#include "results_grid.h"

#include <QHeaderView>

namespace bladetrace {

ResultsGrid::ResultsGrid(QWidget* parent) : QTableWidget(parent) {
    // Row 0 and column 0 are the grid's own header cells; Qt's headers would be a second set.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setShape(2, 2);
    // Moving the current cell collapses the selection onto it.
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int col) {
        cornerRow_ = qMax(row, 0);
        cornerCol_ = qMax(col, 0);
    });
}

void ResultsGrid::setShape(int rows, int cols) {
    setColumnCount(cols);
    setRowCount(rows);
    alignments_.resize(cols, Qt::AlignLeft | Qt::AlignVCenter);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c)
            cell(r, c);
    }
}

QTableWidgetItem* ResultsGrid::cell(int row, int col) {
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem;
        styleCell(*it, row, col);
        setItem(row, col, it);
    }
    return it;
}

void ResultsGrid::styleCell(QTableWidgetItem& item, int row, int col) const {
    item.setTextAlignment(alignments_.value(col, Qt::AlignLeft | Qt::AlignVCenter));
    if (row == 0 || col == 0) {
        item.setBackground(palette().button());
        item.setForeground(palette().buttonText());
    }
}

QString ResultsGrid::cellText(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void ResultsGrid::setCellText(int row, int col, const QString& text) {
    cell(row, col)->setText(text);
}

void ResultsGrid::setColumnCentredTop(int col) {
    if (col >= alignments_.size())
        alignments_.resize(col + 1, Qt::AlignLeft | Qt::AlignVCenter);
    alignments_[col] = Qt::AlignHCenter | Qt::AlignTop;
    for (int r = 0; r < rowCount(); ++r)
        cell(r, col)->setTextAlignment(alignments_[col]);
}

void ResultsGrid::appendRow(const QString& tabSeparatedCells) {
    const QStringList cells = tabSeparatedCells.split(QLatin1Char('\t'));
    const int row = rowCount();
    setRowCount(row + 1);
    for (int c = 0; c < columnCount(); ++c)
        cell(row, c)->setText(cells.value(c));
}

void ResultsGrid::setSelectionCorner(int row, int col) {
    cornerRow_ = row;
    cornerCol_ = col;
    clearSelection();
    const int r = qMax(currentRow(), 0);
    const int c = qMax(currentColumn(), 0);
    setRangeSelected(
        QTableWidgetSelectionRange(qMin(r, row), qMin(c, col), qMax(r, row), qMax(c, col)), true);
}

QString ResultsGrid::selectionText() const {
    const int r0 = qMax(currentRow(), 0);
    const int c0 = qMax(currentColumn(), 0);
    QStringList lines;
    for (int r = qMin(r0, cornerRow_); r <= qMax(r0, cornerRow_); ++r) {
        QStringList cells;
        for (int c = qMin(c0, cornerCol_); c <= qMax(c0, cornerCol_); ++c)
            cells.append(cellText(r, c));
        lines.append(cells.join(QLatin1Char('\t')));
    }
    return lines.join(QLatin1Char('\r'));
}

} // namespace bladetrace
