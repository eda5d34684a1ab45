// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/number_table.h"

#include "qt/qt_text.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <set>

namespace {

constexpr char copy_text[] = "Kopieren";

// The text with every digit as 0: texts of one shape are equally wide, as digits are.
QString shapeOf(QString text) {
    for (QChar& c : text) {
        if (c.isDigit()) {
            c = u'0';
        }
    }
    return text;
}

} // namespace

NumberTable::NumberTable(const char* name, const QString& accessibleName, QWidget* parent)
    : QTableWidget(parent) {
    setObjectName(name);
    setAccessibleName(accessibleName);
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
                           const std::vector<std::vector<std::string>>& rows) {
    const auto columns = static_cast<int>(captions.size());
    const bool sameShape = columnCount() == columns && rowCount() == static_cast<int>(rows.size());
    setColumnCount(columns);
    setRowCount(static_cast<int>(rows.size()));
    setHorizontalHeaderLabels(captions);

    // The shapes of the longest texts of each column, measured below instead of every cell.
    std::vector<QStringList> longest(static_cast<std::size_t>(columns));
    for (int row = 0; row < rowCount(); ++row) {
        const std::vector<std::string>& cells = rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < columns; ++column) {
            const auto index = static_cast<std::size_t>(column);
            const QString text = index < cells.size() ? fromUtf8(cells[index]) : QString();
            if (sameShape && item(row, column)) {
                item(row, column)->setText(text);
            } else {
                auto* cell = new QTableWidgetItem(text);
                cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                setItem(row, column, cell);
            }
            QStringList& candidates = longest[index];
            if (candidates.isEmpty() || text.size() > candidates.front().size()) {
                candidates = {shapeOf(text)};
            } else if (text.size() == candidates.front().size() &&
                       !candidates.contains(shapeOf(text))) {
                candidates.append(shapeOf(text));
            }
        }
    }
    fitColumns(longest);
}

// Each column as wide as its caption or its widest text; measuring every cell the way
// resizeColumnsToContents does would take most of the time the window needs to open.
void NumberTable::fitColumns(const std::vector<QStringList>& longest) {
    const QFontMetrics metrics = fontMetrics();
    // The item view's text margins: a focus frame margin and a pixel on each side.
    const int padding =
        2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) +
        metrics.averageCharWidth();
    for (int column = 0; column < columnCount(); ++column) {
        int width = horizontalHeader()->sectionSizeHint(column);
        for (const QString& text : longest[static_cast<std::size_t>(column)]) {
            width = std::max(width, metrics.horizontalAdvance(text) + padding);
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
            const QTableWidgetItem* cell = item(row, column);
            cells.append(cell && cell->isSelected() ? cell->text() : QString());
        }
        lines.append(cells.join(u'\t'));
    }
    QGuiApplication::clipboard()->setText(lines.join(u'\n'));
}
