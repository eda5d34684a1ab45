// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The captions, cells and labels of the results, each text once.

#include "calc/text/number_text.h"

#include <optional>
#include <string>
#include <string_view>

namespace calc {

// The text of a cell where a value does not exist (U+2013).
inline constexpr std::string_view no_value = "\u2013";

// What a label of the equation starts with: "y' = x+y".
inline constexpr std::string_view equation_lead = "y' = ";

// The captions of the tables' and CSV files' columns.
namespace caption {
inline constexpr std::string_view step = "Schritt";
inline constexpr std::string_view steps = "Schritte";
inline constexpr std::string_view x = "x";
inline constexpr std::string_view y = "y";
inline constexpr std::string_view h = "h";
inline constexpr std::string_view k[] = {"k1", "k2", "k3", "k4"};
inline constexpr std::string_view exact = "y exakt";
inline constexpr std::string_view error = "Fehler";
inline constexpr std::string_view method = "Verfahren";
inline constexpr std::string_view eoc = "EOC";
} // namespace caption

// The value as format_general writes it, no_value where there is none.
std::string value_text(std::optional<double> value, const NumberLocale& locale);

// An observed order with two decimals, no_value where there is none.
std::string order_value_text(std::optional<double> order, const NumberLocale& locale);

} // namespace calc
