// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/adaptive.h"
#include "calc/core/methods.h"
#include "calc/core/schemes.h"
#include "calc/core/state.h"
#include "calc/core/steps.h"
#include "calc/problem/system.h"
#include "calc/text/number_text.h"

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace calc {

// The most passes a system's run makes, plus one: counts from 1 to 9999 are accepted.
inline constexpr int system_count_limit = 10000;

// What a press of the system window computes, every entry as typed.
struct SystemTask {
    SystemForm form = SystemForm::first_order;
    std::vector<std::string> formulas; // y1' … yn', or the one y''
    std::vector<std::string> initial;  // y1(ug) … yn(ug), or y(ug) and y'(ug)
    std::string ug, og, count;
    Method method = Method::rk4;
    // With a pair, the run has step size control: the tolerance is read in the place of the
    // count, which is not read, and the method is not used.
    std::optional<Pair> pair;
    std::string tolerance{default_tolerance_text};
};

// The field of the system window that a warning concerns; `count` is also the tolerance's.
enum class SystemField { count, ug, og, initial, formula };

// A message for the user instead of a system's result.
struct SystemWarning {
    std::string text;
    std::optional<SystemField> field; // none where no field is to blame (an overflow)
    std::size_t index = 0;            // which initial value or formula, from 0
};

// The entries of a system as numbers, exactly as read.
struct SystemNumbers {
    double anzschr, ug, og;
    Vector aw;
};

// One line for the main window's result list, with everything it was computed from. A line
// with step size control has `adaptive`; its numbers.anzschr is 0, and its method is not used.
struct SystemLine {
    std::string text; // "x-Wert   01,0   y-Wert   (0,540302967116884; -0,841470477800274)"
    SystemNumbers numbers;
    System system;
    Method method = Method::rk4;
    std::optional<AdaptiveLine> adaptive;
    std::size_t newton_iterations = 0; // of the run's implicit passes, for its evaluations of f
};

// Passes, rejected attempts and evaluations of f of the line's run, as line_totals counts them.
AdaptiveTotals system_line_totals(const SystemLine& line);

using SystemOutcome = std::variant<SystemWarning, SystemLine>;

// The steps of a system's numbers, as steps_of gives them for a scalar.
Steps system_steps_of(const SystemNumbers& numbers);

// Checks the count, the bounds, each initial value and each formula, in this order, and either
// warns about the first that fails or runs the system and builds the result line.
SystemOutcome calculate_system(const SystemTask& task, const NumberLocale& locale);

// The line's tooltip: "y1' = y2, y2' = -y1, Runge-Kutta-4. Ord.", or for the second-order form
// "y'' = -y, Runge-Kutta-4. Ord.". A pair's name is followed by its tolerance and totals, as
// line_tooltip writes them.
std::string system_tooltip(const SystemLine& line);

// The run with step size control of a system's line that has one.
SystemAdaptiveRun system_adaptive_run_of(const SystemLine& line, const AdaptiveLine& adaptive);

} // namespace calc
