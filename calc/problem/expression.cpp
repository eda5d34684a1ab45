// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/problem/expression.h"

#include "calc/text/warnings.h"

#include <muParserBase.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <memory>
#include <numbers>
#include <optional>
#include <system_error>
#include <utility>

namespace calc {

namespace {

namespace reason = formula_reason;

std::string quoted(std::string_view reason, std::string_view token) {
    std::string text(reason);
    text += " \u201e";
    text += token;
    text += "\u201c";
    return text;
}

double negate(double v) {
    return -v;
}
double identity(double v) {
    return v;
}
// Like the other operations, min and max pass an undefined argument on.
double minimum(double a, double b) {
    return std::isnan(a) || std::isnan(b) ? std::numeric_limits<double>::quiet_NaN()
                                          : (b < a ? b : a);
}
double maximum(double a, double b) {
    return std::isnan(a) || std::isnan(b) ? std::numeric_limits<double>::quiet_NaN()
                                          : (a < b ? b : a);
}

using Unary = double (*)(double);
struct NamedFunction {
    const char* name;
    Unary function;
};
const std::array<NamedFunction, 14> unary_functions = {{
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

bool is_function_name(std::string_view name) {
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

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_name_char(char c, NameSpelling spelling = NameSpelling::plain) {
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
bool is_offered(char c, char decimal, char separator, NameSpelling spelling) {
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

// The length in bytes of the UTF-8 sequence at the front of `text`, or 0 when it is invalid.
std::size_t sequence_length(std::string_view text) {
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

// Refuses what no formula may hold: an empty or too long text, and characters outside the
// syntax. On success the text is plain ASCII, so the library's byte positions are characters.
std::optional<ParseError> check_characters(std::string_view text, char decimal, char separator,
                                           NameSpelling spelling = NameSpelling::plain) {
    int position = 0;
    std::optional<ParseError> refused;
    bool blank = true;
    for (std::size_t i = 0; i < text.size(); ++position) {
        if (position == formula_length_limit) {
            return ParseError{std::string(reason::too_long), formula_length_limit + 1};
        }
        const std::size_t length = sequence_length(text.substr(i));
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
int stray_separator(std::string_view text, char separator) {
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

ParseError explain(const mu::ParserError& error, std::string_view text,
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

// The values that the two- and three-value forms of evaluate() write, whatever the names.
constexpr std::size_t fixed_values = 3;

} // namespace

struct Expression::Reader {
    Reader(std::string text_, std::vector<std::string> variables_, char decimal_, char separator_)
        : text(std::move(text_)), variables(std::move(variables_)), decimal(decimal_),
          separator(separator_), values(std::max(variables.size(), fixed_values)),
          parser(decimal, separator, variables, values.data()) {
        parser.SetExpr(text);
    }

    std::string text;
    std::vector<std::string> variables;
    char decimal;   // the decimal separator, of one byte
    char separator; // between a function's arguments
    // The block of values that the parser reads, one a name and at least fixed_values; its
    // size never changes, so the addresses given to the parser stay valid.
    std::vector<double> values;
    Parser parser;
};

Expression::Expression(std::unique_ptr<Reader> reader) : m_reader(std::move(reader)) {}

Expression::Expression(const Expression& other)
    : m_reader(other.m_reader
                   ? std::make_unique<Reader>(other.m_reader->text, other.m_reader->variables,
                                              other.m_reader->decimal, other.m_reader->separator)
                   : nullptr) {}

Expression& Expression::operator=(const Expression& other) {
    if (this != &other) {
        *this = Expression(other);
    }
    return *this;
}

Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;
Expression::~Expression() = default;

std::variant<Expression, ParseError> Expression::parse(std::string_view text,
                                                       std::vector<std::string> variables,
                                                       const NumberLocale& locale) {
    // The library reads single characters; a decimal separator of several bytes falls back to
    // the point.
    const char decimal = locale.decimal_separator == "," ? ',' : '.';
    const char separator = list_separator(locale);
    if (auto refused = check_characters(text, decimal, separator)) {
        return *refused;
    }
    try {
        auto reader =
            std::make_unique<Reader>(std::string(text), std::move(variables), decimal, separator);
        // The library reads the formula on its first evaluation.
        reader->parser.Eval();
        if (reader->parser.GetNumResults() > 1) {
            return ParseError{std::string(reason::separator_outside),
                              stray_separator(text, separator)};
        }
        return Expression(std::move(reader));
    } catch (const mu::ParserError& error) {
        return explain(error, text);
    } catch (const std::exception&) {
        return ParseError{std::string(reason::unreadable), 1};
    }
}

double Expression::evaluate(double a, double b) const {
    if (!m_reader) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    m_reader->values[0] = a;
    m_reader->values[1] = b;
    return m_reader->parser.Eval();
}

double Expression::evaluate(double a, double b, double c) const {
    if (!m_reader) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    m_reader->values[0] = a;
    m_reader->values[1] = b;
    m_reader->values[2] = c;
    return m_reader->parser.Eval();
}

double Expression::evaluate(std::span<const double> values) const {
    if (!m_reader) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    std::vector<double>& block = m_reader->values;
    const std::size_t given = std::min(values.size(), block.size());
    std::copy_n(values.begin(), given, block.begin());
    std::fill(block.begin() + static_cast<std::ptrdiff_t>(given), block.end(), 0.0);
    return m_reader->parser.Eval();
}

namespace {

// Whether a formula can stand beside others in one text of the library's, the formulas
// separated by the argument separator: its parentheses are balanced and it holds no separator
// outside them, so that the separators outside parentheses are exactly those between formulas.
bool stands_alone(std::string_view text, char separator) {
    int depth = 0;
    for (const char c : text) {
        if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth < 0) {
            return false;
        } else if (c == separator && depth == 0) {
            return false;
        }
    }
    return depth == 0;
}

// Reads one formula by itself, to tell why a set of formulas is refused.
std::optional<ParseError> read_alone(std::string_view text,
                                     const std::vector<std::string>& variables, char decimal,
                                     char separator, NameSpelling spelling) {
    try {
        std::vector<double> values(std::max<std::size_t>(variables.size(), 1));
        Parser parser(decimal, separator, variables, values.data(), spelling);
        parser.SetExpr(std::string(text));
        parser.Eval();
        if (parser.GetNumResults() > 1) {
            return ParseError{std::string(reason::separator_outside),
                              stray_separator(text, separator)};
        }
        return std::nullopt;
    } catch (const mu::ParserError& error) {
        return explain(error, text, spelling);
    } catch (const std::exception&) {
        return ParseError{std::string(reason::unreadable), 1};
    }
}

} // namespace

// The formulas are read as one text of the library's, "f1,f2,…" with the argument separator
// between them, by one parser on one block of values: one evaluation gives every formula's
// value, and a set costs the reading of one formula, not of n.
struct FormulaSet::Readers {
    Readers(std::vector<std::string> texts_, std::vector<std::string> variables_, char decimal_,
            char separator_, NameSpelling spelling_)
        : texts(std::move(texts_)), variables(std::move(variables_)), decimal(decimal_),
          separator(separator_), spelling(spelling_),
          values(std::max<std::size_t>(variables.size(), 1)),
          parser(decimal, separator, variables, values.data(), spelling) {
        if (!texts.empty()) {
            std::string joined;
            for (const std::string& text : texts) {
                if (!joined.empty()) {
                    joined += separator;
                }
                joined += text;
            }
            parser.SetExpr(joined);
            // The library reads the formulas on their first evaluation.
            parser.Eval();
        }
    }

    std::vector<std::string> texts;
    std::vector<std::string> variables;
    char decimal;
    char separator;
    NameSpelling spelling;
    // The block of values that the parser reads, one a name; its size never changes, so the
    // addresses given to the parser stay valid.
    std::vector<double> values;
    Parser parser;
};

FormulaSet::FormulaSet(std::unique_ptr<Readers> readers) : m_readers(std::move(readers)) {}

FormulaSet::FormulaSet(const FormulaSet& other)
    : m_readers(other.m_readers ? std::make_unique<Readers>(
                                      other.m_readers->texts, other.m_readers->variables,
                                      other.m_readers->decimal, other.m_readers->separator,
                                      other.m_readers->spelling)
                                : nullptr) {}

FormulaSet& FormulaSet::operator=(const FormulaSet& other) {
    if (this != &other) {
        *this = FormulaSet(other);
    }
    return *this;
}

FormulaSet::FormulaSet(FormulaSet&&) noexcept = default;
FormulaSet& FormulaSet::operator=(FormulaSet&&) noexcept = default;
FormulaSet::~FormulaSet() = default;

std::variant<FormulaSet, FormulaSet::Refusal>
FormulaSet::parse(const std::vector<std::string>& texts, std::vector<std::string> variables,
                  const NumberLocale& locale, NameSpelling spelling) {
    const char decimal = locale.decimal_separator == "," ? ',' : '.';
    const char separator = list_separator(locale);
    bool joinable = true;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (auto refused = check_characters(texts[i], decimal, separator, spelling)) {
            return Refusal{i, std::move(*refused)};
        }
        joinable = joinable && stands_alone(texts[i], separator);
    }
    if (joinable) {
        try {
            auto readers =
                std::make_unique<Readers>(texts, variables, decimal, separator, spelling);
            if (texts.empty() ||
                readers->parser.GetNumResults() == static_cast<int>(texts.size())) {
                return FormulaSet(std::move(readers));
            }
        } catch (const mu::ParserError&) {
            // Refused together: each formula alone tells which and why.
        } catch (const std::exception&) {
            // As above.
        }
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (auto refused = read_alone(texts[i], variables, decimal, separator, spelling)) {
            return Refusal{i, std::move(*refused)};
        }
    }
    // Formulas that each read and stand alone read together; should they not, none is blamed.
    return Refusal{0, ParseError{std::string(reason::unreadable), 1}};
}

std::size_t FormulaSet::size() const {
    return m_readers ? m_readers->texts.size() : 0;
}

void FormulaSet::evaluate(std::span<const double> values, std::span<double> out) const {
    const std::size_t count = std::min(out.size(), size());
    std::size_t written = 0;
    if (count > 0) {
        // A handful of values: plain loops, which cost less than a call to copy them.
        std::vector<double>& block = m_readers->values;
        const std::size_t given = std::min(values.size(), block.size());
        for (std::size_t i = 0; i < given; ++i) {
            block[i] = values[i];
        }
        for (std::size_t i = given; i < block.size(); ++i) {
            block[i] = 0.0;
        }
        if (m_readers->texts.size() == 1) {
            out[0] = m_readers->parser.Eval();
            written = 1;
        } else {
            int results = 0;
            const double* value = m_readers->parser.Eval(results);
            written = std::min(count, static_cast<std::size_t>(std::max(results, 0)));
            for (std::size_t i = 0; i < written; ++i) {
                out[i] = value[i];
            }
        }
    }
    for (std::size_t i = written; i < out.size(); ++i) {
        out[i] = std::numeric_limits<double>::quiet_NaN();
    }
}

bool within_length_limit(std::string_view text) {
    // Counted as the reader counts: a UTF-8 sequence is a character, and so is each byte that
    // belongs to none.
    int characters = 0;
    for (std::size_t i = 0; i < text.size(); ++characters) {
        if (characters == formula_length_limit) {
            return false;
        }
        i += std::max<std::size_t>(1, sequence_length(text.substr(i)));
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
