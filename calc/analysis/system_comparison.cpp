// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/system_comparison.h"

#include "calc/analysis/comparison.h"
#include "calc/text/labels.h"
#include "calc/text/system_captions.h"

#include <cmath>

namespace calc {

namespace {

std::optional<double> conserved_at(const SystemCourse& course, const SystemCourseRow& row) {
    if (!course.problem.conserved || !finite(row.point)) {
        return std::nullopt;
    }
    const std::optional<double> value = course.problem.conserved(row.point.y);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

} // namespace

std::optional<double> conserved_at(const SystemCourse& course, std::size_t row) {
    return row < course.rows.size() ? conserved_at(course, course.rows[row]) : std::nullopt;
}

std::vector<Point> conserved_over_x(const SystemCourse& course) {
    std::vector<Point> points;
    if (!course.problem.conserved) {
        return points;
    }
    points.reserve(course.rows.size());
    for (const SystemCourseRow& row : course.rows) {
        if (const auto value = conserved_at(course, row)) {
            points.push_back({row.point.x, *value});
        }
    }
    return points;
}

std::vector<Point> drift_over_x(const SystemCourse& course) {
    std::vector<Point> points;
    if (!course.problem.conserved) {
        return points;
    }
    points.reserve(course.rows.size());
    for (std::size_t row = 0; row < course.rows.size(); ++row) {
        if (const auto drift = drift_at(course, row); drift && drift->change) {
            points.push_back({course.rows[row].point.x, *drift->change});
        }
    }
    return points;
}

std::optional<Drift> drift_at(const SystemCourse& course, std::size_t row) {
    if (!course.problem.conserved || row >= course.rows.size()) {
        return std::nullopt;
    }
    const SystemCourseRow& at = course.rows[row];
    // The abscissa as ug + i·h, without the rounding that i additions of h carry in the row.
    Drift drift{course.numbers.ug + at.index * course.steps.h, std::nullopt, std::nullopt};
    const auto start = conserved_at(course, course.rows.front());
    const auto now = conserved_at(course, at);
    if (!start || !now) {
        return drift;
    }
    const double change = *now - *start;
    if (!std::isfinite(change)) {
        return drift;
    }
    drift.change = change;
    if (std::fabs(*start) > drift_floor) {
        const double relative = change / std::fabs(*start);
        if (std::isfinite(relative)) {
            drift.relative = relative;
        }
    }
    return drift;
}

std::optional<Drift> conserved_drift(const SystemCourse& course) {
    return drift_at(course, course.rows.size() - 1);
}

std::string drift_text(const Drift& drift, const NumberLocale& locale) {
    std::string out(drift_label::before);
    out += format_general(drift.x, locale);
    out += drift_label::middle;
    out += value_text(drift.change, locale);
    if (drift.change && drift.relative) {
        out += drift_label::relative_before;
        out += format_general(*drift.relative, locale);
        out += drift_label::relative_after;
    }
    return out;
}

SystemComparison compare_system_methods(const SystemNumbers& numbers,
                                        const SystemProblem& problem) {
    SystemComparison comparison{numbers, system_steps_of(numbers), {}};
    comparison.courses.reserve(method_table.size());
    for (const MethodInfo& method : method_table) {
        comparison.courses.push_back(build_system_course(numbers, problem, method.id));
    }
    return comparison;
}

SystemComparison compare_system_methods(const SystemLine& line) {
    return compare_system_methods(line.numbers, system_problem(line.system));
}

std::vector<std::string> system_comparison_columns(const SystemComparison& comparison) {
    const SystemProblem& problem = comparison.problem();
    const std::vector<std::string> names =
        component_names(problem.form, comparison.numbers.aw.size());
    std::vector<std::string> columns{std::string(caption::step), std::string(caption::x)};
    for (const MethodInfo& method : method_table) {
        for (const std::string& name : names) {
            columns.push_back(std::string(method.column) + " (" + name + ')');
        }
    }
    for (const std::string& name : names) {
        columns.push_back(name + std::string(caption::exact_after));
    }
    if (problem.conserved) {
        for (const MethodInfo& method : method_table) {
            columns.push_back(std::string(caption::drift_before) + std::string(method.column));
        }
    }
    return columns;
}

// Every method's x advances by the same additions of h, so the first course's x is each one's.
std::vector<std::string> system_comparison_cells(const SystemComparison& comparison,
                                                 std::size_t row, const NumberLocale& locale) {
    if (comparison.courses.empty() || row >= comparison.courses.front().rows.size()) {
        return {};
    }
    const std::size_t n = comparison.numbers.aw.size();
    const SystemCourseRow& first = comparison.courses.front().rows[row];
    std::vector<std::string> cells{std::to_string(first.index),
                                   finite_value_text(first.point.x, locale)};
    for (const SystemCourse& course : comparison.courses) {
        for (std::size_t i = 0; i < n; ++i) {
            cells.push_back(finite_value_text(course.rows[row].point.y[i], locale));
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        cells.push_back(finite_value_text(
            first.exact ? std::optional((*first.exact)[i]) : std::nullopt, locale));
    }
    if (comparison.problem().conserved) {
        for (const SystemCourse& course : comparison.courses) {
            const auto drift = drift_at(course, row);
            cells.push_back(finite_value_text(drift ? drift->change : std::nullopt, locale));
        }
    }
    return cells;
}

std::string system_comparison_orders_text(const SystemComparison& comparison,
                                          const NumberLocale& locale) {
    std::vector<MethodOrder> orders;
    for (const SystemCourse& course : comparison.courses) {
        orders.push_back({course.method, course.order});
    }
    return orders_text(orders, locale);
}

} // namespace calc
