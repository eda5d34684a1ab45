// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/problem/formula_text.h"
#include "calc/problem/parse_error.h"
#include "calc/text/number_text.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace calc {

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

} // namespace calc
