// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/problem/equation.h"

namespace calc {

namespace {

// The catalogue entry of a typed right-hand side, blanks aside.
std::optional<Known> find_known(std::string_view typed) {
    const std::string bare = without_blanks(typed);
    for (const KnownEquation& entry : catalogue) {
        if (bare == entry.text) {
            return entry.id;
        }
    }
    return std::nullopt;
}

} // namespace

Equation::Equation(Equation&& other) noexcept
    : m_text(std::move(other.m_text)), m_known(other.m_known),
      m_formula(std::move(other.m_formula)) {
    other.become_default();
}

Equation& Equation::operator=(Equation&& other) noexcept {
    if (this != &other) {
        m_text = std::move(other.m_text);
        m_known = other.m_known;
        m_formula = std::move(other.m_formula);
        other.become_default();
    }
    return *this;
}

void Equation::become_default() {
    m_text = default_equation;
    m_known = Known::minus_x_y2;
    m_formula.reset();
}

std::variant<Equation, ParseError> Equation::parse(std::string_view text,
                                                   const NumberLocale& locale) {
    // A text too long to read is refused by the reader before it is looked at here.
    if (!within_length_limit(text)) {
        return std::get<ParseError>(Expression::parse(text, {"x", "y"}, locale));
    }
    Equation equation;
    equation.m_text = std::string(trimmed(text));
    equation.m_known = find_known(text);
    if (equation.m_known == Known::minus_x_y2) {
        return equation;
    }
    auto formula = Expression::parse(text, {"x", "y"}, locale);
    if (auto* error = std::get_if<ParseError>(&formula)) {
        return *error;
    }
    equation.m_formula = std::move(std::get<Expression>(formula));
    return equation;
}

} // namespace calc
