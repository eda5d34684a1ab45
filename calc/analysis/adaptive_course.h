// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The course of a run with step size control: a row per attempt, the rejected ones too, and a
// last row at the end point, for a scalar equation and for a system; the accepted points as a
// fixed course's rows, for the plots that draw a course; and the stage points of one attempt for
// the pass view.

#include "calc/analysis/course.h"
#include "calc/analysis/errors.h"
#include "calc/analysis/pass_view.h"
#include "calc/analysis/phase_plane.h"
#include "calc/analysis/system_course.h"
#include "calc/analysis/system_problem.h"
#include "calc/core/adaptive.h"
#include "calc/core/point.h"
#include "calc/problem/equation.h"
#include "calc/problem/exact_solution.h"
#include "calc/text/number_text.h"

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace calc {

// One row of the table: an attempt, numbered from 1, or the end point, which has no attempt.
template <class State> struct AdaptiveRowOf {
    std::size_t number = 0; // the attempt's number; 0 on the end row
    PointOf<State> point;   // the attempt's start, or the end point
    std::optional<AttemptOf<State>> attempt;
    std::optional<State> exact;  // the exact solution at point.x, where known
    std::optional<double> error; // point.y - exact (for a system its maximum norm)
};

// The rows of a run: every attempt, and where the run reached og the end point. exact_at(x)
// gives the exact solution at x or none.
template <class State, class ExactAt>
std::vector<AdaptiveRowOf<State>> adaptive_rows(const AdaptiveRunOf<State>& run,
                                                ExactAt&& exact_at) {
    std::vector<AdaptiveRowOf<State>> rows;
    rows.reserve(run.attempts.size() + 1);
    for (std::size_t i = 0; i < run.attempts.size(); ++i) {
        const AttemptOf<State>& a = run.attempts[i];
        const std::optional<State> exact = exact_at(a.x);
        rows.push_back({i + 1, {a.x, a.y}, a, exact, difference(a.y, exact)});
    }
    if (run.stop == AdaptiveStop::reached) {
        const std::optional<State> exact = exact_at(run.end.point.x);
        rows.push_back({0, run.end.point, std::nullopt, exact, difference(run.end.point.y, exact)});
    }
    return rows;
}

// The accepted points of the rows, from the start to the end point, as a fixed course's rows
// (numbered from 0, without increments), so that the plots of a course draw them.
template <class State>
std::vector<CourseRowOf<State>> accepted_rows(const std::vector<AdaptiveRowOf<State>>& rows) {
    std::vector<CourseRowOf<State>> out;
    for (const AdaptiveRowOf<State>& row : rows) {
        if (!row.attempt || row.attempt->accepted) {
            out.push_back(
                {static_cast<int>(out.size()), row.point, std::nullopt, row.exact, row.error});
        }
    }
    return out;
}

// Where the step size plot puts an attempt: its start x and |h|.
struct StepMark {
    double x;
    double size;
    bool accepted;
};

template <class State>
std::vector<StepMark> step_marks(const std::vector<AdaptiveRowOf<State>>& rows) {
    std::vector<StepMark> marks;
    for (const AdaptiveRowOf<State>& row : rows) {
        if (row.attempt) {
            marks.push_back({row.attempt->x, std::fabs(row.attempt->h), row.attempt->accepted});
        }
    }
    return marks;
}

// Everything a scalar run with step size control went through.
struct AdaptiveCourse {
    Numbers numbers;
    Equation equation;
    std::optional<ExactSolution> exact;
    AdaptiveLine adaptive;
    AdaptiveStop stop = AdaptiveStop::reached;
    std::vector<AdaptiveRowOf<double>> rows; // every attempt, then the end point
    std::optional<double> pole;              // the first pole of the exact solution on the path
    std::vector<Point> exact_samples;        // the exact solution along the path
    std::vector<std::optional<PassStability>>
        stability; // of each row's attempt; none on the end row
};

// The same for a system.
struct SystemAdaptiveCourse {
    SystemNumbers numbers;
    SystemProblem problem;
    AdaptiveLine adaptive;
    AdaptiveStop stop = AdaptiveStop::reached;
    std::vector<AdaptiveRowOf<Vector>> rows;
    std::vector<SystemPoint> exact_samples;
    std::vector<std::optional<PassStability>> stability;

    std::size_t size() const { return numbers.aw.size(); }
};

// The course of the run of y' = f from (ug, aw) to og with the line's pair and tolerance, every
// attempt as calculate made it; `exact` is the solution known or given.
AdaptiveCourse build_adaptive_course(const Numbers& numbers, const Equation& f,
                                     const std::optional<ExactSolution>& exact,
                                     const AdaptiveLine& adaptive);

// The course of a system's line that has step size control.
SystemAdaptiveCourse build_system_adaptive_course(const SystemLine& line);

// The accepted points as a fixed course, for the course plot and the error plot: its rows from
// the start to the end point, its exact solution and samples.
Course accepted_course(const AdaptiveCourse& course);
SystemCourse accepted_course(const SystemAdaptiveCourse& course);

// The captions: Versuch, x, h, y, the pair's own k1 … ks, Fehlerschätzung, Faktor, Status,
// y exakt, Fehler; for a system the components as its fixed course writes them (y1, y2,
// "k1 (y1)", "k1 (y2)", …, "y1 exakt", "y2 exakt").
std::vector<std::string> adaptive_columns(Pair pair);
std::vector<std::string> system_adaptive_columns(SystemForm form, std::size_t size, Pair pair);

// The cells of a row under those captions: "" for the cells the end row does not have, and
// no_value for a missing exact value or error.
std::vector<std::string> adaptive_cells(const AdaptiveCourse& course,
                                        const AdaptiveRowOf<double>& row,
                                        const NumberLocale& locale);
std::vector<std::string> system_adaptive_cells(const SystemAdaptiveCourse& course,
                                               const AdaptiveRowOf<Vector>& row,
                                               const NumberLocale& locale);

// The table as CSV text in the locale, as every course's table is written.
std::string adaptive_csv(const AdaptiveCourse& course, const NumberLocale& locale,
                         StabilityCsv form = StabilityCsv::cells);
std::string system_adaptive_csv(const SystemAdaptiveCourse& course, const NumberLocale& locale,
                                StabilityCsv form = StabilityCsv::cells);

// "y' = -x·y², y(0) = 1, Toleranz 1E-06 von x = 0 bis x = 1, Dormand-Prince 5(4), adaptiv", and
// for a system its formulas and initial values first, as its fixed course's heading.
std::string adaptive_heading(const AdaptiveCourse& course, const NumberLocale& locale);
std::string system_adaptive_heading(const SystemAdaptiveCourse& course, const NumberLocale& locale);

// "9 Schritte angenommen, 1 verworfen, 62 Auswertungen von f".
std::string adaptive_totals_text(const AdaptiveLine& adaptive);

// The attempt of row `row` taken apart for the pass view: every stage point of the pair (up to
// seven) with the slope there, the point the attempt reached and the solution through its start.
// None for the end row and past it.
std::optional<PassView> adaptive_pass_view(const AdaptiveCourse& course, std::size_t row);
// The same in the plane of a system; none also where the plane does not fit the system.
std::optional<PlanePass> adaptive_plane_pass(const SystemAdaptiveCourse& course, std::size_t row,
                                             Plane plane);

} // namespace calc
