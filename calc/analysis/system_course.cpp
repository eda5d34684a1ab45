// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/system_course.h"

#include "calc/analysis/course.h"
#include "calc/analysis/stability.h"
#include "calc/text/csv.h"
#include "calc/text/labels.h"
#include "calc/text/system_captions.h"

#include <utility>

namespace calc {

namespace {

// Abscissas at which the exact solution is sampled for smooth curves.
constexpr int exact_sample_count = 200;

std::size_t stage_count(Method method) {
    return static_cast<std::size_t>(method_info(method).stage_count);
}

std::optional<Vector> exact_at(const SystemProblem& problem, const SystemNumbers& numbers,
                               double x) {
    if (!problem.exact) {
        return std::nullopt;
    }
    return problem.exact(numbers.ug, numbers.aw, x);
}

std::optional<double> order_of_run(const SystemNumbers& numbers, const Steps& steps,
                                   const SystemProblem& problem, Method method,
                                   std::optional<SystemPoint> whole) {
    return order_after<Vector>(
        steps,
        [&](double h, int passes) {
            return system_run(method, problem.f, {numbers.ug, numbers.aw}, h, passes);
        },
        static_cast<bool>(problem.exact), [&](double x) { return exact_at(problem, numbers, x); },
        whole);
}

// The exact solution at exact_sample_count abscissas from ug to `end`, the last one `end`
// exactly, as the run reaches it; where it has no value the samples go on beyond it.
std::vector<SystemPoint> sample_exact(const SystemProblem& problem, const SystemNumbers& numbers,
                                      double end) {
    std::vector<SystemPoint> samples;
    const double span = end - numbers.ug;
    const int intervals = span == 0 ? 0 : exact_sample_count - 1;
    samples.reserve(static_cast<std::size_t>(intervals) + 1);
    for (int i = 0; i <= intervals; ++i) {
        const double x = i == intervals ? end : numbers.ug + span * (i / double(intervals));
        if (const auto y = exact_at(problem, numbers, x)) {
            samples.push_back({x, *y});
        }
    }
    return samples;
}

} // namespace

SystemCourse build_system_course(const SystemNumbers& numbers, SystemProblem problem, Method method,
                                 CourseOrder order) {
    SystemCourse course{
        numbers, system_steps_of(numbers), std::move(problem), method, {}, {}, false, {}, {}};
    const SystemProblem& p = course.problem;
    const double h = course.steps.h;
    // The pass is made by the function that the run makes it with, so the rows are the run's.
    course.rows = course_rows<Vector>(
        {numbers.ug, numbers.aw}, course.steps.passes,
        [&](const SystemPoint& from) { return system_pass(method, p.f, from, h); },
        [&](double x) { return exact_at(p, numbers, x); });
    course.stability = rows_stability(course.rows, [&](const SystemCourseRow& row) {
        return pass_stability(method, p.f, row.point.x, row.point.y, h);
    });
    course.order_from_runs = !p.exact;
    if (order == CourseOrder::computed) {
        course.order = system_observed_order(course);
    }
    if (p.exact) {
        course.exact_samples = sample_exact(p, numbers, course.rows.back().point.x);
    }
    return course;
}

SystemCourse build_system_course(const SystemLine& line, CourseOrder order) {
    return build_system_course(line.numbers, system_problem(line.system), line.method, order);
}

std::optional<double> system_observed_order(const SystemCourse& course) {
    const SystemCourseRow& last = course.rows.back();
    return order_of_run(course.numbers, course.steps, course.problem, course.method,
                        finite(last.point) ? std::optional(last.point) : std::nullopt);
}

std::optional<double> system_observed_order(const SystemNumbers& numbers,
                                            const SystemProblem& problem, Method method) {
    const Steps steps = system_steps_of(numbers);
    const RunEndOf<Vector> whole =
        system_run(method, problem.f, {numbers.ug, numbers.aw}, steps.h, steps.passes);
    return order_of_run(numbers, steps, problem, method,
                        whole.finite ? std::optional(whole.point) : std::nullopt);
}

std::vector<std::string> system_course_columns(SystemForm form, std::size_t size, Method method) {
    const std::vector<std::string> names = component_names(form, size);
    std::vector<std::string> columns{std::string(caption::step), std::string(caption::x)};
    columns.insert(columns.end(), names.begin(), names.end());
    for (std::size_t s = 0; s < stage_count(method); ++s) {
        for (const std::string& name : names) {
            columns.push_back(std::string(caption::k[s]) + " (" + name + ')');
        }
    }
    for (const std::string& name : names) {
        columns.push_back(name + std::string(caption::exact_after));
    }
    columns.emplace_back(caption::error);
    columns.emplace_back(caption::h_lambda);
    columns.emplace_back(caption::stability_magnitude);
    return columns;
}

std::vector<std::string> system_course_columns(const SystemCourse& course) {
    return system_course_columns(course.problem.form, course.size(), course.method);
}

std::vector<std::string> system_course_cells(const SystemCourse& course, const SystemCourseRow& row,
                                             const NumberLocale& locale) {
    const std::size_t n = course.size();
    const std::size_t stages = stage_count(course.method);
    std::vector<std::string> cells;
    cells.reserve(5 + n * (stages + 2));
    cells.push_back(std::to_string(row.index));
    cells.push_back(format_general(row.point.x, locale));
    for (std::size_t i = 0; i < n; ++i) {
        cells.push_back(format_general(row.point.y[i], locale));
    }
    if (row.k) {
        for (std::size_t s = 0; s < stages; ++s) {
            for (std::size_t i = 0; i < n; ++i) {
                cells.push_back(format_general((*row.k)[s][i], locale));
            }
        }
    } else {
        cells.resize(cells.size() + stages * n);
    }
    for (std::size_t i = 0; i < n; ++i) {
        cells.push_back(row.exact ? format_general((*row.exact)[i], locale)
                                  : std::string(no_value));
    }
    cells.push_back(value_text(row.error, locale));
    const std::optional<PassStability> stability = stability_at(course, row);
    cells.push_back(z_cell(stability, locale));
    cells.push_back(magnitude_cell(stability, locale));
    return cells;
}

std::string system_course_csv(const SystemCourse& course, const NumberLocale& locale,
                              StabilityCsv form) {
    const char separator = list_separator(locale);
    std::string csv;
    csv.reserve(course.rows.size() * 100 * (course.size() + 1) + 128);
    std::vector<std::string> captions = system_course_columns(course);
    if (form == StabilityCsv::parts) {
        split_stability_captions(captions);
    }
    append_csv_line(csv, captions, separator);
    for (std::size_t r = 0; r < course.rows.size(); ++r) {
        std::vector<std::string> cells = system_course_cells(course, course.rows[r], locale);
        if (form == StabilityCsv::parts) {
            split_stability_cells(cells, course.stability[r], locale);
        }
        append_csv_line(csv, cells, separator);
    }
    return csv;
}

std::string system_start_text(const SystemProblem& problem, const SystemNumbers& numbers,
                              const NumberLocale& locale) {
    const SystemForm form = problem.form;
    std::string heading;
    for (std::size_t i = 0; i < problem.formulas.size(); ++i) {
        heading += derivative_name(form, i);
        heading += " = ";
        heading += problem.formulas[i];
        heading += ", ";
    }
    const std::vector<std::string> names = component_names(form, numbers.aw.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        heading += names[i];
        heading += '(';
        heading += format_general(numbers.ug, locale);
        heading += ") = ";
        heading += format_general(numbers.aw[i], locale);
        heading += ", ";
    }
    return heading;
}

std::string system_course_heading(const SystemCourse& course, const NumberLocale& locale) {
    std::string heading = system_start_text(course.problem, course.numbers, locale);
    // The end of the interval the passes cover, ug + n·h, rather than the last row's x, which
    // carries the rounding of n additions of h (9,99999999999998 after 100 passes of 0,1).
    const double end = course.numbers.ug + course.steps.passes * course.steps.h;
    heading += span_text(course.steps.passes, course.steps.h, course.numbers.ug, end, locale);
    heading += ", ";
    heading += method_info(course.method).name;
    return heading;
}

std::string system_order_text(const SystemCourse& course, const NumberLocale& locale) {
    return order_text(course.order, course.order_from_runs, locale);
}

} // namespace calc
