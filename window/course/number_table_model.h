// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <string>
#include <vector>

// The cells of a NumberTable as the calculation wrote them, made into Qt's text only for the
// cells a view shows: a course of ten thousand rows is shown at once without an item per cell.
class NumberTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit NumberTableModel(QObject* parent) : QAbstractTableModel(parent) {}

    // Takes the captions and the rows; a table of the same shape tells its views that the
    // cells changed, so that they keep their current cell and selection.
    void setCells(const QStringList& captions, std::vector<std::vector<std::string>> rows);

    // Greys the rows whose flag is set, as a course sets its rejected attempts apart; rows past
    // the flags stay as they are.
    void setRowsSetApart(std::vector<bool> rows);

    bool isSetApart(int row) const;

    // The cell's text; empty for a cell that a short row does not have.
    QString text(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QStringList m_captions;
    std::vector<std::vector<std::string>> m_rows;
    std::vector<bool> m_setApart;
};
