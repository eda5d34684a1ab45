// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/problem/formula_text.h"

#include <algorithm>

namespace calc {

std::size_t utf8_sequence_length(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

bool within_length_limit(std::string_view text) {
    // Counted as the reader counts: a UTF-8 sequence is a character, and so is each byte that
    // belongs to none.
    int characters = 0;
    for (std::size_t i = 0; i < text.size(); ++characters) {
        if (characters == formula_length_limit) {
            return false;
        }
        i += std::max<std::size_t>(1, utf8_sequence_length(text.substr(i)));
    }
    return true;
}

std::string without_blanks(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c != ' ' && c != '\t') {
            out += c;
        }
    }
    return out;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace calc
