// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tables as CSV text, as every table of the program is saved: the captions, then one line a row,
// "\n" after each; cells separated by list_separator (';' where the locale writes a decimal
// comma, else ','); a cell without a value (no_value) left empty.

#include "calc/text/labels.h"
#include "calc/text/number_text.h"

#include <string>
#include <string_view>
#include <vector>

namespace calc {

// Appends one line of `cells` and its "\n".
template <class Cells> void append_csv_line(std::string& csv, const Cells& cells, char separator) {
    bool first = true;
    for (const auto& cell : cells) {
        if (!first) {
            csv.push_back(separator);
        }
        first = false;
        if (std::string_view(cell) != no_value) {
            csv.append(cell);
        }
    }
    csv.push_back('\n');
}

// The captions and the rows' cells as CSV text in the locale.
std::string csv_text(const std::vector<std::string_view>& captions,
                     const std::vector<std::vector<std::string>>& rows, const NumberLocale& locale);

} // namespace calc
