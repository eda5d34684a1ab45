// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/text/number_text.h"

#include <string>
#include <string_view>
#include <vector>

// A table as CSV text, written as the course's and the study's tables are: the captions, then
// one line a row, "\n" after each; cells separated by ';' where the locale's decimal separator is
// ',', else by ','; cells without a value (calc::no_value) empty.
std::string csvText(const std::vector<std::string_view>& captions,
                    const std::vector<std::vector<std::string>>& rows,
                    const calc::NumberLocale& locale);
