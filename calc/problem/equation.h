// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/problem/expression.h"
#include "calc/text/number_text.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace calc {

// The right-hand sides whose exact solution the program knows, in the order the window lists them.
enum class Known { minus_x_y2, y, minus_2xy, x_plus_y, logistic, y2 };

struct KnownEquation {
    Known id;
    std::string_view text;  // f(x, y) as listed and as typed
    std::string_view exact; // y(x) for y(ug) = aw, in the syntax of the exact-solution field
};

inline constexpr std::array<KnownEquation, 6> catalogue = {{
    {Known::minus_x_y2, "-x*y^2", "aw/(1+aw*((x-ug)*(x+ug))/2)"},
    {Known::y, "y", "aw*exp(x-ug)"},
    {Known::minus_2xy, "-2*x*y", "aw*exp(-(x-ug)*(x+ug))"},
    {Known::x_plus_y, "x+y", "(aw+ug+1)*exp(x-ug)-x-1"},
    {Known::logistic, "y*(1-y)", "aw/(aw+(1-aw)*exp(-(x-ug)))"},
    {Known::y2, "y^2", "aw/(1-aw*(x-ug))"},
}};

inline constexpr std::string_view default_equation = catalogue[0].text;

// The right-hand side f(x, y) of y' = f(x, y). The default, -x*y^2 however it is spaced, keeps
// its compiled body (-x)*(y*y); any other is read by the formula reader. Copies are independent.
class Equation {
public:
    // The default -x*y^2.
    Equation() = default;

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
        return m_formula ? m_formula->evaluate(x, y) : (-x) * (y * y);
    }
    // The reader of a typed equation; null for the default.
    const Expression* formula() const { return m_formula ? &*m_formula : nullptr; }

private:
    std::string m_text{default_equation};
    std::optional<Known> m_known = Known::minus_x_y2;
    std::optional<Expression> m_formula;
};

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

// The warnings about formulas, as the user sees them.
namespace formula_warning {
// "Die Differentialgleichung ist fehlerhaft: <Grund> (Zeichen <N>)."
std::string equation(const ParseError& error);
// "Die exakte Lösung ist fehlerhaft: <Grund> (Zeichen <N>)."
std::string exact(const ParseError& error);
// "Die Differentialgleichung ist bei x = <x>, y = <y> nicht definiert."
std::string undefined(double x, double y, const NumberLocale& locale);
} // namespace formula_warning

} // namespace calc
