// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/problem/parse_error.h"
#include "calc/text/number_text.h"

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace calc {

// The longest formula that is read at all, in characters.
inline constexpr int formula_length_limit = 1000;

// A formula as the user types it: numbers in the locale, + - * / ^, parentheses, pi, e, the
// functions sin cos tan asin acos atan sinh cosh tanh exp ln log10 sqrt abs min max, and the
// named variables. Copies are independent, so each thread evaluates its own.
class Expression {
public:
    // Reads `text` in `locale`, where `variables` are the names it may use, in the order in which
    // evaluate() takes their values.
    static std::variant<Expression, ParseError>
    parse(std::string_view text, std::vector<std::string> variables, const NumberLocale& locale);

    Expression(const Expression& other);
    Expression& operator=(const Expression& other);
    // A moved-from expression has no formula: it copies as one without, and evaluates to NaN.
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;
    ~Expression();

    // The value for the variables' values, one a name in the order given to parse(), for any
    // number of names; values beyond the names are left out, and names beyond the values are 0.
    double evaluate(std::span<const double> values) const;
    // The same for the first two (or three) names, without a span, for the runs.
    double evaluate(double a, double b) const;
    double evaluate(double a, double b, double c) const;

private:
    struct Reader;
    explicit Expression(std::unique_ptr<Reader> reader);
    std::unique_ptr<Reader> m_reader;
};

// How the names of a formula are spelled: letters, digits and "_"; for a system's formulas, whose
// names include y', also "'".
enum class NameSpelling { plain, with_apostrophe };

// Several formulas in the same names, read together so that they share one block of values: an
// evaluation writes the names' values once and gives every formula's value. Copies are
// independent, so each thread evaluates its own.
class FormulaSet {
public:
    // Why formula `formula` (from 0) could not be read.
    struct Refusal {
        std::size_t formula;
        ParseError error;
    };

    // Reads each text in `locale` as Expression::parse reads one, in the order given, and
    // refuses at the first that fails; `variables` are the names every formula may use.
    static std::variant<FormulaSet, Refusal> parse(const std::vector<std::string>& texts,
                                                   std::vector<std::string> variables,
                                                   const NumberLocale& locale,
                                                   NameSpelling spelling = NameSpelling::plain);

    FormulaSet(const FormulaSet& other);
    FormulaSet& operator=(const FormulaSet& other);
    // A moved-from set has no formulas: it copies as one without, and evaluates to NaN.
    FormulaSet(FormulaSet&&) noexcept;
    FormulaSet& operator=(FormulaSet&&) noexcept;
    ~FormulaSet();

    std::size_t size() const;
    // Writes the names' values into the shared block (as Expression::evaluate takes them: values
    // beyond the names are left out, names beyond the values are 0), then the value of formula i
    // into out[i], for as many formulas as `out` has places.
    void evaluate(std::span<const double> values, std::span<double> out) const;

private:
    struct Readers;
    explicit FormulaSet(std::unique_ptr<Readers> readers);
    std::unique_ptr<Readers> m_readers;
};

// Whether the text has at most formula_length_limit characters.
bool within_length_limit(std::string_view text);

// The text without any blanks, for comparing formulas as typed.
std::string without_blanks(std::string_view text);

// The text without leading and trailing blanks.
std::string_view trimmed(std::string_view text);

} // namespace calc
