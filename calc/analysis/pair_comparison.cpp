// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/pair_comparison.h"

#include "calc/analysis/system_problem.h"
#include "calc/analysis/tolerance_problems.h"
#include "calc/analysis/tolerance_study.h"
#include "calc/text/csv.h"
#include "calc/text/labels.h"
#include "calc/text/tolerance_captions.h"

#include <utility>

namespace calc {

namespace {

template <class Problem, class State = typename Problem::State>
std::optional<PairComparisonOf<State>> compare(const Problem& problem, double tolerance,
                                               SystemForm form, std::size_t components,
                                               const StudyProgress& progress, int threads) {
    auto runs =
        tolerance_runs::run_pairs(problem, all_pairs(), {tolerance}, false, progress, threads);
    if (!runs) {
        return std::nullopt;
    }
    return PairComparisonOf<State>{tolerance, problem.has_exact(), form, components,
                                   std::move(*runs)};
}

std::vector<std::string> columns_with(const std::vector<std::string>& components) {
    std::vector<std::string> out{
        std::string(caption::method), std::string(tolerance_caption::accepted),
        std::string(tolerance_caption::rejected), std::string(tolerance_caption::evaluations),
        std::string(caption::x)};
    out.insert(out.end(), components.begin(), components.end());
    out.emplace_back(tolerance_caption::error);
    return out;
}

void append_components(std::vector<std::string>& cells, double y, const NumberLocale& locale) {
    cells.push_back(format_general(y, locale));
}

void append_components(std::vector<std::string>& cells, const Vector& y,
                       const NumberLocale& locale) {
    for (std::size_t i = 0; i < y.size(); ++i) {
        cells.push_back(format_general(y[i], locale));
    }
}

template <class State>
std::vector<std::vector<std::string>> rows_of(const PairComparisonOf<State>& comparison,
                                              const NumberLocale& locale) {
    std::vector<std::vector<std::string>> rows;
    for (const PairRunsOf<State>& pair : comparison.pairs) {
        const ToleranceRunOf<State>& r = pair.runs.front();
        const auto count = [&](std::size_t value) {
            return r.reached ? std::to_string(value) : std::string(no_value);
        };
        std::vector<std::string> cells{
            std::string(pair_info(pair.pair).name), count(r.totals.accepted),
            count(r.totals.rejected), count(r.totals.evaluations),
            r.reached ? format_general(r.end.x, locale) : std::string(no_value)};
        if (r.reached) {
            append_components(cells, r.end.y, locale);
        } else {
            cells.insert(cells.end(), comparison.components, std::string(no_value));
        }
        cells.push_back(value_text(r.error, locale));
        rows.push_back(std::move(cells));
    }
    return rows;
}

template <class Comparison>
std::string csv_of(const Comparison& comparison, const NumberLocale& locale) {
    const char separator = list_separator(locale);
    std::string out;
    append_csv_line(out, pair_comparison_columns(comparison), separator);
    for (const std::vector<std::string>& row : pair_comparison_rows(comparison, locale)) {
        append_csv_line(out, row, separator);
    }
    return out;
}

} // namespace

std::optional<PairComparison> compare_pairs(const ResultLine& line, double tolerance,
                                            const StudyProgress& progress, int threads) {
    return compare(tolerance_runs::ScalarProblem(line), tolerance, SystemForm::first_order, 1,
                   progress, threads);
}

std::optional<SystemPairComparison> compare_pairs(const SystemLine& line, double tolerance,
                                                  const StudyProgress& progress, int threads) {
    return compare(tolerance_runs::VectorProblem(line), tolerance, line.system.form(),
                   line.numbers.aw.size(), progress, threads);
}

std::vector<std::string> pair_comparison_columns(const PairComparison&) {
    return columns_with({std::string(caption::y)});
}

std::vector<std::string> pair_comparison_columns(const SystemPairComparison& comparison) {
    return columns_with(component_names(comparison.form, comparison.components));
}

std::vector<std::vector<std::string>> pair_comparison_rows(const PairComparison& comparison,
                                                           const NumberLocale& locale) {
    return rows_of(comparison, locale);
}

std::vector<std::vector<std::string>> pair_comparison_rows(const SystemPairComparison& comparison,
                                                           const NumberLocale& locale) {
    return rows_of(comparison, locale);
}

std::vector<WorkSeries> work_series(const PairComparison& comparison) {
    return work_series(ToleranceStudy{comparison.has_exact, comparison.pairs});
}

std::vector<WorkSeries> work_series(const SystemPairComparison& comparison) {
    return work_series(SystemToleranceStudy{comparison.form, comparison.components,
                                            comparison.has_exact, comparison.pairs});
}

std::string pair_comparison_csv(const PairComparison& comparison, const NumberLocale& locale) {
    return csv_of(comparison, locale);
}

std::string pair_comparison_csv(const SystemPairComparison& comparison,
                                const NumberLocale& locale) {
    return csv_of(comparison, locale);
}

} // namespace calc
