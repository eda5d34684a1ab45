// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/state.h"

#include <optional>
#include <string>
#include <string_view>

namespace calc {

// How the user's locale writes numbers; every text is UTF-8.
struct NumberLocale {
    std::string decimal_separator = ".";
    std::string group_separator = ",";
    std::string minus_sign = "-";
};

// Reads a number as the locale writes it; nullopt when the text is not a number.
std::optional<double> read_number(std::string_view text, const NumberLocale& locale);

// Writes the value with the pattern "00.0": one decimal, at least two integer digits.
std::string format_00_0(double value, const NumberLocale& locale);

// Writes the value with up to 15 significant digits, in exponent form when very large or small.
std::string format_general(double value, const NumberLocale& locale);

// Writes the value in fixed form with the given number of decimals and no grouping.
std::string format_fixed(double value, int decimals, const NumberLocale& locale);

// What separates numbers in a list, a CSV line or a formula's arguments: ';' where the locale
// writes a decimal comma, which would split them, else ','.
char list_separator(const NumberLocale& locale);

// A system's components as format_general writes them, in parentheses and separated by "; "
// where the locale writes a decimal comma, else by ", ": "(0,5; -1)".
std::string components_text(const Vector& values, const NumberLocale& locale);

} // namespace calc
