// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tolerance study of a line: each pair's run at tol = 1e-2, 1e-3, …, 1e-12, its totals and
// its error at og; and the work against the accuracy of the pairs and of the fixed-step methods.

#include "calc/analysis/study.h"
#include "calc/analysis/system_study.h"
#include "calc/analysis/tolerance_runs.h"
#include "calc/calculate.h"
#include "calc/core/schemes.h"
#include "calc/system_calculate.h"
#include "calc/text/number_text.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace calc {

// The tolerances of the study, the coarsest first.
inline constexpr std::array<double, 11> study_tolerances = {1e-2, 1e-3, 1e-4,  1e-5,  1e-6, 1e-7,
                                                            1e-8, 1e-9, 1e-10, 1e-11, 1e-12};

using ToleranceRun = ToleranceRunOf<double>;
using PairRuns = PairRunsOf<double>;
using SystemToleranceRun = ToleranceRunOf<Vector>;
using SystemPairRuns = PairRunsOf<Vector>;

struct ToleranceStudy {
    bool against_exact = false;  // errors against the exact solution, else the next tolerance
    std::vector<PairRuns> pairs; // in the order asked for, each with one run per tolerance
};

struct SystemToleranceStudy {
    SystemForm form = SystemForm::first_order;
    std::size_t size = 0; // the components of the state
    bool against_exact = false;
    std::vector<SystemPairRuns> pairs;
};

// Every pair's runs at study_tolerances from the line's start to og, on up to `threads` threads,
// each with its own copy of the formulas; the line's pair and tolerance are not used. None when
// the progress cancels.
std::optional<ToleranceStudy> run_tolerance_study(const ResultLine& line,
                                                  const std::vector<Pair>& pairs,
                                                  const StudyProgress& progress = {},
                                                  int threads = 2);
std::optional<SystemToleranceStudy> run_tolerance_study(const SystemLine& line,
                                                        const std::vector<Pair>& pairs,
                                                        const StudyProgress& progress = {},
                                                        int threads = 2);

// Every pair, in the order of pair_table.
std::vector<Pair> all_pairs();

// The CSV: "Verfahren;Toleranz;Schritte;verworfen;Auswertungen;x;y;Fehler" (for a system the
// components as its study writes them: "y1;y2" or "y;y'"; ',' separated where the decimal
// separator is not ','), one line per pair and tolerance, the pairs' CLI names, every digit,
// Fehler signed for a scalar; a run that failed, and a missing error, leave their cells empty.
std::string tolerance_study_csv(const ToleranceStudy& study, const NumberLocale& locale);
std::string tolerance_study_csv(const SystemToleranceStudy& study, const NumberLocale& locale);

// The table: "Verfahren", "Toleranz", "Schritte", "verworfen", "Auswertungen", "|Fehler|", and a
// row per pair and tolerance, the pair's short name, no_value where a run has no value.
std::vector<std::string> tolerance_study_columns();
std::vector<std::vector<std::string>> tolerance_study_rows(const ToleranceStudy& study,
                                                           const NumberLocale& locale);
std::vector<std::vector<std::string>> tolerance_study_rows(const SystemToleranceStudy& study,
                                                           const NumberLocale& locale);

// The fixed-step study whose work the pairs' is set against: every method of method_table as the
// convergence study runs it, from the line's passes, or for a line with step size control (which
// has none) from work_base_passes, up to pass_limit. None when the progress cancels.
inline constexpr int work_base_passes = 10;
std::optional<Study> run_fixed_step_work(const ResultLine& line, int pass_limit = study_pass_limit,
                                         const StudyProgress& progress = {}, int threads = 2);
std::optional<SystemStudy> run_fixed_step_work(const SystemLine& line,
                                               int pass_limit = study_pass_limit,
                                               const StudyProgress& progress = {}, int threads = 2);

// One point of work against accuracy: the evaluations of f a run made and its |error| (> 0).
struct WorkPoint {
    double evaluations;
    double error;
};

// A pair's or a fixed-step method's points, the least work first.
struct WorkSeries {
    Scheme scheme;
    std::vector<WorkPoint> points;
};

// The pairs' runs that have a positive error, as work against accuracy.
std::vector<WorkSeries> work_series(const ToleranceStudy& study);
std::vector<WorkSeries> work_series(const SystemToleranceStudy& study);
// The fixed-step runs of a convergence study: each run's evaluations of f against |error|.
std::vector<WorkSeries> work_series(const Study& study);
std::vector<WorkSeries> work_series(const SystemStudy& study);

} // namespace calc
