// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTableView>

#include <string>
#include <vector>

class NumberTableModel;

// A read-only table of numbers as text: right-aligned cells, columns as wide as their widest
// text, Ctrl+C copying the selection, and Tab leaving the table. Its cells are kept as the
// calculation wrote them and made into Qt's text only where shown, so that a table of ten
// thousand rows opens at once.
class NumberTable : public QTableView {
    Q_OBJECT

public:
    NumberTable(const char* name, const QString& accessibleName, QWidget* parent);

    // Shows the captions and rows of cells; a table of the same shape keeps its current cell
    // and selection.
    void setCells(const QStringList& captions, std::vector<std::vector<std::string>> rows);

    // Greys the rows whose flag is set (see NumberTableModel::setRowsSetApart).
    void setRowsSetApart(std::vector<bool> rows);

    int rowCount() const;
    int columnCount() const;
    // The text of a cell, and of a column's caption; empty where there is none.
    QString text(int row, int column) const;
    QString caption(int column) const;

    // The current cell's row and column, -1 where there is none; setCurrentCell makes a cell the
    // current one and selects it alone.
    int currentRow() const;
    int currentColumn() const;
    void setCurrentCell(int row, int column);
    // Makes `row` the current row, in the current column, selects it and scrolls to it; a row
    // the table does not have is left alone.
    void goToRow(int row);
    // Makes the first row the current one without selecting it, as a table is shown at first.
    void startAtFirstRow();

    // The width that shows every column, and the height that shows `rows` rows.
    int fullWidth() const;
    int heightFor(int rows) const;

private:
    void fitColumns(const std::vector<std::vector<std::string>>& longest);
    void copySelectedCells();

    NumberTableModel* m_cells = nullptr;
};
