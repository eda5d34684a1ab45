// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calculate.h"
#include "qt/qt_text.h"

#include <QListWidgetItem>
#include <QPointer>
#include <QWidget>

// A result line with all it was computed from and its course window, once opened.
class ResultItem : public QListWidgetItem {
public:
    static constexpr int item_type = QListWidgetItem::UserType + 1;

    explicit ResultItem(const calc::ResultLine& line)
        : QListWidgetItem(fromUtf8(line.text), nullptr, item_type), m_line(line) {}

    const calc::ResultLine& line() const { return m_line; }
    QPointer<QWidget>& course() { return m_course; }

private:
    calc::ResultLine m_line;
    QPointer<QWidget> m_course;
};
