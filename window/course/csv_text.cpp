// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/csv_text.h"

#include "calc/analysis/course.h"

namespace {

template <class Cells> void appendLine(std::string& csv, const Cells& cells, char separator) {
    bool first = true;
    for (const auto& cell : cells) {
        if (!first) {
            csv.push_back(separator);
        }
        first = false;
        if (cell != calc::no_value) {
            csv.append(cell);
        }
    }
    csv.push_back('\n');
}

} // namespace

std::string csvText(const std::vector<std::string_view>& captions,
                    const std::vector<std::vector<std::string>>& rows,
                    const calc::NumberLocale& locale) {
    // A decimal comma would split the cells, so such locales separate them by semicolons.
    const char separator = locale.decimal_separator == "," ? ';' : ',';
    std::string csv;
    appendLine(csv, captions, separator);
    for (const std::vector<std::string>& row : rows) {
        appendLine(csv, row, separator);
    }
    return csv;
}
