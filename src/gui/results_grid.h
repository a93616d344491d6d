#pragma once

#include <QTableWidget>

namespace bladetrace {

// The results spreadsheet: a grid of text cells whose row 0 and column 0 are fixed
// (header) cells that stay in view while the rest scrolls. Rows arrive as tab-separated texts.
class ResultsGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit ResultsGrid(QWidget* parent = nullptr);

    // Changes the shape; cells that stay keep their text, new ones are empty.
    void setShape(int rows, int cols);
    QString cellText(int row, int col) const;
    // Like appendRow, widens the column when the text would not fit it.
    void setCellText(int row, int col, const QString& text);
    // Horizontally centred, at the top of the cell, for this column's present and later cells.
    void setColumnCentredTop(int col);
    void appendRow(const QString& tabSeparatedCells);

    // The text of the cells between the current cell and the selection's corner: cells of a
    // row joined by tabs, rows by carriage returns, nothing after the last.
    QString selectionText() const;
    // The selection's far corner; the current cell is the other. On the current cell itself
    // the selection is collapsed and no cell shows selected.
    void setSelectionCorner(int row, int col);

    // Brings a cell into view, beside the fixed row and column rather than under them.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    void updateGeometries() override;

private:
    QTableWidgetItem* cell(int row, int col);
    void styleCell(QTableWidgetItem& item, int row, int col) const;
    void widenToFit(int row, int col);
    void followGrid();

    int cornerRow_ = 0;
    int cornerCol_ = 0;
    QList<Qt::Alignment> alignments_;
    // Views of the same cells laid over the top edge, the left edge and their corner.
    QTableView* fixedRow_ = nullptr;
    QTableView* fixedCol_ = nullptr;
    QTableView* fixedCorner_ = nullptr;
};

} // namespace bladetrace
