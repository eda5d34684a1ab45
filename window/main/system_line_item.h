// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/system_calculate.h"
#include "qt/qt_text.h"

#include <QListWidgetItem>

// A system's result line with all it was computed from, kept for the course of the system that
// a double-click is to open; until that window exists, the line opens nothing.
class SystemLineItem : public QListWidgetItem {
public:
    static constexpr int item_type = QListWidgetItem::UserType + 2;

    explicit SystemLineItem(const calc::SystemLine& line)
        : QListWidgetItem(fromUtf8(line.text), nullptr, item_type), m_line(line) {}

    const calc::SystemLine& line() const { return m_line; }

private:
    calc::SystemLine m_line;
};
