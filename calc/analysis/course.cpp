// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/course.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace calc {

namespace {

// Abscissas at which the exact solution is sampled for a smooth curve.
constexpr int exact_sample_count = 200;

namespace text {
constexpr std::string_view equation = "y' = ";
constexpr std::string_view default_equation = "-x\u00b7y\u00b2";
constexpr std::string_view from_runs = " (aus h, h/2 und h/4)";
constexpr std::string_view one_step = " Schritt mit h = ";
constexpr std::string_view steps = " Schritte mit h = ";
constexpr std::string_view order = "Beobachtete Ordnung p = ";
constexpr std::string_view pole_before = "Die exakte L\u00f6sung hat bei x = ";
constexpr std::string_view pole_after = " eine Polstelle.";
} // namespace text

std::optional<double> difference(double y, std::optional<double> exact) {
    if (!exact) {
        return std::nullopt;
    }
    const double error = y - *exact;
    if (!std::isfinite(error)) {
        return std::nullopt;
    }
    return error;
}

std::optional<double> finite_log2_ratio(double numerator, double denominator) {
    if (numerator == 0 || denominator == 0) {
        return std::nullopt;
    }
    const double order = std::log2(std::fabs(numerator) / std::fabs(denominator));
    if (!std::isfinite(order)) {
        return std::nullopt;
    }
    return order;
}

// y at the end of the run with the step h / divisor, none when the run failed.
std::optional<double> end_of_run(const Numbers& numbers, const Steps& steps, const Equation& f,
                                 Method method, int divisor) {
    const RunEnd end =
        run(method, f, {numbers.ug, numbers.aw}, steps.h / divisor, divisor * steps.passes);
    if (!end.finite) {
        return std::nullopt;
    }
    return end.point.y;
}

std::vector<Point> exact_samples(const Numbers& numbers, const ExactSolution& exact, double end) {
    std::vector<Point> samples;
    const double span = end - numbers.ug;
    const int count = span == 0 ? 1 : exact_sample_count;
    samples.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double x = i == count - 1 ? end : numbers.ug + span * (i / (count - 1.0));
        if (const auto y = exact.at(numbers.ug, numbers.aw, x)) {
            samples.push_back({x, *y});
        }
    }
    return samples;
}

std::string optional_text(std::optional<double> value, const NumberLocale& locale) {
    return value ? format_general(*value, locale) : std::string(no_value);
}

// The observed order, given y at the end of the run with the step h itself.
std::optional<double> order_after(const Numbers& numbers, const Steps& steps, const Equation& f,
                                  Method method, const std::optional<ExactSolution>& exact,
                                  std::optional<Point> whole) {
    if (steps.passes == 0 || !whole) {
        return std::nullopt;
    }
    if (exact) {
        const RunEnd half = run(method, f, {numbers.ug, numbers.aw}, steps.h / 2, 2 * steps.passes);
        if (!half.finite) {
            return std::nullopt;
        }
        const auto error = difference(whole->y, exact->at(numbers.ug, numbers.aw, whole->x));
        const auto half_error =
            difference(half.point.y, exact->at(numbers.ug, numbers.aw, half.point.x));
        if (!error || !half_error) {
            return std::nullopt;
        }
        return finite_log2_ratio(*error, *half_error);
    }
    const auto y2 = end_of_run(numbers, steps, f, method, 2);
    const auto y4 = end_of_run(numbers, steps, f, method, 4);
    if (!y2 || !y4) {
        return std::nullopt;
    }
    return finite_log2_ratio(whole->y - *y2, *y2 - *y4);
}

} // namespace

std::optional<double> observed_order(const Numbers& numbers, const Equation& f, Method method,
                                     const std::optional<ExactSolution>& exact) {
    const Steps steps = steps_of(numbers);
    const RunEnd whole = run(method, f, {numbers.ug, numbers.aw}, steps.h, steps.passes);
    return order_after(numbers, steps, f, method, exact,
                       whole.finite ? std::optional(whole.point) : std::nullopt);
}

std::optional<double> exact_solution(double ug, double aw, double x) {
    static const std::optional<ExactSolution> known = ExactSolution::of(Equation{});
    return known->at(ug, aw, x);
}

