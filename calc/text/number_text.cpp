// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/text/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace calc {

namespace {

constexpr std::string_view no_break_space = "\u00A0";
constexpr std::string_view narrow_no_break_space = "\u202F";
constexpr std::string_view right_single_quote = "\u2019";

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trim_blanks(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Consumes `token` from the front of `text` if it stands there.
bool take(std::string_view& text, std::string_view token) {
    if (token.empty() || !text.starts_with(token)) {
        return false;
    }
    text.remove_prefix(token.size());
    return true;
}

// Consumes one group separator: the locale's own, or a look-alike that users type for it.
bool take_group_separator(std::string_view& text, std::string_view group) {
    if (take(text, group)) {
        return true;
    }
    if (group == no_break_space || group == narrow_no_break_space) {
        return take(text, no_break_space) || take(text, narrow_no_break_space) || take(text, " ");
    }
    if (group == right_single_quote) {
        return take(text, "'");
    }
    return false;
}

// The digits of a number with its sign and exponent, before conversion.
struct DecimalText {
    bool negative = false;
    std::string_view integer_digits; // may hold group separators; only digits are counted
    std::string_view fraction_digits;
    std::int64_t exponent = 0;
};

// Reads the integer part, whose groups of three are set off by group separators.
// On success `text` is left after it and `digits` spans it, separators included.
bool take_integer_part(std::string_view& text, std::string_view group, std::string_view& digits) {
    const std::string_view start = text;
    std::size_t in_group = 0;
    bool grouped = false;
    while (!text.empty()) {
        if (is_digit(text.front())) {
            text.remove_prefix(1);
            ++in_group;
            continue;
        }
        std::string_view rest = text;
        if (!take_group_separator(rest, group)) {
            break;
        }
        const bool group_ok = grouped ? in_group == 3 : (in_group >= 1 && in_group <= 3);
        if (!group_ok) {
            return false;
        }
        grouped = true;
        in_group = 0;
        text = rest;
    }
    if (grouped && in_group != 3) {
        return false;
    }
    digits = start.substr(0, start.size() - text.size());
    return true;
}

std::string_view take_digits(std::string_view& text) {
    std::size_t n = 0;
    while (n < text.size() && is_digit(text[n])) {
        ++n;
    }
    const std::string_view digits = text.substr(0, n);
    text.remove_prefix(n);
    return digits;
}

// Reads "E", an optional sign and at least one digit; the value saturates far beyond any double.
bool take_exponent(std::string_view& text, std::int64_t& exponent) {
    if (text.empty() || (text.front() != 'E' && text.front() != 'e')) {
        return true;
    }
    text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::string_view digits = take_digits(text);
    if (digits.empty()) {
        return false;
    }
    constexpr std::int64_t saturation = std::int64_t{1} << 40;
    std::int64_t value = 0;
    for (const char c : digits) {
        value = std::min(saturation, value * 10 + (c - '0'));
    }
    exponent = negative ? -value : value;
    return true;
}

std::optional<DecimalText> parse(std::string_view text, const NumberLocale& locale) {
    text = trim_blanks(text);
    DecimalText number;
    if (!take(text, "+")) {
        number.negative = take(text, locale.minus_sign) || take(text, "-");
    }
    if (!take_integer_part(text, locale.group_separator, number.integer_digits)) {
        return std::nullopt;
    }
    if (take(text, locale.decimal_separator)) {
        number.fraction_digits = take_digits(text);
    }
    if (number.integer_digits.empty() && number.fraction_digits.empty()) {
        return std::nullopt;
    }
    if (!take_exponent(text, number.exponent) || !text.empty()) {
        return std::nullopt;
    }
    return number;
}

// Converts the parsed digits to the nearest double; nullopt when it is too large for one.
std::optional<double> to_double(const DecimalText& number) {
    std::string digits;
    digits.reserve(number.integer_digits.size() + number.fraction_digits.size());
    for (const char c : number.integer_digits) {
        if (is_digit(c)) {
            digits.push_back(c);
        }
    }
    digits.append(number.fraction_digits);

    // value = digits * 10^scale
    auto scale = number.exponent - static_cast<std::int64_t>(number.fraction_digits.size());
    const auto first = digits.find_first_not_of('0');
    const double zero = number.negative ? -0.0 : 0.0;
    if (first == std::string::npos) {
        return zero;
    }
    const auto last = digits.find_last_not_of('0');
    scale += static_cast<std::int64_t>(digits.size() - 1 - last);
    const std::string_view significant = std::string_view(digits).substr(first, last - first + 1);

    // value = d.ddd * 10^decimal_exponent
    const std::int64_t decimal_exponent = scale + static_cast<std::int64_t>(significant.size()) - 1;
    if (decimal_exponent > 400) {
        return std::nullopt;
    }
    if (decimal_exponent < -400) {
        return zero;
    }

    std::string scientific;
    scientific.reserve(significant.size() + 8);
    scientific.push_back(significant.front());
    scientific.push_back('.');
    scientific.append(significant.substr(1));
    scientific.push_back('e');
    scientific.append(std::to_string(decimal_exponent));

    double value = 0;
    const auto [end, error] =
        std::from_chars(scientific.data(), scientific.data() + scientific.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (decimal_exponent > 0) {
            return std::nullopt;
        }
        return zero;
    }
    if (error != std::errc{} || end != scientific.data() + scientific.size()) {
        return std::nullopt;
    }
    return number.negative ? -value : value;
}

// Rewrites a number from std::to_chars in the locale's signs.
std::string localize(std::string_view plain, const NumberLocale& locale) {
    std::string out;
    out.reserve(plain.size() + locale.minus_sign.size() + locale.decimal_separator.size());
    if (plain.starts_with('-')) {
        out.append(locale.minus_sign);
        plain.remove_prefix(1);
    }
    for (const char c : plain) {
        if (c == '.') {
            out.append(locale.decimal_separator);
        } else if (c == 'e') {
            out.push_back('E');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

} // namespace

std::optional<double> read_number(std::string_view text, const NumberLocale& locale) {
    const auto number = parse(text, locale);
    if (!number) {
        return std::nullopt;
    }
    return to_double(*number);
}

std::string format_00_0(double value, const NumberLocale& locale) {
    if (!std::isfinite(value)) {
        return format_general(value, locale);
    }
    const double magnitude = std::fabs(value);
    // 400 bytes hold every finite double in fixed form with one decimal.
    char buffer[400];
    char* end = nullptr;
    double whole = 0;
    const double fraction = std::modf(magnitude, &whole);
    if (fraction == 0.25 || fraction == 0.75) {
        // Exactly halfway between two tenths: away from zero, where to_chars would pick the even.
        end = std::to_chars(buffer, buffer + sizeof buffer, whole, std::chars_format::fixed, 0).ptr;
        *end++ = '.';
        *end++ = fraction == 0.25 ? '3' : '8';
    } else {
        end = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, 1)
                  .ptr;
    }
    std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));

    std::string out;
    out.reserve(digits.size() + 8);
    if (std::signbit(value) && digits.find_first_not_of("0.") != std::string_view::npos) {
        out.append(locale.minus_sign);
    }
    if (digits.find('.') < 2) {
        out.push_back('0');
    }
    out.append(localize(digits, locale));
    return out;
}

std::string format_general(double value, const NumberLocale& locale) {
    if (value == 0) {
        return "0";
    }
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    return localize(std::string_view(buffer, static_cast<std::size_t>(end - buffer)), locale);
}

std::string format_fixed(double value, int decimals, const NumberLocale& locale) {
    if (!std::isfinite(value)) {
        return format_general(value, locale);
    }
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                            std::chars_format::fixed, decimals);
    if (error != std::errc{}) {
        return format_general(value, locale);
    }
    const std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));
    std::string out;
    if (std::signbit(value) && digits.find_first_not_of("0.") != std::string_view::npos) {
        out.append(locale.minus_sign);
    }
    out.append(localize(digits, locale));
    return out;
}

char list_separator(const NumberLocale& locale) {
    return locale.decimal_separator == "," ? ';' : ',';
}

std::string components_text(const Vector& values, const NumberLocale& locale) {
    const char separator = list_separator(locale);
    std::string text = "(";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            text += separator;
            text += ' ';
        }
        text += format_general(values[i], locale);
    }
    text += ')';
    return text;
}

} // namespace calc
