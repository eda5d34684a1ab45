// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/tolerance_study.h"

#include "calc/analysis/system_problem.h"
#include "calc/analysis/tolerance_problems.h"
#include "calc/text/csv.h"
#include "calc/text/labels.h"
#include "calc/text/tolerance_captions.h"

#include <cmath>
#include <string_view>
#include <utility>

namespace calc {

namespace {

std::vector<Method> all_methods() {
    std::vector<Method> methods;
    for (const MethodInfo& method : method_table) {
        methods.push_back(method.id);
    }
    return methods;
}

const std::vector<double> tolerance_list(study_tolerances.begin(), study_tolerances.end());

double component_of(double y, std::size_t) {
    return y;
}

double component_of(const Vector& y, std::size_t i) {
    return y[i];
}

template <class State>
std::string csv_of(const std::vector<PairRunsOf<State>>& pairs,
                   const std::vector<std::string>& y_captions, const NumberLocale& locale) {
    const char separator = list_separator(locale);
    std::vector<std::string> captions{std::string(caption::method),
                                      std::string(tolerance_caption::tolerance),
                                      std::string(tolerance_caption::accepted),
                                      std::string(tolerance_caption::rejected),
                                      std::string(tolerance_caption::evaluations),
                                      std::string(caption::x)};
    captions.insert(captions.end(), y_captions.begin(), y_captions.end());
    captions.emplace_back(tolerance_caption::error);
    std::string out;
    append_csv_line(out, captions, separator);
    for (const PairRunsOf<State>& pair : pairs) {
        for (const ToleranceRunOf<State>& r : pair.runs) {
            std::vector<std::string> cells{std::string(pair_info(pair.pair).cli_name),
                                           format_general(r.tolerance, locale)};
            const auto cell = [&](std::optional<double> value) {
                cells.push_back(value ? format_general(*value, locale) : std::string(no_value));
            };
            const auto count = [&](std::size_t value) {
                cells.push_back(r.reached ? std::to_string(value) : std::string(no_value));
            };
            count(r.totals.accepted);
            count(r.totals.rejected);
            count(r.totals.evaluations);
            cell(r.reached ? std::optional(r.end.x) : std::nullopt);
            for (std::size_t i = 0; i < y_captions.size(); ++i) {
                cell(r.reached ? std::optional(component_of(r.end.y, i)) : std::nullopt);
            }
            cell(r.error);
            append_csv_line(out, cells, separator);
        }
    }
    return out;
}

template <class State>
std::vector<std::vector<std::string>> rows_of(const std::vector<PairRunsOf<State>>& pairs,
                                              const NumberLocale& locale) {
    std::vector<std::vector<std::string>> rows;
    for (const PairRunsOf<State>& pair : pairs) {
        for (const ToleranceRunOf<State>& r : pair.runs) {
            const auto count = [&](std::size_t value) {
                return r.reached ? std::to_string(value) : std::string(no_value);
            };
            rows.push_back(
                {std::string(pair_info(pair.pair).short_name), format_general(r.tolerance, locale),
                 count(r.totals.accepted), count(r.totals.rejected), count(r.totals.evaluations),
                 value_text(r.error ? std::optional(std::fabs(*r.error)) : std::nullopt, locale)});
        }
    }
    return rows;
}

template <class State>
std::vector<WorkSeries> pair_series(const std::vector<PairRunsOf<State>>& pairs) {
    std::vector<WorkSeries> out;
    for (const PairRunsOf<State>& pair : pairs) {
        WorkSeries series{pair.pair, {}};
        for (const ToleranceRunOf<State>& r : pair.runs) {
            const double size = r.error ? std::fabs(*r.error) : 0;
            if (r.reached && size > 0 && std::isfinite(size)) {
                series.points.push_back({static_cast<double>(r.totals.evaluations), size});
            }
        }
        out.push_back(std::move(series));
    }
    return out;
}

template <class State>
std::vector<WorkSeries> method_series(const std::vector<MethodStudyOf<State>>& methods) {
    std::vector<WorkSeries> out;
    for (const MethodStudyOf<State>& method : methods) {
        WorkSeries series{method.method, {}};
        for (const StudyRunOf<State>& r : method.runs) {
            const double size = r.error ? std::fabs(*r.error) : 0;
            if (r.finite && size > 0 && std::isfinite(size)) {
                series.points.push_back({static_cast<double>(r.evaluations), size});
            }
        }
        out.push_back(std::move(series));
    }
    return out;
}

} // namespace

std::vector<Pair> all_pairs() {
    std::vector<Pair> pairs;
    for (const PairInfo& pair : pair_table) {
        pairs.push_back(pair.id);
    }
    return pairs;
}

std::optional<ToleranceStudy> run_tolerance_study(const ResultLine& line,
                                                  const std::vector<Pair>& pairs,
                                                  const StudyProgress& progress, int threads) {
    const tolerance_runs::ScalarProblem problem(line);
    auto runs = tolerance_runs::run_pairs(problem, pairs, tolerance_list, true, progress, threads);
    if (!runs) {
        return std::nullopt;
    }
    return ToleranceStudy{problem.has_exact(), std::move(*runs)};
}

std::optional<SystemToleranceStudy> run_tolerance_study(const SystemLine& line,
                                                        const std::vector<Pair>& pairs,
                                                        const StudyProgress& progress,
                                                        int threads) {
    const tolerance_runs::VectorProblem problem(line);
    auto runs = tolerance_runs::run_pairs(problem, pairs, tolerance_list, true, progress, threads);
    if (!runs) {
        return std::nullopt;
    }
    return SystemToleranceStudy{line.system.form(), line.numbers.aw.size(), problem.has_exact(),
                                std::move(*runs)};
}

std::optional<Study> run_fixed_step_work(const ResultLine& line, int pass_limit,
                                         const StudyProgress& progress, int threads) {
    Numbers numbers = line.numbers;
    if (line.adaptive || numbers.anzschr < 1) {
        numbers.anzschr = work_base_passes;
    }
    return run_study(numbers, line.equation, all_methods(), line.exact, pass_limit, progress,
                     threads);
}

std::optional<SystemStudy> run_fixed_step_work(const SystemLine& line, int pass_limit,
                                               const StudyProgress& progress, int threads) {
    SystemNumbers numbers = line.numbers;
    if (line.adaptive || numbers.anzschr < 1) {
        numbers.anzschr = work_base_passes;
    }
    return run_system_study(numbers, system_problem(line.system), all_methods(), pass_limit,
                            progress, threads);
}

std::string tolerance_study_csv(const ToleranceStudy& study, const NumberLocale& locale) {
    return csv_of(study.pairs, {std::string(caption::y)}, locale);
}

std::string tolerance_study_csv(const SystemToleranceStudy& study, const NumberLocale& locale) {
    return csv_of(study.pairs, component_names(study.form, study.size), locale);
}

std::vector<std::string> tolerance_study_columns() {
    return {std::string(caption::method),
            std::string(tolerance_caption::tolerance),
            std::string(tolerance_caption::accepted),
            std::string(tolerance_caption::rejected),
            std::string(tolerance_caption::evaluations),
            std::string(tolerance_caption::size_of_error)};
}

std::vector<std::vector<std::string>> tolerance_study_rows(const ToleranceStudy& study,
                                                           const NumberLocale& locale) {
    return rows_of(study.pairs, locale);
}

std::vector<std::vector<std::string>> tolerance_study_rows(const SystemToleranceStudy& study,
                                                           const NumberLocale& locale) {
    return rows_of(study.pairs, locale);
}

std::vector<WorkSeries> work_series(const ToleranceStudy& study) {
    return pair_series(study.pairs);
}

std::vector<WorkSeries> work_series(const SystemToleranceStudy& study) {
    return pair_series(study.pairs);
}

std::vector<WorkSeries> work_series(const Study& study) {
    return method_series(study.methods);
}

std::vector<WorkSeries> work_series(const SystemStudy& study) {
    return method_series(study.methods);
}

} // namespace calc