Course build_course(const Numbers& numbers, const Equation& f, Method method,
                    const std::optional<ExactSolution>& exact) {
    Course course{numbers, steps_of(numbers), f, method, exact, {}, {}, false, {}, {}};
    const int passes = course.steps.passes;
    course.rows.reserve(static_cast<std::size_t>(passes) + 1);
    Point point{numbers.ug, numbers.aw};
    for (int step = 0; step <= passes; ++step) {
        std::optional<Pass> pass;
        if (step < passes) {
            pass = make_pass(method, f, point, course.steps.h);
        }
        const auto y_exact = exact ? exact->at(numbers.ug, numbers.aw, point.x) : std::nullopt;
        course.rows.push_back({step, point,
                               pass ? std::optional<Stages>(pass->stages) : std::nullopt, y_exact,
                               difference(point.y, y_exact)});
        if (pass) {
            point = pass->next;
        }
    }
    const CourseRow& last = course.rows.back();
    const bool finite = std::isfinite(last.point.x) && std::isfinite(last.point.y);
    course.order = order_after(numbers, course.steps, f, method, exact,
                               finite ? std::optional(last.point) : std::nullopt);
    course.order_from_runs = !exact;
    if (exact) {
        course.pole = exact->first_pole(numbers.ug, numbers.aw, last.point.x);
        course.exact_samples = exact_samples(numbers, *exact, last.point.x);
    }
    return course;
}

Course build_course(const ResultLine& line) {
    return build_course(line.numbers, line.equation, line.method, line.exact);
}

Course build_course(const Numbers& numbers) {
    const Equation f;
    return build_course(numbers, f, Method::rk4, ExactSolution::of(f));
}

std::vector<std::string_view> course_columns_of(Method method) {
    const auto stages = static_cast<std::size_t>(method_info(method).stages);
    std::vector<std::string_view> columns(std::begin(course_columns),
                                          std::begin(course_columns) + 3);
    columns.insert(columns.end(), std::begin(course_columns) + 3,
                   std::begin(course_columns) + 3 + static_cast<std::ptrdiff_t>(stages));
    columns.insert(columns.end(), std::end(course_columns) - 2, std::end(course_columns));
    return columns;
}

std::string course_csv(const Course& course, const NumberLocale& locale) {
    // A decimal comma would split the cells, so such locales separate them by semicolons.
    const char separator = locale.decimal_separator == "," ? ';' : ',';
    std::string csv;
    csv.reserve(course.rows.size() * 200 + 64);
    bool first_caption = true;
    for (const std::string_view caption : course_columns_of(course.method)) {
        if (!first_caption) {
            csv.push_back(separator);
        }
        first_caption = false;
        csv.append(caption);
    }
    csv.push_back('\n');
    for (const CourseRow& row : course.rows) {
        bool first = true;
        for (const std::string& cell : course_cells(row, course.method, locale)) {
            if (!first) {
                csv.push_back(separator);
            }
            first = false;
            if (cell != no_value) {
                csv.append(cell);
            }
        }
        csv.push_back('\n');
    }
    return csv;
}

std::vector<std::string> course_cells(const CourseRow& row, const NumberLocale& locale) {
    return course_cells(row, Method::rk4, locale);
}

std::vector<std::string> course_cells(const CourseRow& row, Method method,
                                      const NumberLocale& locale) {
    const auto stages = static_cast<std::size_t>(method_info(method).stages);
    std::vector<std::string> cells;
    cells.reserve(std::size(course_columns));
    cells.push_back(std::to_string(row.step));
    cells.push_back(format_general(row.point.x, locale));
    cells.push_back(format_general(row.point.y, locale));
    if (row.stages) {
        const double k[] = {row.stages->k1, row.stages->k2, row.stages->k3, row.stages->k4};
        for (std::size_t i = 0; i < stages; ++i) {
            cells.push_back(format_general(k[i], locale));
        }
    } else {
        cells.resize(cells.size() + stages);
    }
    cells.push_back(optional_text(row.exact, locale));
    cells.push_back(optional_text(row.error, locale));
    return cells;
}

std::string course_heading(const Course& course, const NumberLocale& locale) {
    const int passes = course.steps.passes;
    std::string heading(text::equation);
    heading +=
        course.equation.is_default() ? std::string(text::default_equation) : course.equation.text();
    heading += ", y(";
    heading += format_general(course.numbers.ug, locale);
    heading += ") = ";
    heading += format_general(course.numbers.aw, locale);
    heading += ", ";
    heading += std::to_string(passes);
    heading += passes == 1 ? text::one_step : text::steps;
    heading += format_general(course.steps.h, locale);
    heading += " von x = ";
    heading += format_general(course.numbers.ug, locale);
    heading += " bis x = ";
    heading += format_general(course.rows.back().point.x, locale);
    heading += ", ";
    heading += method_info(course.method).name;
    return heading;
}

std::string order_text(const Course& course, const NumberLocale& locale) {
    std::string out(text::order);
    out += course.order ? format_fixed(*course.order, 2, locale) : std::string(no_value);
    if (course.order_from_runs) {
        out += text::from_runs;
    }
    return out;
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
