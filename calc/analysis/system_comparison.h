// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/system_course.h"
#include "calc/core/point.h"
#include "calc/text/number_text.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace calc {

// How far the conserved quantity E has moved from its start by the point x of a run.
struct Drift {
    double x;                       // ug + i·h at row i, as a heading writes the interval's end
    std::optional<double> change;   // E(x) - E(ug); none where either is not known
    std::optional<double> relative; // change / |E(ug)|; none where |E(ug)| <= drift_floor
};

// Below this size of |E(ug)| a drift is not given relative to it.
inline constexpr double drift_floor = 1e-12;

// The conserved quantity's value at row `row` of the course; none where the system has none,
// there is no such row, or the value or the row's point is not finite.
std::optional<double> conserved_at(const SystemCourse& course, std::size_t row);

// The conserved quantity's value at each row of the course where it has one, as (x, E) for a
// plot; empty where the system has none.
std::vector<Point> conserved_over_x(const SystemCourse& course);

// E(x) - E(ug) at each row of the course where both are known, as (x, drift) for a plot, x the
// row's.
std::vector<Point> drift_over_x(const SystemCourse& course);

// The drift from the start to row `row`; none where the system has no conserved quantity or
// there is no such row.
std::optional<Drift> drift_at(const SystemCourse& course, std::size_t row);

// The drift from the start to the course's last row, the run's last point.
std::optional<Drift> conserved_drift(const SystemCourse& course);

// "Drift der Erhaltungsgröße bis x = 10: 0,0123 (relativ 0,0246)", the relative part left out
// where it has none, and no_value in place of the values where the change is not known.
std::string drift_text(const Drift& drift, const NumberLocale& locale);

// The five methods side by side on a system: each one's course with the same step from the same
// start, in the order of method_table.
struct SystemComparison {
    SystemNumbers numbers;
    Steps steps;
    std::vector<SystemCourse> courses;

    const SystemProblem& problem() const { return courses.front().problem; }
};

SystemComparison compare_system_methods(const SystemNumbers& numbers, const SystemProblem& problem);

// The comparison of a system's result line.
SystemComparison compare_system_methods(const SystemLine& line);

// The captions: Schritt, x, each method's components ("Euler-Cauchy (y1)", …), the exact
// components ("y1 exakt", …), and where the system conserves a quantity each method's drift
// ("Drift Euler-Cauchy", …).
std::vector<std::string> system_comparison_columns(const SystemComparison& comparison);

// The cells of one row under system_comparison_columns, no_value where a value does not exist
// or is not finite; no cells past the last row.
std::vector<std::string> system_comparison_cells(const SystemComparison& comparison,
                                                 std::size_t row, const NumberLocale& locale);

// "Beobachtete Ordnung: Euler-Cauchy 1,00 · Heun 2,00 · …", each order as the course computes it.
std::string system_comparison_orders_text(const SystemComparison& comparison,
                                          const NumberLocale& locale);

} // namespace calc
