// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Formulas as texts, before and beside the reader: their length and their blanks.

#include <cstddef>
#include <string>
#include <string_view>

namespace calc {

// The longest formula that is read at all, in characters.
inline constexpr int formula_length_limit = 1000;

// The length in bytes of the UTF-8 sequence at the front of `text`, or 0 when it is invalid.
std::size_t utf8_sequence_length(std::string_view text);

// Whether the text has at most formula_length_limit characters.
bool within_length_limit(std::string_view text);

// The text without any blanks, for comparing formulas as typed.
std::string without_blanks(std::string_view text);

// The text without leading and trailing blanks.
std::string_view trimmed(std::string_view text);

} // namespace calc
