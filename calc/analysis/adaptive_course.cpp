// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/adaptive_course.h"

#include "calc/analysis/stability.h"

#include "calc/analysis/solution_path.h"
#include "calc/core/embedded.h"
#include "calc/core/pairs/bogacki_shampine.h"
#include "calc/core/pairs/dormand_prince.h"
#include "calc/core/pairs/fehlberg.h"
#include "calc/text/csv.h"
#include "calc/text/labels.h"
#include "calc/text/system_captions.h"

#include <cmath>
#include <utility>

namespace calc {

namespace {

// Abscissas at which the exact solution is sampled for a smooth curve, as a fixed course has.
constexpr int exact_sample_count = 200;

std::size_t stage_count(Pair pair) {
    return static_cast<std::size_t>(pair_info(pair).stage_count);
}

// Calls fn with the coefficient table of the pair.
template <class Fn> decltype(auto) with_table(Pair pair, Fn&& fn) {
    switch (pair) {
    case Pair::bs23:
        return fn(pairs::bogacki_shampine);
    case Pair::rkf45:
        return fn(pairs::fehlberg);
    case Pair::dopri5:
        break;
    }
    return fn(pairs::dormand_prince);
}

// The attempt of a row made again from its start: its first slope is f there, which the run
// had too (at the start, after a rejection, from the stage of an FSAL pair at the same point, or
// evaluated anew), so every stage has the bits of the run's.
template <class State, class F>
AttemptStagesOf<State> stages_of(Pair pair, F& f, const AttemptOf<State>& a) {
    const PointOf<State> start{a.x, a.y};
    const State first = f(a.x, a.y);
    return with_table(pair, [&](const auto& table) {
        return attempt<std::decay_t<decltype(table)>::stages, State>(table, f, start, a.h, first);
    });
}

// The cells an attempt adds after its increments: err, fac and its status; "" on the end row.
template <class State>
void append_attempt_cells(std::vector<std::string>& cells,
                          const std::optional<AttemptOf<State>>& attempt,
                          const NumberLocale& locale) {
    if (!attempt) {
        cells.resize(cells.size() + 3);
        return;
    }
    cells.push_back(format_general(attempt->err, locale));
    cells.push_back(format_general(attempt->fac, locale));
    cells.emplace_back(attempt->accepted ? adaptive_label::accepted : adaptive_label::rejected);
}

// "Toleranz 1E-06 von x = 0 bis x = 1, Dormand-Prince 5(4), adaptiv".
std::string run_text(const AdaptiveLine& adaptive, double from, double to,
                     const NumberLocale& locale) {
    std::string out(adaptive_label::tolerance);
    out += ' ';
    out += adaptive.tolerance_text;
    out += adaptive_label::from;
    out += format_general(from, locale);
    out += adaptive_label::to;
    out += format_general(to, locale);
    out += ", ";
    out += pair_info(adaptive.pair).name;
    return out;
}

} // namespace

AdaptiveCourse build_adaptive_course(const Numbers& numbers, const Equation& f,
                                     const std::optional<ExactSolution>& exact,
                                     const AdaptiveLine& adaptive) {
    AdaptiveCourse course{numbers, f, exact, adaptive, AdaptiveStop::reached, {}, {}, {}, {}};
    const Equation& equation = course.equation;
    const SlopeOf<double> slope = [&equation](double x, double y) { return equation(x, y); };
    // As calculate runs it: the default equation reports every failure as an overflow.
    const AdaptiveRun run =
        adaptive_run<double>(adaptive.pair, slope, {numbers.ug, numbers.aw}, numbers.og,
                             adaptive.tolerance, !equation.is_default());
    course.stop = run.stop;
    course.adaptive.totals = totals_of(run);
    course.rows = adaptive_rows(run, [&](double x) {
        return exact ? exact->at(numbers.ug, numbers.aw, x) : std::optional<double>();
    });
    course.stability = attempts_stability(course.rows, [&](const AttemptOf<double>& a) {
        return pass_stability(adaptive.pair, equation, a.x, a.y, a.h);
    });
    if (exact && !course.rows.empty()) {
        ExactPlot plot = exact_plot(*exact, numbers, course.rows.back().point.x);
        course.pole = plot.pole;
        course.exact_samples = std::move(plot.samples);
    }
    return course;
}

SystemAdaptiveCourse build_system_adaptive_course(const SystemLine& line) {
    const AdaptiveLine adaptive = line.adaptive.value_or(AdaptiveLine{});
    SystemAdaptiveCourse course{
        line.numbers, system_problem(line.system), adaptive, AdaptiveStop::reached, {}, {}, {}};
    const SystemAdaptiveRun run = system_adaptive_run_of(line, adaptive);
    course.stop = run.stop;
    course.adaptive.totals = totals_of(run);
    const SystemProblem& p = course.problem;
    const SystemNumbers& n = course.numbers;
    const auto exact_at = [&](double x) {
        return p.exact ? p.exact(n.ug, n.aw, x) : std::optional<Vector>();
    };
    course.rows = adaptive_rows(run, exact_at);
    course.stability = attempts_stability(course.rows, [&](const AttemptOf<Vector>& a) {
        return pass_stability(adaptive.pair, p.f, a.x, a.y, a.h);
    });
    if (p.exact && !course.rows.empty()) {
        const double end = course.rows.back().point.x;
        const double span = end - n.ug;
        const int intervals = span == 0 ? 0 : exact_sample_count - 1;
        for (int i = 0; i <= intervals; ++i) {
            const double x = i == intervals ? end : n.ug + span * (i / double(intervals));
            if (const std::optional<Vector> y = exact_at(x)) {
                course.exact_samples.push_back({x, *y});
            }
        }
    }
    return course;
}

Course accepted_course(const AdaptiveCourse& course) {
    Course out{course.numbers,
               {0, 0},
               course.equation,
               Method::rk4,
               course.exact,
               {},
               {},
               false,
               {},
               {},
               {}};
    out.rows = accepted_rows(course.rows);
    out.steps.passes = static_cast<int>(out.rows.size()) - 1;
    out.pole = course.pole;
    out.exact_samples = course.exact_samples;
    return out;
}

SystemCourse accepted_course(const SystemAdaptiveCourse& course) {
    SystemCourse out{course.numbers, {0, 0}, course.problem, Method::rk4, {}, {}, false, {}, {}};
    out.rows = accepted_rows(course.rows);
    out.steps.passes = static_cast<int>(out.rows.size()) - 1;
    out.exact_samples = course.exact_samples;
    return out;
}

std::vector<std::string> adaptive_columns(Pair pair) {
    std::vector<std::string> columns{std::string(caption::attempt), std::string(caption::x),
                                     std::string(caption::h), std::string(caption::y)};
    for (std::size_t s = 0; s < stage_count(pair); ++s) {
        columns.emplace_back(caption::k[s]);
    }
    for (const std::string_view caption :
         {caption::error_estimate, caption::factor, caption::status, caption::exact, caption::error,
          caption::h_lambda, caption::stability_magnitude}) {
        columns.emplace_back(caption);
    }
    return columns;
}

std::vector<std::string> system_adaptive_columns(SystemForm form, std::size_t size, Pair pair) {
    const std::vector<std::string> names = component_names(form, size);
    std::vector<std::string> columns{std::string(caption::attempt), std::string(caption::x),
                                     std::string(caption::h)};
    columns.insert(columns.end(), names.begin(), names.end());
    for (std::size_t s = 0; s < stage_count(pair); ++s) {
        for (const std::string& name : names) {
            columns.push_back(std::string(caption::k[s]) + " (" + name + ')');
        }
    }
    for (const std::string_view caption :
         {caption::error_estimate, caption::factor, caption::status}) {
        columns.emplace_back(caption);
    }
    for (const std::string& name : names) {
        columns.push_back(name + std::string(caption::exact_after));
    }
    columns.emplace_back(caption::error);
    columns.emplace_back(caption::h_lambda);
    columns.emplace_back(caption::stability_magnitude);
    return columns;
}

std::vector<std::string> adaptive_cells(const AdaptiveCourse& course,
                                        const AdaptiveRowOf<double>& row,
                                        const NumberLocale& locale) {
    const std::size_t stages = stage_count(course.adaptive.pair);
    std::vector<std::string> cells;
    cells.reserve(stages + 11);
    cells.push_back(row.attempt ? std::to_string(row.number) : std::string());
    cells.push_back(format_general(row.point.x, locale));
    cells.push_back(row.attempt ? format_general(row.attempt->h, locale) : std::string());
    cells.push_back(format_general(row.point.y, locale));
    for (std::size_t s = 0; s < stages; ++s) {
        cells.push_back(row.attempt ? format_general(row.attempt->k[s], locale) : std::string());
    }
    append_attempt_cells(cells, row.attempt, locale);
    cells.push_back(value_text(row.exact, locale));
    cells.push_back(value_text(row.error, locale));
    const std::optional<PassStability> stability = stability_at(course, row);
    cells.push_back(z_cell(stability, locale));
    cells.push_back(magnitude_cell(stability, locale));
    return cells;
}

std::vector<std::string> system_adaptive_cells(const SystemAdaptiveCourse& course,
                                               const AdaptiveRowOf<Vector>& row,
                                               const NumberLocale& locale) {
    const std::size_t n = course.size();
    const std::size_t stages = stage_count(course.adaptive.pair);
    std::vector<std::string> cells;
    cells.reserve(8 + n * (stages + 2));
    cells.push_back(row.attempt ? std::to_string(row.number) : std::string());
    cells.push_back(format_general(row.point.x, locale));
    cells.push_back(row.attempt ? format_general(row.attempt->h, locale) : std::string());
    for (std::size_t i = 0; i < n; ++i) {
        cells.push_back(format_general(row.point.y[i], locale));
    }
    for (std::size_t s = 0; s < stages; ++s) {
        for (std::size_t i = 0; i < n; ++i) {
            cells.push_back(row.attempt ? format_general(row.attempt->k[s][i], locale)
                                        : std::string());
        }
    }
    append_attempt_cells(cells, row.attempt, locale);
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

std::string adaptive_csv(const AdaptiveCourse& course, const NumberLocale& locale,
                         StabilityCsv form) {
    const char separator = list_separator(locale);
    std::string csv;
    csv.reserve(course.rows.size() * 250 + 128);
    std::vector<std::string> captions = adaptive_columns(course.adaptive.pair);
    if (form == StabilityCsv::parts) {
        split_stability_captions(captions);
    }
    append_csv_line(csv, captions, separator);
    for (std::size_t r = 0; r < course.rows.size(); ++r) {
        std::vector<std::string> cells = adaptive_cells(course, course.rows[r], locale);
        if (form == StabilityCsv::parts) {
            split_stability_cells(cells, course.stability[r], locale);
        }
        append_csv_line(csv, cells, separator);
    }
    return csv;
}

std::string system_adaptive_csv(const SystemAdaptiveCourse& course, const NumberLocale& locale,
                                StabilityCsv form) {
    const char separator = list_separator(locale);
    std::string csv;
    csv.reserve(course.rows.size() * 150 * (course.size() + 1) + 128);
    std::vector<std::string> captions =
        system_adaptive_columns(course.problem.form, course.size(), course.adaptive.pair);
    if (form == StabilityCsv::parts) {
        split_stability_captions(captions);
    }
    append_csv_line(csv, captions, separator);
    for (std::size_t r = 0; r < course.rows.size(); ++r) {
        std::vector<std::string> cells = system_adaptive_cells(course, course.rows[r], locale);
        if (form == StabilityCsv::parts) {
            split_stability_cells(cells, course.stability[r], locale);
        }
        append_csv_line(csv, cells, separator);
    }
    return csv;
}

std::string adaptive_heading(const AdaptiveCourse& course, const NumberLocale& locale) {
    std::string heading(equation_lead);
    heading +=
        course.equation.is_default() ? std::string(default_equation_shown) : course.equation.text();
    heading += ", y(";
    heading += format_general(course.numbers.ug, locale);
    heading += ") = ";
    heading += format_general(course.numbers.aw, locale);
    heading += ", ";
    heading += run_text(course.adaptive, course.numbers.ug, course.numbers.og, locale);
    return heading;
}

std::string system_adaptive_heading(const SystemAdaptiveCourse& course,
                                    const NumberLocale& locale) {
    std::string heading = system_start_text(course.problem, course.numbers, locale);
    heading += run_text(course.adaptive, course.numbers.ug, course.numbers.og, locale);
    return heading;
}

std::string adaptive_totals_text(const AdaptiveLine& adaptive) {
    return adaptive_label::course_totals(adaptive.totals.accepted, adaptive.totals.rejected,
                                         adaptive.totals.evaluations);
}

std::optional<PassView> adaptive_pass_view(const AdaptiveCourse& course, std::size_t row) {
    if (row >= course.rows.size() || !course.rows[row].attempt) {
        return std::nullopt;
    }
    const AttemptOf<double>& a = *course.rows[row].attempt;
    const Equation& equation = course.equation;
    auto f = [&equation](double x, double y) { return equation(x, y); };
    const AttemptStagesOf<double> stages = stages_of(course.adaptive.pair, f, a);
    const Point start{a.x, a.y};
    PassView view{start, stages.next, a.h, {}, {}, false, std::nullopt};
    for (std::size_t i = 0; i < stages.stage_count; ++i) {
        view.stages.push_back({stage_names[i], stages.points[i], stages.slopes[i], stages.k[i]});
    }
    view.solution = local_solution(equation, start, a.h, &view.solution_is_exact);
    if (view.solution.size() == local_passes + 1) {
        const double error = view.next.y - view.solution.back().y;
        if (std::isfinite(error)) {
            view.local_error = error;
        }
    }
    return view;
}

std::optional<PlanePass> adaptive_plane_pass(const SystemAdaptiveCourse& course, std::size_t row,
                                             Plane plane) {
    if (row >= course.rows.size() || !course.rows[row].attempt || !fits(plane, course.size())) {
        return std::nullopt;
    }
    const AttemptOf<Vector>& a = *course.rows[row].attempt;
    const SystemFunction& f = course.problem.f;
    const AttemptStagesOf<Vector> stages = stages_of(course.adaptive.pair, f, a);
    const SystemPoint start{a.x, a.y};
    PlanePass view{in_plane(a.y, plane), in_plane(stages.next.y, plane), a.h, {}, {}, false,
                   std::nullopt};
    for (std::size_t i = 0; i < stages.stage_count; ++i) {
        view.stages.push_back({stage_names[i], in_plane(stages.points[i].y, plane),
                               in_plane(stages.points[i].y + stages.k[i], plane), stages.k[i]});
    }
    const std::vector<SystemPoint> states = local_states(course.problem, start, a.h);
    view.solution_is_exact = static_cast<bool>(course.problem.exact);
    for (const SystemPoint& state : states) {
        view.solution.push_back(in_plane(state.y, plane));
    }
    if (states.size() == local_passes + 1) {
        view.local_error = difference(stages.next.y, std::optional(states.back().y));
    }
    return view;
}

} // namespace calc
