// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/problem/exact_solution.h"

#include <algorithm>
#include <cmath>

namespace calc {

namespace {

// -x*y^2: D(t) = 1 + aw (t - ug)(t + ug) / 2 is the denominator of the solution.
double denominator(double ug, double aw, double t) {
    return 1 + (aw * ((t - ug) * (t + ug))) / 2;
}

// Whether the solution of -x*y^2 exists from ug all the way to x: D stays positive on the path,
// and D is extreme at t = 0, so a path across 0 needs D(0) > 0 as well.
bool reaches(double ug, double aw, double x) {
    if (!(denominator(ug, aw, x) > 0)) {
        return false;
    }
    const bool crosses_zero = std::min(ug, x) < 0 && 0 < std::max(ug, x);
    return !crosses_zero || denominator(ug, aw, 0) > 0;
}

bool between(double value, double from, double to) {
    return std::min(from, to) <= value && value <= std::max(from, to);
}

// -x*y^2: D(t) = 0 at t = +-sqrt(ug^2 - 2/aw); the one met first going from ug towards `end`.
std::optional<double> pole_of_minus_x_y2(double ug, double aw, double end) {
    if (aw == 0) {
        return std::nullopt;
    }
    const double square = ug * ug - 2 / aw;
    if (!(square >= 0) || !std::isfinite(square)) {
        return std::nullopt;
    }
    const double root = std::sqrt(square);
    std::optional<double> first;
    for (const double pole : {-root, root}) {
        if (between(pole, ug, end) && (!first || std::fabs(pole - ug) < std::fabs(*first - ug))) {
            first = pole;
        }
    }
    return first;
}

// The single pole of the other known solutions, wherever it lies; none when there is none.
std::optional<double> single_pole(Known known, double ug, double aw) {
    double pole = 0;
    switch (known) {
    case Known::logistic: {
        // aw + (1 - aw) exp(-(x - ug)) = 0 where exp(-(x - ug)) = -aw / (1 - aw) > 0.
        const double ratio = -aw / (1 - aw);
        if (!(ratio > 0)) {
            return std::nullopt;
        }
        pole = ug - std::log(ratio);
        break;
    }
    case Known::y2:
        // 1 - aw (x - ug) = 0.
        if (aw == 0) {
            return std::nullopt;
        }
        pole = ug + 1 / aw;
        break;
    default:
        return std::nullopt;
    }
    if (!std::isfinite(pole)) {
        return std::nullopt;
    }
    return pole;
}

// The known solution's value at x, without regard to poles.
double known_value(Known known, double ug, double aw, double x) {
    switch (known) {
    case Known::minus_x_y2:
        return aw / denominator(ug, aw, x);
    case Known::y:
        return aw * std::exp(x - ug);
    case Known::minus_2xy:
        return aw * std::exp(-((x - ug) * (x + ug)));
    case Known::x_plus_y:
        return (aw + ug + 1) * std::exp(x - ug) - x - 1;
    case Known::logistic:
        return aw / (aw + (1 - aw) * std::exp(-(x - ug)));
    case Known::y2:
        return aw / (1 - aw * (x - ug));
    case Known::stiff: {
        const auto steady = [](double t) { return (2500 * std::cos(t) + 50 * std::sin(t)) / 2501; };
        return steady(x) + (aw - steady(ug)) * std::exp(-50 * (x - ug));
    }
    }
    return std::nan("");
}

} // namespace

std::optional<ExactSolution> ExactSolution::of(const Equation& equation) {
    if (!equation.known()) {
        return std::nullopt;
    }
    ExactSolution solution;
    solution.m_known = equation.known();
    solution.m_text = std::string(known_equation(*solution.m_known).exact);
    return solution;
}

std::variant<ExactSolution, ParseError> ExactSolution::parse(std::string_view text,
                                                             const NumberLocale& locale) {
    auto formula = Expression::parse(text, {"x", "ug", "aw"}, locale);
    if (auto* error = std::get_if<ParseError>(&formula)) {
        return *error;
    }
    ExactSolution solution;
    solution.m_text = std::string(trimmed(text));
    solution.m_formula = std::move(std::get<Expression>(formula));
    return solution;
}

std::optional<double> ExactSolution::at(double ug, double aw, double x) const {
    double y = 0;
    if (m_known) {
        const bool cut = *m_known == Known::minus_x_y2 ? !reaches(ug, aw, x) : [&] {
            const auto pole = single_pole(*m_known, ug, aw);
            return pole && *pole != ug && between(*pole, ug, x);
        }();
        if (cut) {
            return std::nullopt;
        }
        y = known_value(*m_known, ug, aw, x);
    } else {
        y = m_formula->evaluate(x, ug, aw);
    }
    if (!std::isfinite(y)) {
        return std::nullopt;
    }
    return y;
}

std::optional<double> ExactSolution::first_pole(double ug, double aw, double end) const {
    if (!m_known) {
        return std::nullopt;
    }
    if (*m_known == Known::minus_x_y2) {
        return pole_of_minus_x_y2(ug, aw, end);
    }
    const auto pole = single_pole(*m_known, ug, aw);
    if (pole && *pole != ug && between(*pole, ug, end)) {
        return pole;
    }
    return std::nullopt;
}

} // namespace calc
