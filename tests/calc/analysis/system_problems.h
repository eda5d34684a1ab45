// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Systems for the analysis' tests, written as lambdas with their exact solutions and conserved
// quantities derived by hand, so that the analysis is checked against values it did not compute.

#include "calc/analysis/system_problem.h"
#include "calc/core/state.h"
#include "calc/system_calculate.h"

#include <cmath>
#include <initializer_list>
#include <optional>

namespace system_problems {

inline calc::Vector vector_of(std::initializer_list<double> values) {
    calc::Vector v{{}, values.size()};
    std::size_t i = 0;
    for (const double value : values) {
        v[i++] = value;
    }
    return v;
}

// y'' = -y as the system y1 = y, y2 = y'. Through (aw; aw') at ug:
// y = aw cos t + aw' sin t, y' = -aw sin t + aw' cos t, t = x - ug; E = (y² + y'²)/2.
inline calc::SystemProblem oscillator(calc::SystemForm form = calc::SystemForm::second_order) {
    calc::SystemProblem problem;
    problem.form = form;
    problem.formulas = form == calc::SystemForm::second_order
                           ? std::vector<std::string>{"-y"}
                           : std::vector<std::string>{"y2", "-y1"};
    problem.f = [](double, const calc::Vector& y) { return vector_of({y[1], -y[0]}); };
    problem.exact = [](double ug, const calc::Vector& aw, double x) -> std::optional<calc::Vector> {
        const double t = x - ug;
        return vector_of({aw[0] * std::cos(t) + aw[1] * std::sin(t),
                          -aw[0] * std::sin(t) + aw[1] * std::cos(t)});
    };
    problem.conserved = [](const calc::Vector& y) -> std::optional<double> {
        return (y[0] * y[0] + y[1] * y[1]) / 2;
    };
    return problem;
}

// The circuit y1' = -4 y1 + 3 y2 + 6, y2' = -2.4 y1 + 1.6 y2 + 3.6. Its matrix has the
// eigenvalues -2 (eigenvector (3; 2)) and -0.4 (eigenvector (5; 6)), its rest point is
// y* = (1.5; 0); from y(ug) = aw, d = aw - y* = c1 (3; 2) + c2 (5; 6) gives
// c1 = (6 d1 - 5 d2) / 8 and c2 = (3 d2 - 2 d1) / 8.
inline calc::SystemProblem circuit() {
    calc::SystemProblem problem;
    problem.formulas = {"-4*y1+3*y2+6", "-2.4*y1+1.6*y2+3.6"};
    problem.f = [](double, const calc::Vector& y) {
        return vector_of({-4 * y[0] + 3 * y[1] + 6, -2.4 * y[0] + 1.6 * y[1] + 3.6});
    };
    problem.exact = [](double ug, const calc::Vector& aw, double x) -> std::optional<calc::Vector> {
        const double t = x - ug;
        const double d1 = aw[0] - 1.5;
        const double d2 = aw[1];
        const double c1 = (6 * d1 - 5 * d2) / 8;
        const double c2 = (3 * d2 - 2 * d1) / 8;
        const double fast = std::exp(-2 * t);
        const double slow = std::exp(-0.4 * t);
        return vector_of({1.5 + 3 * c1 * fast + 5 * c2 * slow, 2 * c1 * fast + 6 * c2 * slow});
    };
    return problem;
}

// The pendulum y'' = -sin y, E = y'²/2 - cos y; no exact solution.
inline calc::SystemProblem pendulum() {
    calc::SystemProblem problem;
    problem.form = calc::SystemForm::second_order;
    problem.formulas = {"-sin(y)"};
    problem.f = [](double, const calc::Vector& y) { return vector_of({y[1], -std::sin(y[0])}); };
    problem.conserved = [](const calc::Vector& y) -> std::optional<double> {
        return y[1] * y[1] / 2 - std::cos(y[0]);
    };
    return problem;
}

// A system of three components that uses x, without anything known of it.
inline calc::SystemProblem three_components() {
    calc::SystemProblem problem;
    problem.formulas = {"y2", "-y1+y3", "cos(x)-y3"};
    problem.f = [](double x, const calc::Vector& y) {
        return vector_of({y[1], -y[0] + y[2], std::cos(x) - y[2]});
    };
    return problem;
}

inline calc::SystemNumbers numbers(double count, double ug, double og,
                                   std::initializer_list<double> aw) {
    return {count, ug, og, vector_of(aw)};
}

} // namespace system_problems
