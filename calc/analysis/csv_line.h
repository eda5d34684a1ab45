// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/text/labels.h"

#include <string>
#include <string_view>

namespace calc {

// Appends one line of a CSV table: the cells joined by `separator`, a cell that shows no_value
// left empty, then "\n".
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

} // namespace calc
