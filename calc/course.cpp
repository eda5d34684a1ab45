// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/course.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace calc {

namespace {

// Abscissas at which the exact solution is sampled for a smooth curve.
constexpr int exact_sample_count = 200;

namespace text {
constexpr std::string_view equation = "y' = -x\u00b7y\u00b2, y(";
constexpr std::string_view one_step = " Schritt mit h = ";
constexpr std::string_view steps = " Schritte mit h = ";
constexpr std::string_view order = "Beobachtete Ordnung p = ";
constexpr std::string_view pole_before = "Die exakte L\u00f6sung hat bei x = ";
constexpr std::string_view pole_after = " eine Polstelle.";
} // namespace text

// D(t) = 1 + aw (t - ug)(t + ug) / 2, the denominator of the exact solution.
double denominator(double ug, double aw, double t) {
    return 1 + (aw * ((t - ug) * (t + ug))) / 2;
}

// Whether the exact solution exists from ug all the way to x: D stays positive on the path,
// and D is extreme at t = 0, so a path across 0 needs D(0) > 0 as well.
bool reaches(double ug, double aw, double x) {
    if (!(denominator(ug, aw, x) > 0)) {
        return false;
    }
    const bool crosses_zero = std::min(ug, x) < 0 && 0 < std::max(ug, x);
    return !crosses_zero || denominator(ug, aw, 0) > 0;
}

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

// D(t) = 0 at t = +-sqrt(ug^2 - 2/aw); the one met first going from ug towards `end`.
std::optional<double> first_pole(double ug, double aw, double end) {
    if (aw == 0) {
        return std::nullopt;
    }
    const double square = ug * ug - 2 / aw;
    if (!(square >= 0) || !std::isfinite(square)) {
        return std::nullopt;
    }
    const double root = std::sqrt(square);
    const double low = std::min(ug, end);
    const double high = std::max(ug, end);
    std::optional<double> first;
    for (const double pole : {-root, root}) {
        if (low <= pole && pole <= high &&
            (!first || std::fabs(pole - ug) < std::fabs(*first - ug))) {
            first = pole;
        }
    }
    return first;
}

// log2(|E(h)| / |E(h/2)|), E(h/2) taken at the end of the run with half the step.
std::optional<double> observed_order(const Numbers& numbers, const Steps& steps,
                                     std::optional<double> error) {
    if (steps.passes == 0 || !error || *error == 0) {
        return std::nullopt;
    }
    const RunEnd half = rk4_run({numbers.ug, numbers.aw}, steps.h / 2, 2 * steps.passes);
    if (!half.finite) {
        return std::nullopt;
    }
    const auto half_error =
        difference(half.point.y, exact_solution(numbers.ug, numbers.aw, half.point.x));
    if (!half_error || *half_error == 0) {
        return std::nullopt;
    }
    const double order = std::log2(std::fabs(*error) / std::fabs(*half_error));
    if (!std::isfinite(order)) {
        return std::nullopt;
    }
    return order;
}

std::vector<Point> exact_samples(const Numbers& numbers, double end) {
    std::vector<Point> samples;
    const double span = end - numbers.ug;
    const int count = span == 0 ? 1 : exact_sample_count;
    samples.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double x = i == count - 1 ? end : numbers.ug + span * (i / (count - 1.0));
        if (const auto y = exact_solution(numbers.ug, numbers.aw, x)) {
            samples.push_back({x, *y});
        }
    }
    return samples;
}

std::string optional_text(std::optional<double> value, const NumberLocale& locale) {
    return value ? format_general(*value, locale) : std::string(no_value);
}

} // namespace

std::optional<double> exact_solution(double ug, double aw, double x) {
    if (!reaches(ug, aw, x)) {
        return std::nullopt;
    }
    const double y = aw / (1 + (aw * ((x - ug) * (x + ug))) / 2);
    if (!std::isfinite(y)) {
        return std::nullopt;
    }
    return y;
}

Course build_course(const Numbers& numbers) {
    Course course{numbers, steps_of(numbers), {}, {}, {}, {}};
    const int passes = course.steps.passes;
    course.rows.reserve(static_cast<std::size_t>(passes) + 1);
    Point point{numbers.ug, numbers.aw};
    for (int step = 0; step <= passes; ++step) {
        std::optional<Stages> stages;
        if (step < passes) {
            stages = rk4_stages(point, course.steps.h);
        }
        const auto exact = exact_solution(numbers.ug, numbers.aw, point.x);
        course.rows.push_back({step, point, stages, exact, difference(point.y, exact)});
        if (stages) {
            point = rk4_advance(point, course.steps.h, *stages);
        }
    }
    const CourseRow& last = course.rows.back();
    course.order = observed_order(numbers, course.steps, last.error);
    course.pole = first_pole(numbers.ug, numbers.aw, last.point.x);
    course.exact_samples = exact_samples(numbers, last.point.x);
    return course;
}

std::string course_csv(const Course& course, const NumberLocale& locale) {
    // A decimal comma would split the cells, so such locales separate them by semicolons.
    const char separator = locale.decimal_separator == "," ? ';' : ',';
    std::string csv;
    csv.reserve(course.rows.size() * 200 + 64);
    for (const std::string_view caption : course_columns) {
        if (caption != course_columns[0]) {
            csv.push_back(separator);
        }
        csv.append(caption);
    }
    csv.push_back('\n');
    for (const CourseRow& row : course.rows) {
        bool first = true;
        for (const std::string& cell : course_cells(row, locale)) {
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
    std::vector<std::string> cells;
    cells.reserve(std::size(course_columns));
    cells.push_back(std::to_string(row.step));
    cells.push_back(format_general(row.point.x, locale));
    cells.push_back(format_general(row.point.y, locale));
    if (row.stages) {
        for (const double k : {row.stages->k1, row.stages->k2, row.stages->k3, row.stages->k4}) {
            cells.push_back(format_general(k, locale));
        }
    } else {
        cells.resize(cells.size() + 4);
    }
    cells.push_back(optional_text(row.exact, locale));
    cells.push_back(optional_text(row.error, locale));
    return cells;
}

std::string course_heading(const Course& course, const NumberLocale& locale) {
    const int passes = course.steps.passes;
    std::string heading(text::equation);
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
    return heading;
}

std::string order_text(const Course& course, const NumberLocale& locale) {
    std::string out(text::order);
    out += course.order ? format_fixed(*course.order, 2, locale) : std::string(no_value);
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
