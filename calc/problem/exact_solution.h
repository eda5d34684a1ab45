// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/problem/catalogue.h"
#include "calc/problem/equation.h"
#include "calc/problem/expression.h"
#include "calc/text/number_text.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace calc {

// The exact solution y(x) of y(ug) = aw, where the program has one: the catalogue's formula of a
// known equation, or one the user typed in x, ug and aw.
class ExactSolution {
public:
    // The known solution of `equation`; none for a typed equation.
    static std::optional<ExactSolution> of(const Equation& equation);
    // Reads a solution typed in x, ug and aw in `locale`.
    static std::variant<ExactSolution, ParseError> parse(std::string_view text,
                                                         const NumberLocale& locale);

    // y(x); none from the first pole on the way from ug to x, and where it is not finite.
    std::optional<double> at(double ug, double aw, double x) const;
    // The first pole of a known solution between ug and `end`; none for a typed one.
    std::optional<double> first_pole(double ug, double aw, double end) const;
    // The formula as the exact-solution field shows it.
    const std::string& text() const { return m_text; }
    // Whether the solution is the catalogue's.
    bool is_known() const { return m_known.has_value(); }

private:
    std::string m_text;
    std::optional<Known> m_known;
    std::optional<Expression> m_formula; // in x, ug, aw
};

} // namespace calc
