// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/problem/catalogue.h"
#include "calc/problem/expression.h"
#include "calc/text/number_text.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace calc {

// The default right-hand side -x*y^2 as compiled, with the negation on the abscissa. Every pass
// and every evaluation of the default uses this one body, inlined.
[[gnu::always_inline]] inline double default_slope(double x, double y) {
    return (-x) * (y * y);
}

// The right-hand side f(x, y) of y' = f(x, y). The default, -x*y^2 however it is spaced, keeps
// its compiled body default_slope; any other is read by the formula reader. Copies are
// independent, and one equation may be evaluated from several threads at once (see Expression).
class Equation {
public:
    // The default -x*y^2.
    Equation() = default;
    Equation(const Equation&) = default;
    Equation& operator=(const Equation&) = default;
    // A moved-from equation is the default, so that it copies and evaluates as one.
    Equation(Equation&& other) noexcept;
    Equation& operator=(Equation&& other) noexcept;
    ~Equation() = default;

    // Reads a right-hand side in x and y as typed in `locale`.
    static std::variant<Equation, ParseError> parse(std::string_view text,
                                                    const NumberLocale& locale);

    // The text as typed, without leading and trailing blanks.
    const std::string& text() const { return m_text; }
    // Whether this is the default with its compiled body.
    bool is_default() const { return !m_formula; }
    // The catalogue entry this equation is, spaces aside.
    std::optional<Known> known() const { return m_known; }

    // f(x, y).
    double operator()(double x, double y) const {
        return m_formula ? m_formula->evaluate(x, y) : default_slope(x, y);
    }
    // The reader of a typed equation; null for the default.
    const Expression* formula() const { return m_formula ? &*m_formula : nullptr; }

private:
    void become_default();

    std::string m_text{default_equation};
    std::optional<Known> m_known = Known::minus_x_y2;
    std::optional<Expression> m_formula;
};

} // namespace calc
