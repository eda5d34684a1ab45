// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The parts of the formula reader that the one formula (expression.cpp) and the set of formulas
// (formula_set.cpp) share: the library's parser limited to the syntax offered, the check of a
// text's characters before parsing and the German reasons for the library's errors. Included by
// those two sources only, so that the library's types stay inside calc's sources.

#include "calc/problem/expression.h"
#include "calc/text/warnings.h"

#include <muParserBase.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace calc::reader_parts {

namespace reason = formula_reason;

inline std::string quoted(std::string_view reason, std::string_view token) {
    std::string text(reason);
    text += " \u201e";
    text += token;
    text += "\u201c";
    return text;
}

inline double negate(double v) {
    return -v;
}
inline double identity(double v) {
    return v;
}
// Like the other operations, min and max pass an undefined argument on.
inline double minimum(double a, double b) {
    return std::isnan(a) || std::isnan(b) ? std::numeric_limits<double>::quiet_NaN()
                                          : (b < a ? b : a);
}
inline double maximum(double a, double b) {
    return std::isnan(a) || std::isnan(b) ? std::numeric_limits<double>::quiet_NaN()
                                          : (a < b ? b : a);
}

using Unary = double (*)(double);
struct NamedFunction {
    const char* name;
    Unary function;
};
inline const std::array<NamedFunction, 14> unary_functions = {{
    {"sin", [](double v) { return std::sin(v); }},
    {"cos", [](double v) { return std::cos(v); }},
    {"tan", [](double v) { return std::tan(v); }},
    {"asin", [](double v) { return std::asin(v); }},
    {"acos", [](double v) { return std::acos(v); }},
    {"atan", [](double v) { return std::atan(v); }},
    {"sinh", [](double v) { return std::sinh(v); }},
    {"cosh", [](double v) { return std::cosh(v); }},
    {"tanh", [](double v) { return std::tanh(v); }},
    {"exp", [](double v) { return std::exp(v); }},
    {"ln", [](double v) { return std::log(v); }},
    {"log10", [](double v) { return std::log10(v); }},
    {"sqrt", [](double v) { return std::sqrt(v); }},
    {"abs", [](double v) { return std::fabs(v); }},
}};

inline bool is_function_name(std::string_view name) {
    if (name == "min" || name == "max") {
        return true;
    }
    for (const NamedFunction& f : unary_functions) {
        if (name == f.name) {
            return true;
        }
    }
    return false;
}

inline bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

inline bool is_name_char(char c, NameSpelling spelling = NameSpelling::plain) {
    return is_digit(c) || c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (c == '\'' && spelling == NameSpelling::with_apostrophe);
}

// A number: digits, then the decimal separator and digits, then an exponent; no group separators.
template <char DecimalSeparator> int read_value(const char* text, int* position, double* value) {
    if (!is_digit(text[0])) {
        return 0;
    }
    std::string digits;
    std::size_t i = 0;
    for (; is_digit(text[i]); ++i) {
        digits += text[i];
    }
    if (text[i] == DecimalSeparator) {
        digits += '.';
        for (++i; is_digit(text[i]); ++i) {
            digits += text[i];
        }
    }
    if (text[i] == 'e' || text[i] == 'E') {
        std::size_t j = i + 1;
        if (text[j] == '+' || text[j] == '-') {
            ++j;
        }
        if (is_digit(text[j])) {
            digits += 'e';
            digits.append(text + i + 1, j - i - 1);
            for (i = j; is_digit(text[i]); ++i) {
                digits += text[i];
            }
        }
    }
    double number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error == std::errc::result_out_of_range) {
        // Too large for a double is infinite; too small is zero.
        const std::size_t e = digits.find('e');
        const bool large = e != std::string::npos && digits[e + 1] != '-';
        number = large ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc{} || end != digits.data() + digits.size()) {
        return 0;
    }
    *position += static_cast<int>(i);
    *value = number;
    return 1;
}

