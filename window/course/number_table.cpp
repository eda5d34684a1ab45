// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/number_table.h"

#include "qt/qt_text.h"
#include "window/course/number_table_model.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <set>
#include <utility>

namespace {

constexpr char copy_text[] = "Kopieren";

// The text with every digit as 0: texts of one shape are equally wide, as digits are.
std::string shapeOf(std::string text) {
    for (char& c : text) {
        if (c >= '0' && c <= '9') {
            c = '0';
        }
    }
    return text;
}

// The characters of a UTF-8 text: the bytes that do not continue a character.
int charactersOf(const std::string& text) {
    int count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xc0) != 0x80 ? 1 : 0;
    }
    return count;
}

} // namespace

NumberTable::NumberTable(const char* name, const QString& accessibleName, QWidget* parent)
    : QTableView(parent), m_cells(new NumberTableModel(this)) {
    setObjectName(name);
    setAccessibleName(accessibleName);
    setModel(m_cells);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setWordWrap(false);
    // Tab leaves the table for the buttons; the arrow keys move between cells.
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    auto* copy = new QAction(QString::fromUtf8(copy_text), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    addAction(copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this, &NumberTable::copySelectedCells);
}

void NumberTable::setCells(const QStringList& captions,
                           std::vector<std::vector<std::string>> rows) {
    // The shapes of the longest texts of each column, measured below instead of every cell.
    std::vector<std::vector<std::string>> longest(static_cast<std::size_t>(captions.size()));
    std::vector<int> longestSize(longest.size(), -1);
    for (const std::vector<std::string>& cells : rows) {
        for (std::size_t column = 0; column < longest.size() && column < cells.size(); ++column) {
            const int size = charactersOf(cells[column]);
            std::vector<std::string>& candidates = longest[column];
            if (size > longestSize[column]) {
                longestSize[column] = size;
                candidates = {shapeOf(cells[column])};
            } else if (size == longestSize[column]) {
                if (std::string shape = shapeOf(cells[column]);
                    std::find(candidates.begin(), candidates.end(), shape) == candidates.end()) {
                    candidates.push_back(std::move(shape));
                }
            }
        }
    }
    m_cells->setCells(captions, std::move(rows));
    fitColumns(longest);
}

void NumberTable::setRowsSetApart(std::vector<bool> rows) {
    m_cells->setRowsSetApart(std::move(rows));
}

int NumberTable::rowCount() const {
    return m_cells->rowCount();
}

int NumberTable::columnCount() const {
    return m_cells->columnCount();
}

QString NumberTable::text(int row, int column) const {
    return m_cells->text(row, column);
}

QString NumberTable::caption(int column) const {
    return m_cells->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

int NumberTable::currentRow() const {
    return currentIndex().row();
}

int NumberTable::currentColumn() const {
    return currentIndex().column();
}

void NumberTable::setCurrentCell(int row, int column) {
    const QModelIndex index = m_cells->index(row, column);
    if (index.isValid()) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    }
}

void NumberTable::goToRow(int row) {
    const QModelIndex index = m_cells->index(row, std::max(0, currentColumn()));
    if (!index.isValid()) {
        return;
    }
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

void NumberTable::startAtFirstRow() {
    if (rowCount() > 0) {
        selectionModel()->setCurrentIndex(m_cells->index(0, 0), QItemSelectionModel::NoUpdate);
    }
}

// Each column as wide as its caption or its widest text; measuring every cell the way
// resizeColumnsToContents does would take most of the time the window needs to open.
void NumberTable::fitColumns(const std::vector<std::vector<std::string>>& longest) {
    const QFontMetrics metrics = fontMetrics();
    // The item view's text margins: a focus frame margin and a pixel on each side.
    const int padding =
        2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) +
        metrics.averageCharWidth();
    for (int column = 0; column < columnCount(); ++column) {
        int width = horizontalHeader()->sectionSizeHint(column);
        for (const std::string& text : longest[static_cast<std::size_t>(column)]) {
            width = std::max(width, metrics.horizontalAdvance(fromUtf8(text)) + padding);
        }
        setColumnWidth(column, width);
    }
}

int NumberTable::fullWidth() const {
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < columnCount(); ++column) {
        width += columnWidth(column);
    }
    return width;
}

int NumberTable::heightFor(int rows) const {
    return 2 * frameWidth() + horizontalHeader()->sizeHint().height() +
           rows * verticalHeader()->defaultSectionSize();
}

// The cells of the rows and columns that hold a selected cell, a line per row, tab-separated;
// cells in that grid that are not selected stay empty.
void NumberTable::copySelectedCells() {
    std::set<int> rows;
    std::set<int> columns;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        rows.insert(index.row());
        columns.insert(index.column());
    }
    if (rows.empty()) {
        return;
    }
    QStringList lines;
    for (const int row : rows) {
        QStringList cells;
        for (const int column : columns) {
            cells.append(selectionModel()->isSelected(m_cells->index(row, column))
                             ? text(row, column)
                             : QString());
        }
        lines.append(cells.join(u'\t'));
    }
    QGuiApplication::clipboard()->setText(lines.join(u'\n'));
}
