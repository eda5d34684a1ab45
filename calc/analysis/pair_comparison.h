// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The three pairs side by side at the tolerance of a line with step size control: each one's
// totals, its point at og and its error there against the exact solution.

#include "calc/analysis/tolerance_runs.h"
#include "calc/analysis/tolerance_study.h"
#include "calc/calculate.h"
#include "calc/system_calculate.h"
#include "calc/text/number_text.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace calc {

template <class State> struct PairComparisonOf {
    double tolerance = 0;
    bool has_exact = false;
    SystemForm form = SystemForm::first_order; // a system's, how its components are named
    std::size_t components = 1;
    std::vector<PairRunsOf<State>> pairs; // in the order of pair_table, one run each
};

using PairComparison = PairComparisonOf<double>;
using SystemPairComparison = PairComparisonOf<Vector>;

// Every pair at `tolerance` from the line's start to og, the errors against the exact solution
// where it is known; none when the progress cancels.
std::optional<PairComparison> compare_pairs(const ResultLine& line, double tolerance,
                                            const StudyProgress& progress = {}, int threads = 2);
std::optional<SystemPairComparison> compare_pairs(const SystemLine& line, double tolerance,
                                                  const StudyProgress& progress = {},
                                                  int threads = 2);

// The captions: "Verfahren", "Schritte", "verworfen", "Auswertungen", "x", the components ("y",
// or "y1" … / "y", "y'"), "Fehler".
std::vector<std::string> pair_comparison_columns(const PairComparison& comparison);
std::vector<std::string> pair_comparison_columns(const SystemPairComparison& comparison);

// A row per pair: its window name, its totals, x and the components at og, and the error at og
// (signed for a scalar, the maximum norm for a system), no_value where a value is unknown or
// the run failed.
std::vector<std::vector<std::string>> pair_comparison_rows(const PairComparison& comparison,
                                                           const NumberLocale& locale);
std::vector<std::vector<std::string>> pair_comparison_rows(const SystemPairComparison& comparison,
                                                           const NumberLocale& locale);

// Each pair's one point of work against accuracy, where its error is known and not 0.
std::vector<WorkSeries> work_series(const PairComparison& comparison);
std::vector<WorkSeries> work_series(const SystemPairComparison& comparison);

// The table as CSV: the captions, then a row per pair, cells without a value left empty.
std::string pair_comparison_csv(const PairComparison& comparison, const NumberLocale& locale);
std::string pair_comparison_csv(const SystemPairComparison& comparison, const NumberLocale& locale);

} // namespace calc
