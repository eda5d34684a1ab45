// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/course_rows.h"
#include "calc/analysis/pass_stability.h"
#include "calc/core/methods.h"
#include "calc/core/point.h"
#include "calc/core/steps.h"
#include "calc/problem/equation.h"
#include "calc/problem/exact_solution.h"
#include "calc/text/labels.h"
#include "calc/text/number_text.h"
#include "calc/text/stability_texts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

// One point of the course: the point after `index` passes, the increments of the pass that
// starts there (none on the last row), the exact solution and the signed error y - exact.
using CourseRow = CourseRowOf<double>;

// Everything a calculation went through, for the numbers that calculate accepted.
struct Course {
    Numbers numbers;
    Steps steps;
    Equation equation;
    Method method = Method::rk4;
    std::optional<ExactSolution> exact;
    std::vector<CourseRow> rows;      // steps.passes + 1 rows, from the start point
    std::optional<double> order;      // observed order, see observed_order
    bool order_from_runs = false;     // whether the order compares three runs, for want of exact
    std::optional<double> pole;       // the first pole of the exact solution on the path
    std::vector<Point> exact_samples; // the exact solution along the path, for a smooth plot
    // The h·λ of the pass that starts at each row, none on the last row
    // (calc/analysis/stability.h).
    std::vector<std::optional<PassStability>> stability;
};

// The table's column captions of the classical Runge-Kutta method, in order.
inline constexpr std::string_view course_columns[] = {caption::step,
                                                      caption::x,
                                                      caption::y,
                                                      caption::k[0],
                                                      caption::k[1],
                                                      caption::k[2],
                                                      caption::k[3],
                                                      caption::exact,
                                                      caption::error,
                                                      caption::h_lambda,
                                                      caption::stability_magnitude};

// The captions of a method's table: Schritt, x, y, its own k columns, y exakt, Fehler, h·λ,
// |R(h·λ)|.
std::vector<std::string_view> course_columns_of(Method method);

// Builds the course of numbers that calculate accepted, for y' = f with `method`; `exact` is the
// solution known or given, none where there is none. The course of a result line is
// build_course(const ResultLine&) in calc/calculate.h.
Course build_course(const Numbers& numbers, const Equation& f, Method method,
                    const std::optional<ExactSolution>& exact);

// The course of the default equation with the classical Runge-Kutta method.
Course build_course(const Numbers& numbers);

// The observed order of `method` on the numbers' run: log2(|E(h)| / |E(h/2)|) with the exact
// solution, else log2(|y_h - y_h/2| / |y_h/2 - y_h/4|) from the ends of three runs.
std::optional<double> observed_order(const Numbers& numbers, const Equation& f, Method method,
                                     const std::optional<ExactSolution>& exact);

// The table as CSV text in the locale: the captions, then one line a row, "\n" after each;
// cells separated by ';' where the decimal separator is ',', else by ','; missing values empty.
// StabilityCsv::parts writes h·λ as the command line does (calc/analysis/pass_stability.h).
std::string course_csv(const Course& course, const NumberLocale& locale,
                       StabilityCsv form = StabilityCsv::cells);

// The first pole of the exact solution from ug to `end`, and the solution sampled there for a
// smooth plot, as a course shows it beside its points.
struct ExactPlot {
    std::optional<double> pole;
    std::vector<Point> samples;
};
ExactPlot exact_plot(const ExactSolution& exact, const Numbers& numbers, double end);

// The exact solution aw / (1 + aw (x - ug)(x + ug) / 2) of the default equation at x; none past
// a pole or where not finite.
std::optional<double> exact_solution(double ug, double aw, double x);

// The cell texts of a row of the course under course_columns_of(course.method), "" for an empty
// k cell and the h·λ cells of the last row, no_value for a missing value.
std::vector<std::string> course_cells(const Course& course, const CourseRow& row,
                                      const NumberLocale& locale);

// "y' = x+y, y(0) = 1, 10 Schritte mit h = 0,1 von x = 0 bis x = 1, Heun (2. Ord.)"; the default
// equation is written -x·y².
std::string course_heading(const Course& course, const NumberLocale& locale);

// "10 Schritte mit h = 0,1 von x = 0 bis x = 1", with "1 Schritt" for one pass: the part of a
// course's heading that says how it went from `from` to `to`.
std::string span_text(int passes, double h, double from, double to, const NumberLocale& locale);

// "Beobachtete Ordnung p = 4,78", or ending in no_value when there is no order; from three runs
// followed by " (aus h, h/2 und h/4)".
std::string order_text(const Course& course, const NumberLocale& locale);
std::string order_text(std::optional<double> order, bool from_runs, const NumberLocale& locale);

// "Die exakte Lösung hat bei x = <x> eine Polstelle."; empty when there is no pole on the path.
std::string pole_text(const Course& course, const NumberLocale& locale);

} // namespace calc
