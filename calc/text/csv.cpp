// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/text/csv.h"

namespace calc {

std::string csv_text(const std::vector<std::string_view>& captions,
                     const std::vector<std::vector<std::string>>& rows,
                     const NumberLocale& locale) {
    const char separator = list_separator(locale);
    std::string csv;
    append_csv_line(csv, captions, separator);
    for (const std::vector<std::string>& row : rows) {
        append_csv_line(csv, row, separator);
    }
    return csv;
}

} // namespace calc
