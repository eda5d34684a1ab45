// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/problem/equation.h"
#include "calc/core/methods.h"
#include "calc/text/number_text.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace calc {

// The four entry texts as typed: step count, lower bound, upper bound, initial value.
struct EntryTexts {
    std::string anzschr, ug, og, aw;
};

// The entry field that a warning concerns: the four numbers, the equation, the exact solution.
enum class Entry { anzschr, ug, og, aw, gleichung, exakt };

// A message for the user instead of a result.
struct Warning {
    std::string text;
    std::optional<Entry> entry; // the field to correct, when one is to blame
};

// The four entries as numbers, exactly as read: step count, lower bound, upper bound, initial
// value.
struct Numbers {
    double anzschr, ug, og, aw;
};

// The step size and the whole number of passes that a calculation makes.
struct Steps {
    double h;
    int passes;
};

// The steps of the numbers read: h = (og - ug) / n, the whole part of n passes, none when h is 0.
Steps steps_of(const Numbers& numbers);

// What a press computes: the four entries, the right-hand side as typed, the method, and
// (command line) a typed exact solution, read only for an equation outside the catalogue.
struct Task {
    explicit Task(EntryTexts entries_, std::string equation_ = std::string(default_equation),
                  Method method_ = Method::rk4, std::optional<std::string> exact_ = std::nullopt)
        : entries(std::move(entries_)), equation(std::move(equation_)), method(method_),
          exact(std::move(exact_)) {}

    EntryTexts entries;
    std::string equation{default_equation};
    Method method = Method::rk4;
    std::optional<std::string> exact;
};

// One line for the result list, with everything it was computed from.
struct ResultLine {
    std::string text;
    Numbers numbers;
    Equation equation;
    Method method = Method::rk4;
    std::optional<ExactSolution> exact; // the known solution, or the one given with the task
};

// The line's tooltip: "y' = <f>, <Verfahren>".
std::string line_tooltip(const ResultLine& line);

using Outcome = std::variant<Warning, ResultLine>;

// The warning texts, exactly as the user sees them.
namespace warning_text {
inline constexpr std::string_view missing_entry = "Bitte Anzahl eingeben!";
inline constexpr std::string_view count_too_large = "Bitte Anzahl < 100 eingeben!";
inline constexpr std::string_view count_not_positive = "Bitte Anzahl > 0 eingeben!";
inline constexpr std::string_view overflow = "Überlauf bei der Berechnung!";
// "Bitte eine Zahl für <label> eingeben!" for an entry that is not a number.
std::string not_a_number(Entry entry);
} // namespace warning_text

// The label shown above an entry field ("Schrittanzahl", "Untere Grenze", ...).
std::string_view entry_label(Entry entry);

// Checks the entries, then the equation, then the exact solution, and either warns or integrates
// and builds the result line.
Outcome calculate(const Task& task, const NumberLocale& locale);

// The same for the default equation with the classical Runge-Kutta method.
Outcome calculate(const EntryTexts& entries, const NumberLocale& locale);

} // namespace calc
