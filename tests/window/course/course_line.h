// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/course.h"
#include "calc/calculate.h"
#include "qt/number_locale.h"

#include "window/course/number_table.h"
#include <QLabel>
#include <QLocale>
#include <QStringList>

#include <optional>
#include <string>
#include <variant>

// How long a test waits for a whole study on its worker threads: a few seconds in a plain build,
// above a minute under the sanitizers, where Newton's LU and the typed formulas run many times
// slower, and more again on a machine that is running other tests beside it.
inline constexpr int study_wait_ms = 240'000; // below Qt Test's watchdog of five minutes

// The result line that a press with these entries, equation and method makes; none on a warning.
inline std::optional<calc::ResultLine>
lineOf(const std::string& equation, calc::Method method, const QLocale& locale,
       const calc::EntryTexts& entries = {"10", "0", "1", "1"}) {
    const calc::Outcome outcome =
        calc::calculate(calc::Task(entries, equation, method), calcNumberLocale(locale));
    if (const auto* line = std::get_if<calc::ResultLine>(&outcome)) {
        return *line;
    }
    return std::nullopt;
}

inline QStringList captionsOf(const NumberTable* table) {
    QStringList captions;
    for (int column = 0; column < table->columnCount(); ++column) {
        captions.append(table->caption(column));
    }
    return captions;
}

inline QStringList rowOf(const NumberTable* table, int row) {
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column) {
        cells.append(table->text(row, column));
    }
    return cells;
}

inline QStringList textsOf(const std::vector<std::string>& cells) {
    QStringList list;
    for (const std::string& cell : cells) {
        list.append(QString::fromStdString(cell));
    }
    return list;
}
