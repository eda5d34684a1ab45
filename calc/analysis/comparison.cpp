// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/comparison.h"

#include <cmath>

namespace calc {

namespace {

namespace text {
constexpr std::string_view orders = "Beobachtete Ordnung: ";
constexpr std::string_view method_separator = " \u00b7 ";
} // namespace text

} // namespace

std::string finite_value_text(std::optional<double> value, const NumberLocale& locale) {
    return value_text(value && std::isfinite(*value) ? value : std::nullopt, locale);
}

Comparison compare_methods(const Numbers& numbers, const Equation& f,
                           const std::optional<ExactSolution>& exact) {
    Comparison comparison{numbers, steps_of(numbers), exact, {}};
    comparison.courses.reserve(method_table.size());
    for (const MethodInfo& method : method_table) {
        comparison.courses.push_back(build_course(numbers, f, method.id, exact));
    }
    return comparison;
}

std::vector<std::string_view> comparison_columns() {
    std::vector<std::string_view> columns{caption::step, caption::x};
    for (const MethodInfo& method : method_table) {
        columns.push_back(method.column);
    }
    columns.push_back(caption::exact);
    return columns;
}

// Every method's x advances by the same additions of h, so the first course's x is each one's.
std::vector<std::string> comparison_cells(const Comparison& comparison, std::size_t row,
                                          const NumberLocale& locale) {
    if (comparison.courses.empty() || row >= comparison.courses.front().rows.size()) {
        return {};
    }
    const CourseRow& first = comparison.courses.front().rows[row];
    std::vector<std::string> cells{std::to_string(first.index),
                                   finite_value_text(first.point.x, locale)};
    for (const Course& course : comparison.courses) {
        cells.push_back(finite_value_text(course.rows[row].point.y, locale));
    }
    cells.push_back(finite_value_text(first.exact, locale));
    return cells;
}

std::string orders_text(const std::vector<MethodOrder>& orders, const NumberLocale& locale) {
    std::string out(text::orders);
    bool first = true;
    for (const MethodOrder& order : orders) {
        if (!first) {
            out += text::method_separator;
        }
        first = false;
        out += method_info(order.method).column;
        out += ' ';
        out += order_value_text(order.order, locale);
    }
    return out;
}

std::string comparison_orders_text(const Comparison& comparison, const NumberLocale& locale) {
    std::vector<MethodOrder> orders;
    for (const Course& course : comparison.courses) {
        orders.push_back({course.method, course.order});
    }
    return orders_text(orders, locale);
}

} // namespace calc
