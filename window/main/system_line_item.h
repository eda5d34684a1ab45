// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/system_calculate.h"
#include "qt/qt_text.h"

#include <QListWidgetItem>
#include <QPointer>
#include <QWidget>

// A system's result line with all it was computed from and its course window, once opened.
class SystemLineItem : public QListWidgetItem {
public:
    static constexpr int item_type = QListWidgetItem::UserType + 2;

    explicit SystemLineItem(const calc::SystemLine& line)
        : QListWidgetItem(fromUtf8(line.text), nullptr, item_type), m_line(line) {}

    const calc::SystemLine& line() const { return m_line; }
    QPointer<QWidget>& course() { return m_course; }

private:
    calc::SystemLine m_line;
    QPointer<QWidget> m_course;
};
