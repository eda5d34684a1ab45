// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/course.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

// The five methods side by side: each one's course with the same step from the same start.
struct Comparison {
    Numbers numbers;
    Steps steps;
    std::optional<ExactSolution> exact;
    std::vector<Course> courses; // one per method, in the order of method_table
};

// The courses of every method for y' = f from the numbers' start, with the exact solution known
// or given, none where there is none.
Comparison compare_methods(const Numbers& numbers, const Equation& f,
                           const std::optional<ExactSolution>& exact);

// The captions: Schritt, x, each method's column name, y exakt.
std::vector<std::string_view> comparison_columns();

// The cells of one row under comparison_columns(): the step, x, each method's y and the exact y,
// no_value where a value does not exist or is not finite; no cells past the last row.
std::vector<std::string> comparison_cells(const Comparison& comparison, std::size_t row,
                                          const NumberLocale& locale);

// "Beobachtete Ordnung: Euler-Cauchy 1,06 · Heun 1,83 · …", each order as the course page
// computes it for its method, no_value where there is none.
std::string comparison_orders_text(const Comparison& comparison, const NumberLocale& locale);

// A method's observed order, none where there is none.
struct MethodOrder {
    Method method;
    std::optional<double> order;
};

// "Beobachtete Ordnung: Euler-Cauchy 1,06 · Heun 1,83 · …" for the orders in their order.
std::string orders_text(const std::vector<MethodOrder>& orders, const NumberLocale& locale);

// The value as format_general writes it, no_value where there is none or it is not finite.
std::string finite_value_text(std::optional<double> value, const NumberLocale& locale);

} // namespace calc
