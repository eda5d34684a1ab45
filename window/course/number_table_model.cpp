// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/number_table_model.h"

#include "qt/qt_text.h"

#include <QColor>

#include <utility>

void NumberTableModel::setCells(const QStringList& captions,
                                std::vector<std::vector<std::string>> rows) {
    const bool sameShape = captions.size() == m_captions.size() && rows.size() == m_rows.size();
    if (sameShape) {
        m_captions = captions;
        m_rows = std::move(rows);
        if (!m_rows.empty() && !m_captions.isEmpty()) {
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        }
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        return;
    }
    beginResetModel();
    m_captions = captions;
    m_rows = std::move(rows);
    endResetModel();
}

void NumberTableModel::setRowsSetApart(std::vector<bool> rows) {
    m_setApart = std::move(rows);
    if (!m_rows.empty() && !m_captions.isEmpty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::ForegroundRole});
    }
}

bool NumberTableModel::isSetApart(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < m_setApart.size() &&
           m_setApart[static_cast<std::size_t>(row)];
}

QString NumberTableModel::text(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount()) {
        return {};
    }
    const std::vector<std::string>& cells = m_rows[static_cast<std::size_t>(row)];
    const auto at = static_cast<std::size_t>(column);
    return at < cells.size() ? fromUtf8(cells[at]) : QString();
}

int NumberTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int NumberTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_captions.size());
}

QVariant NumberTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    case Qt::ForegroundRole:
        if (isSetApart(index.row())) {
            return QColor(Qt::gray);
        }
        return {};
    default:
        return {};
    }
}

QVariant NumberTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_captions.size()) {
        return m_captions.at(section);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags NumberTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}
