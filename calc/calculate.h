// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/adaptive.h"
#include "calc/core/methods.h"
#include "calc/core/schemes.h"
#include "calc/core/steps.h"
#include "calc/problem/catalogue.h"
#include "calc/problem/equation.h"
#include "calc/problem/exact_solution.h"
#include "calc/text/number_text.h"
#include "calc/text/warnings.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace calc {

struct AdaptiveCourse;
struct Course;

// The four entry texts as typed: step count, lower bound, upper bound, initial value.
struct EntryTexts {
    std::string anzschr, ug, og, aw;
};

// A message for the user instead of a result.
struct Warning {
    std::string text;
    std::optional<Entry> entry; // the field to correct, when one is to blame
};

// What a press computes: the four entries, the right-hand side as typed, the method, and
// (command line) a typed exact solution, read only for an equation outside the catalogue. With a
// pair, the run has step size control: the tolerance is read in the place of the step count,
// which is not read, and the method is not used.
struct Task {
    explicit Task(EntryTexts entries_, std::string equation_ = std::string(default_equation),
                  Method method_ = Method::rk4, std::optional<std::string> exact_ = std::nullopt)
        : entries(std::move(entries_)), equation(std::move(equation_)), method(method_),
          exact(std::move(exact_)) {}

    // The method or the pair of a scheme.
    void choose(const Scheme& scheme) {
        if (const Pair* chosen = std::get_if<Pair>(&scheme)) {
            pair = *chosen;
        } else {
            method = std::get<Method>(scheme);
            pair.reset();
        }
    }

    EntryTexts entries;
    std::string equation{default_equation};
    Method method = Method::rk4;
    std::optional<std::string> exact;
    std::optional<Pair> pair;
    std::string tolerance{default_tolerance_text};
};

// One line for the result list, with everything it was computed from. A line with step size
// control has `adaptive`; its numbers.anzschr is 0, and its method is not used.
struct ResultLine {
    std::string text;
    Numbers numbers;
    Equation equation;
    Method method = Method::rk4;
    std::optional<ExactSolution> exact; // the known solution, or the one given with the task
    std::optional<AdaptiveLine> adaptive;
    std::size_t newton_iterations = 0; // of the run's implicit passes, for its evaluations of f
};

// Passes, rejected attempts and evaluations of f of the line's run, with step size control or
// without.
AdaptiveTotals line_totals(const ResultLine& line);

// The line's tooltip: "y' = <f>, <Verfahren>", for a pair "y' = -x*y^2, Dormand-Prince 5(4),
// adaptiv, Toleranz 1E-06: 9 Schritte, 1 verworfen, 62 Auswertungen von f".
std::string line_tooltip(const ResultLine& line);

// What a tooltip says of a run with step size control: "Dormand-Prince 5(4), adaptiv,
// Toleranz 1E-06: 9 Schritte, 1 verworfen, 62 Auswertungen von f".
std::string adaptive_description(const AdaptiveLine& adaptive);

using Outcome = std::variant<Warning, ResultLine>;

// The calculate command: checks the entries, then the equation, then the exact solution, and
// either warns or integrates and builds the result line.
Outcome calculate(const Task& task, const NumberLocale& locale);

// The calculate command for the default equation -x*y^2 with the classical Runge-Kutta method,
// as a press computed it before an equation or a method could be chosen: calculate(Task(entries)).
Outcome calculate(const EntryTexts& entries, const NumberLocale& locale);

// The course of a result line, with the exact solution it carries (see calc/analysis/course.h).
// It is declared here, beside the line, so that the analysis does not depend on the command.
Course build_course(const ResultLine& line);

// The course of a line with step size control, every attempt as the line's run made it (see
// calc/analysis/adaptive_course.h); the line must have `adaptive`.
AdaptiveCourse build_adaptive_course(const ResultLine& line);

// The run with step size control of a line that has one, every attempt as the line's run made it.
AdaptiveRun adaptive_run_of(const ResultLine& line, const AdaptiveLine& adaptive);

// The right-hand side of an equation as a run with step size control takes it.
SlopeOf<double> slope_of(const Equation& equation);

} // namespace calc
