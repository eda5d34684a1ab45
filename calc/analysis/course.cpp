// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/course.h"

#include "calc/analysis/errors.h"
#include "calc/analysis/solution_path.h"
#include "calc/analysis/stability.h"
#include "calc/text/csv.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace calc {

namespace {

// Abscissas at which the exact solution is sampled for a smooth curve.
constexpr int exact_sample_count = 200;

namespace text {
constexpr std::string_view from_runs = " (aus h, h/2 und h/4)";
constexpr std::string_view one_step = " Schritt mit h = ";
constexpr std::string_view steps = " Schritte mit h = ";
constexpr std::string_view order = "Beobachtete Ordnung p = ";
constexpr std::string_view pole_before = "Die exakte L\u00f6sung hat bei x = ";
constexpr std::string_view pole_after = " eine Polstelle.";
} // namespace text

// The observed order, given the point where the run with the step h itself ended.
std::optional<double> order_of_run(const Numbers& numbers, const Steps& steps, const Equation& f,
                                   Method method, const std::optional<ExactSolution>& exact,
                                   std::optional<Point> whole) {
    return order_after<double>(
        steps,
        [&](double h, int passes) {
            return run_passes(method, f, {numbers.ug, numbers.aw}, h, passes);
        },
        exact.has_value(), [&](double x) { return exact->at(numbers.ug, numbers.aw, x); }, whole);
}

} // namespace

std::optional<double> observed_order(const Numbers& numbers, const Equation& f, Method method,
                                     const std::optional<ExactSolution>& exact) {
    const Steps steps = steps_of(numbers);
    const RunEnd whole = run_passes(method, f, {numbers.ug, numbers.aw}, steps.h, steps.passes);
    return order_of_run(numbers, steps, f, method, exact,
                        whole.finite ? std::optional(whole.point) : std::nullopt);
}

std::optional<double> exact_solution(double ug, double aw, double x) {
    static const std::optional<ExactSolution> known = ExactSolution::of(Equation{});
    return known->at(ug, aw, x);
}

// The run loop keeps nothing of a pass but the point it reaches, yet the table shows each pass's
// increments; so the course makes every pass again with make_pass. Its points are the run's to
// the bit, because make_pass does the same operations in the same order as the run's loop.
Course build_course(const Numbers& numbers, const Equation& f, Method method,
                    const std::optional<ExactSolution>& exact) {
    Course course{numbers, steps_of(numbers), f, method, exact, {}, {}, false, {}, {}, {}};
    course.rows = course_rows<double>(
        {numbers.ug, numbers.aw}, course.steps.passes,
        [&](Point point) { return make_pass(method, f, point, course.steps.h); },
        [&](double x) {
            return exact ? exact->at(numbers.ug, numbers.aw, x) : std::optional<double>();
        });
    course.stability = rows_stability(course.rows, [&](const CourseRow& row) {
        return pass_stability(method, f, row.point.x, row.point.y, course.steps.h);
    });
    const CourseRow& last = course.rows.back();
    course.order = order_of_run(numbers, course.steps, f, method, exact,
                                finite(last.point) ? std::optional(last.point) : std::nullopt);
    course.order_from_runs = !exact;
    if (exact) {
        ExactPlot plot = exact_plot(*exact, numbers, last.point.x);
        course.pole = plot.pole;
        course.exact_samples = std::move(plot.samples);
    }
    return course;
}

ExactPlot exact_plot(const ExactSolution& exact, const Numbers& numbers, double end) {
    const double span = end - numbers.ug;
    return {exact.first_pole(numbers.ug, numbers.aw, end),
            sample_exact(exact, {numbers.ug, numbers.aw}, span, end,
                         span == 0 ? 0 : exact_sample_count - 1, Gap::is_left_out)};
}

Course build_course(const Numbers& numbers) {
    const Equation f;
    return build_course(numbers, f, Method::rk4, ExactSolution::of(f));
}

std::vector<std::string_view> course_columns_of(Method method) {
    const auto stage_count = static_cast<std::ptrdiff_t>(method_info(method).stage_count);
    std::vector<std::string_view> columns(std::begin(course_columns),
                                          std::begin(course_columns) + 3);
    columns.insert(columns.end(), std::begin(course_columns) + 3,
                   std::begin(course_columns) + 3 + stage_count);
    columns.insert(columns.end(), std::end(course_columns) - 4, std::end(course_columns));
    return columns;
}

std::string course_csv(const Course& course, const NumberLocale& locale, StabilityCsv form) {
    const char separator = list_separator(locale);
    std::string csv;
    csv.reserve(course.rows.size() * 200 + 64);
    std::vector<std::string_view> captions = course_columns_of(course.method);
    if (form == StabilityCsv::parts) {
        split_stability_captions(captions);
    }
    append_csv_line(csv, captions, separator);
    for (std::size_t r = 0; r < course.rows.size(); ++r) {
        std::vector<std::string> cells = course_cells(course, course.rows[r], locale);
        if (form == StabilityCsv::parts) {
            split_stability_cells(cells, course.stability[r], locale);
        }
        append_csv_line(csv, cells, separator);
    }
    return csv;
}

std::vector<std::string> course_cells(const Course& course, const CourseRow& row,
                                      const NumberLocale& locale) {
    const Method method = course.method;
    const auto stage_count = static_cast<std::size_t>(method_info(method).stage_count);
    std::vector<std::string> cells;
    cells.reserve(std::size(course_columns));
    cells.push_back(std::to_string(row.index));
    cells.push_back(format_general(row.point.x, locale));
    cells.push_back(format_general(row.point.y, locale));
    if (row.k) {
        for (std::size_t i = 0; i < stage_count; ++i) {
            cells.push_back(format_general((*row.k)[i], locale));
        }
    } else {
        cells.resize(cells.size() + stage_count);
    }
    cells.push_back(value_text(row.exact, locale));
    cells.push_back(value_text(row.error, locale));
    const std::optional<PassStability> stability = stability_at(course, row);
    cells.push_back(z_cell(stability, locale));
    cells.push_back(magnitude_cell(stability, locale));
    return cells;
}

std::string span_text(int passes, double h, double from, double to, const NumberLocale& locale) {
    std::string out = std::to_string(passes);
    out += passes == 1 ? text::one_step : text::steps;
    out += format_general(h, locale);
    out += " von x = ";
    out += format_general(from, locale);
    out += " bis x = ";
    out += format_general(to, locale);
    return out;
}

std::string course_heading(const Course& course, const NumberLocale& locale) {
    const int passes = course.steps.passes;
    std::string heading(equation_lead);
    heading +=
        course.equation.is_default() ? std::string(default_equation_shown) : course.equation.text();
    heading += ", y(";
    heading += format_general(course.numbers.ug, locale);
    heading += ") = ";
    heading += format_general(course.numbers.aw, locale);
    heading += ", ";
    heading +=
        span_text(passes, course.steps.h, course.numbers.ug, course.rows.back().point.x, locale);
    heading += ", ";
    heading += method_info(course.method).name;
    return heading;
}

std::string order_text(std::optional<double> order, bool from_runs, const NumberLocale& locale) {
    std::string out(text::order);
    out += order_value_text(order, locale);
    if (from_runs) {
        out += text::from_runs;
    }
    return out;
}

std::string order_text(const Course& course, const NumberLocale& locale) {
    return order_text(course.order, course.order_from_runs, locale);
}

std::string pole_text(const Course& course, const NumberLocale& locale) {
    if (!course.pole) {
        return {};
    }
    std::string out(text::pole_before);
    out += format_general(*course.pole, locale);
    out += text::pole_after;
    return out;
}

} // namespace calc
