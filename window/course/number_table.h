// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTableWidget>

#include <string>
#include <vector>

// A read-only table of numbers as text: right-aligned cells, columns as wide as their widest
// text, Ctrl+C copying the selection, and Tab leaving the table.
class NumberTable : public QTableWidget {
    Q_OBJECT

public:
    NumberTable(const char* name, const QString& accessibleName, QWidget* parent);

    // Shows the captions and rows of cells; a table of the same shape keeps its items and thus
    // its selection.
    void setCells(const QStringList& captions, const std::vector<std::vector<std::string>>& rows);

    // The width that shows every column, and the height that shows `rows` rows.
    int fullWidth() const;
    int heightFor(int rows) const;

private:
    void fitColumns(const std::vector<QStringList>& longest);
    void copySelectedCells();
};
