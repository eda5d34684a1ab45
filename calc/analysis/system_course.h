// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/course_rows.h"
#include "calc/analysis/pass_stability.h"
#include "calc/analysis/system_problem.h"
#include "calc/core/methods.h"
#include "calc/core/steps.h"
#include "calc/system_calculate.h"
#include "calc/text/number_text.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace calc {

// One point of a system's course: the components after `index` passes, the increments of each
// stage per component of the pass that starts there (none on the last row), the exact
// components and the maximum norm of the error where the exact solution is known.
using SystemCourseRow = CourseRowOf<Vector>;

// Everything a system's run went through.
struct SystemCourse {
    SystemNumbers numbers;
    Steps steps;
    SystemProblem problem;
    Method method = Method::rk4;
    std::vector<SystemCourseRow> rows; // steps.passes + 1 rows, from the start point
    std::optional<double> order;       // observed order, none where left out (CourseOrder)
    bool order_from_runs = false;      // whether the order compares three runs, for want of exact
    std::vector<SystemPoint> exact_samples; // the exact solution along the path, for smooth plots
    std::vector<std::optional<PassStability>> stability; // of each row's pass, as for a scalar

    std::size_t size() const { return numbers.aw.size(); }
};

// Whether a course is built with its observed order, which costs two more runs' worth of passes
// with an exact solution and six without one: 7 runs in all for the Lorenz example's 9,999
// passes, where the table needs one. A course left without it can have it computed later, on
// another thread with its own copy of the problem (system_observed_order).
enum class CourseOrder { computed, left_out };

// Builds the course of a system's numbers with `method`, every pass made as the run makes it.
SystemCourse build_system_course(const SystemNumbers& numbers, SystemProblem problem, Method method,
                                 CourseOrder order = CourseOrder::computed);

// The course of a system's result line.
SystemCourse build_system_course(const SystemLine& line, CourseOrder order = CourseOrder::computed);

// The observed order of `method` on the numbers' run: log2(‖E(h)‖ / ‖E(h/2)‖) with the exact
// solution, else log2(‖y_h - y_h/2‖ / ‖y_h/2 - y_h/4‖) from the ends of three runs, ‖·‖ the
// maximum norm. It evaluates the problem's formulas: a thread takes its own copy of the problem.
std::optional<double> system_observed_order(const SystemNumbers& numbers,
                                            const SystemProblem& problem, Method method);

// The same for a course, from its last row: the order that build_system_course computes.
std::optional<double> system_observed_order(const SystemCourse& course);

// The captions of the table and the CSV: Schritt, x, y1 … yn, the method's own k columns per
// component ("k1 (y1)", …, "k1 (yn)", "k2 (y1)", …), y1 exakt … yn exakt, Fehler; for the second
// order y, y', "k1 (y)", "k1 (y')", …, "y exakt", "y' exakt".
std::vector<std::string> system_course_columns(SystemForm form, std::size_t size, Method method);
std::vector<std::string> system_course_columns(const SystemCourse& course);

// The cells of a row under system_course_columns: "" for the k cells of the last row and
// no_value for a missing exact value or error.
std::vector<std::string> system_course_cells(const SystemCourse& course, const SystemCourseRow& row,
                                             const NumberLocale& locale);

// The table as CSV text in the locale: the captions, then one line a row, "\n" after each;
// cells separated by ';' where the decimal separator is ',', else by ','; missing values empty.
std::string system_course_csv(const SystemCourse& course, const NumberLocale& locale,
                              StabilityCsv form = StabilityCsv::cells);

// "y'' = -y, y(0) = 1, y'(0) = 0, 100 Schritte mit h = 0,1 von x = 0 bis x = 10,
// Runge-Kutta-4. Ord.", or for the first order "y1' = y2, y2' = -y1, y1(0) = 1, y2(0) = 0, …".
std::string system_course_heading(const SystemCourse& course, const NumberLocale& locale);

// What a system's heading starts with: its formulas and initial values, each followed by ", ":
// "y1' = y2, y2' = -y1, y1(0) = 1, y2(0) = 0, ".
std::string system_start_text(const SystemProblem& problem, const SystemNumbers& numbers,
                              const NumberLocale& locale);

// "Beobachtete Ordnung p = 4,01", as for a scalar course.
std::string system_order_text(const SystemCourse& course, const NumberLocale& locale);

} // namespace calc
