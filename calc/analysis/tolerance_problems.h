// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A scalar line and a system's line as the runs at several tolerances take them
// (calc/analysis/tolerance_runs.h): each copy evaluates its own copy of the formulas.

#include "calc/analysis/system_problem.h"
#include "calc/calculate.h"
#include "calc/system_calculate.h"

#include <optional>

namespace calc::tolerance_runs {

struct ScalarProblem {
    using State = double;

    Numbers numbers;
    Equation f;
    std::optional<ExactSolution> solution;

    explicit ScalarProblem(const ResultLine& line)
        : numbers(line.numbers), f(line.equation), solution(line.exact) {}

    SlopeOf<double> slope() const { return slope_of(f); }
    Point start() const { return {numbers.ug, numbers.aw}; }
    double og() const { return numbers.og; }
    // The default equation reports every failure as an overflow, as its line does.
    bool nan_is_undefined() const { return !f.is_default(); }
    bool has_exact() const { return solution.has_value(); }
    std::optional<double> exact(double x) const { return solution->at(numbers.ug, numbers.aw, x); }
};

struct VectorProblem {
    using State = Vector;

    SystemNumbers numbers;
    System system;
    SystemExact solution;

    explicit VectorProblem(const SystemLine& line)
        : numbers(line.numbers), system(line.system), solution(system_problem(line.system).exact) {}

    // The evaluator writes into this copy's formulas, as the line's own run does.
    SlopeOf<Vector> slope() const { return system.evaluator(); }
    SystemPoint start() const { return {numbers.ug, numbers.aw}; }
    double og() const { return numbers.og; }
    bool nan_is_undefined() const { return true; }
    bool has_exact() const { return static_cast<bool>(solution); }
    std::optional<Vector> exact(double x) const { return solution(numbers.ug, numbers.aw, x); }
};

} // namespace calc::tolerance_runs
