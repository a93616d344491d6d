#include "results_grid.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QScrollBar>
#include <QWheelEvent>

namespace bladetrace {
namespace {

// The padding either side of a value in the columns' sample texts ("__0.502__").
const QString kSamplePad = QStringLiteral("__");

// Row 0 or column 0 drawn over the grid's edge: the same cells and selection, moved only by
// the grid.
class FixedCells : public QTableView {
public:
    explicit FixedCells(QTableView& grid) : QTableView(&grid), grid_(grid) {
        setModel(grid.model());
        setSelectionModel(grid.selectionModel());
        setSelectionMode(grid.selectionMode());
        setEditTriggers(NoEditTriggers);
        horizontalHeader()->hide();
        verticalHeader()->hide();
        verticalHeader()->setMinimumSectionSize(1);
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollMode(grid.horizontalScrollMode());
        setVerticalScrollMode(grid.verticalScrollMode());
        setAutoScroll(false);
    }

protected:
    void wheelEvent(QWheelEvent* event) override {
        QCoreApplication::sendEvent(grid_.viewport(), event);
    }

private:
    QTableView& grid_;
};

} // namespace

ResultsGrid::ResultsGrid(QWidget* parent) : QTableWidget(parent) {
    // Row 0 and column 0 are the grid's own header cells; Qt's headers would be a second set.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    // Whole rows, as a spreadsheet scrolls; but columns are of unequal widths, and scrolled
    // whole the one beside the fixed column would sit partly under it.
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);
    fixedRow_ = new FixedCells(*this);
    fixedCol_ = new FixedCells(*this);
    fixedCorner_ = new FixedCells(*this);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, fixedRow_->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, fixedCol_->verticalScrollBar(),
            &QScrollBar::setValue);
    // A fixed view's range may grow only after the grid has scrolled into the new part.
    connect(fixedRow_->horizontalScrollBar(), &QScrollBar::rangeChanged, this,
            [this] { fixedRow_->horizontalScrollBar()->setValue(horizontalScrollBar()->value()); });
    connect(fixedCol_->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            [this] { fixedCol_->verticalScrollBar()->setValue(verticalScrollBar()->value()); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &ResultsGrid::followGrid);
    connect(verticalHeader(), &QHeaderView::sectionResized, this, &ResultsGrid::followGrid);
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
    followGrid();
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
    widenToFit(row, col);
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
    for (int c = 0; c < columnCount(); ++c) {
        cell(row, c)->setText(cells.value(c));
        widenToFit(row, c);
    }
}

// A column is as wide as its sample text, but a value can outgrow the sample (a pitch of
// "218.0265" against "__0.502__"); rather than cut it, the column widens to the value padded
// as the samples are.
void ResultsGrid::widenToFit(int row, int col) {
    const QModelIndex index = model()->index(row, col);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int needed =
        itemDelegateForIndex(index)->sizeHint(option, index).width() + (showGrid() ? 1 : 0);
    if (needed <= columnWidth(col))
        return;
    const QString padded = kSamplePad + cellText(row, col) + kSamplePad;
    setColumnWidth(col, qMax(needed, qRound(QFontMetricsF(font()).horizontalAdvance(padded))));
}

void ResultsGrid::setSelectionCorner(int row, int col) {
    cornerRow_ = row;
    cornerCol_ = col;
    clearSelection();
    const int r = qMax(currentRow(), 0);
    const int c = qMax(currentColumn(), 0);
    // Collapsed onto the current cell: nothing shows selected.
    if (row == r && col == c)
        return;
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

void ResultsGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    QTableWidget::scrollTo(index, hint);
    if (!index.isValid())
        return;
    const int col = index.column();
    if (const int under = columnWidth(0) - columnViewportPosition(col); col > 0 && under > 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - under);
    const int row = index.row();
    if (row > 0 && rowViewportPosition(row) < rowHeight(0))
        verticalScrollBar()->setValue(row - 1); // whole rows: the one above goes under row 0
}

void ResultsGrid::updateGeometries() {
    QTableWidget::updateGeometries();
    followGrid();
}

void ResultsGrid::followGrid() {
    if (!fixedCorner_)
        return;
    for (QTableView* view : {fixedRow_, fixedCol_, fixedCorner_}) {
        view->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
        for (int c = 0; c < columnCount(); ++c)
            view->setColumnWidth(c, columnWidth(c));
        for (int r = 0; r < rowCount(); ++r)
            view->setRowHeight(r, rowHeight(r));
    }
    const QRect area = viewport()->geometry();
    const int w = columnCount() > 0 ? qMin(columnWidth(0), area.width()) : 0;
    const int h = rowCount() > 0 ? qMin(rowHeight(0), area.height()) : 0;
    fixedRow_->setGeometry(area.x(), area.y(), area.width(), h);
    fixedCol_->setGeometry(area.x(), area.y(), w, area.height());
    fixedCorner_->setGeometry(area.x(), area.y(), w, h);
    fixedRow_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    fixedCol_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

} // namespace bladetrace