// The reader of one formula: the library's parser limited to the syntax offered.
class Parser final : public mu::ParserBase {
public:
    Parser(char decimal, char separator, const std::vector<std::string>& variables, double* values,
           NameSpelling spelling = NameSpelling::plain)
        : m_decimal_comma(decimal == ','), m_spelling(spelling) {
        InitCharSets();
        InitFun();
        InitConst();
        InitOprt();
        SetArgSep(separator);
        for (std::size_t i = 0; i < variables.size(); ++i) {
            DefineVar(variables[i], values + i);
        }
    }

private:
    void InitCharSets() override {
        DefineNameChars(m_spelling == NameSpelling::with_apostrophe
                            ? "0123456789_abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ'"
                            : "0123456789_abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
        DefineOprtChars("+-*/^");
        DefineInfixOprtChars("+-");
    }
    void InitFun() override {
        for (const NamedFunction& f : unary_functions) {
            DefineFun(f.name, f.function);
        }
        DefineFun("min", minimum);
        DefineFun("max", maximum);
    }
    void InitConst() override {
        DefineConst("pi", std::numbers::pi);
        DefineConst("e", std::numbers::e);
    }
    void InitOprt() override {
        DefineInfixOprt("-", negate, mu::prINFIX);
        DefineInfixOprt("+", identity, mu::prINFIX);
        AddValIdent(m_decimal_comma ? read_value<','> : read_value<'.'>);
    }

    bool m_decimal_comma;
    NameSpelling m_spelling;
};

// Characters that the syntax uses at all; everything else is refused before parsing.
inline bool is_offered(char c, char decimal, char separator, NameSpelling spelling) {
    switch (c) {
    case ' ':
    case '\t':
    case '+':
    case '-':
    case '*':
    case '/':
    case '^':
    case '(':
    case ')':
        return true;
    default:
        return is_name_char(c, spelling) || c == decimal || c == separator;
    }
}

// Refuses what no formula may hold: an empty or too long text, and characters outside the
// syntax. On success the text is plain ASCII, so the library's byte positions are characters.
inline std::optional<ParseError> check_characters(std::string_view text, char decimal,
                                                  char separator,
                                                  NameSpelling spelling = NameSpelling::plain) {
    int position = 0;
    std::optional<ParseError> refused;
    bool blank = true;
    for (std::size_t i = 0; i < text.size(); ++position) {
        if (position == formula_length_limit) {
            return ParseError{std::string(reason::too_long), formula_length_limit + 1};
        }
        const std::size_t length = utf8_sequence_length(text.substr(i));
        if (!refused) {
            const char c = text[i];
            if (length == 0) {
                refused = ParseError{std::string(reason::bad_encoding), position + 1};
            } else if (length == 1 && (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) &&
                       c != '\t') {
                refused = ParseError{std::string(reason::control_character), position + 1};
            } else if (length > 1 || !is_offered(c, decimal, separator, spelling)) {
                refused = ParseError{quoted(reason::unexpected_character, text.substr(i, length)),
                                     position + 1};
            }
            blank = blank && (c == ' ' || c == '\t');
        }
        i += length == 0 ? 1 : length;
    }
    if (refused) {
        return refused;
    }
    if (blank) {
        return ParseError{std::string(reason::empty), 1};
    }
    return std::nullopt;
}

// The first argument separator outside every function's parentheses.
inline int stray_separator(std::string_view text, char separator) {
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') {
            ++depth;
        } else if (text[i] == ')') {
            --depth;
        } else if (text[i] == separator && depth <= 0) {
            return static_cast<int>(i) + 1;
        }
    }
    return 1;
}

inline ParseError explain(const mu::ParserError& error, std::string_view text,
                          NameSpelling spelling = NameSpelling::plain) {
    const std::string token = error.GetToken();
    const int length = static_cast<int>(text.size());
    const int position = std::clamp(error.GetPos() + 1, 1, length + 1);
    auto at = [&](std::string_view why) { return ParseError{std::string(why), position}; };
    auto with_token = [&](std::string_view why) {
        return ParseError{quoted(why, token), position};
    };
    switch (error.GetCode()) {
    case mu::ecUNASSIGNABLE_TOKEN: {
        std::size_t name_length = 0;
        while (name_length < token.size() && is_name_char(token[name_length], spelling)) {
            ++name_length;
        }
        if (name_length == 0) {
            return ParseError{quoted(reason::unexpected_character, token.substr(0, 1)), position};
        }
        const std::string name = token.substr(0, name_length);
        if (is_function_name(name)) {
            return ParseError{quoted(reason::missing_call, name), position};
        }
        return ParseError{quoted(reason::unknown_name, name), position};
    }
    case mu::ecUNEXPECTED_EOF:
    case mu::ecVAL_EXPECTED:
        return at(reason::missing_operand);
    case mu::ecUNEXPECTED_OPERATOR:
        return with_token(reason::unexpected_operator);
    case mu::ecUNEXPECTED_VAL:
    case mu::ecUNEXPECTED_VAR:
    case mu::ecUNEXPECTED_FUN:
        return with_token(reason::missing_operator);
    case mu::ecMISSING_PARENS:
        return at(reason::missing_parenthesis);
    case mu::ecUNEXPECTED_PARENS:
        return with_token(reason::unexpected_parenthesis);
    case mu::ecUNEXPECTED_ARG:
        return at(reason::separator_outside);
    case mu::ecUNEXPECTED_ARG_SEP:
        return at(reason::unexpected_separator);
    case mu::ecTOO_MANY_PARAMS:
        return with_token(reason::too_many_arguments);
    case mu::ecTOO_FEW_PARAMS:
        return with_token(reason::too_few_arguments);
    case mu::ecEMPTY_EXPRESSION:
        return ParseError{std::string(reason::empty), 1};
    case mu::ecEXPRESSION_TOO_LONG:
    case mu::ecUNREASONABLE_NUMBER_OF_COMPUTATIONS:
    case mu::ecIDENTIFIER_TOO_LONG:
        return at(reason::too_long);
    default:
        return at(reason::unreadable);
    }
}

} // namespace calc::reader_parts
