// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/study_runs.h"
#include "calc/analysis/system_problem.h"
#include "calc/core/methods.h"
#include "calc/system_calculate.h"
#include "calc/text/number_text.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace calc {

// One run of a system's study; its error is the maximum norm of y_end - exact(x_end), or of
// y_end(j) - y_end(j+1) without an exact solution.
using SystemStudyRun = StudyRunOf<Vector>;
using SystemMethodStudy = MethodStudyOf<Vector>;

struct SystemStudy {
    SystemNumbers numbers;
    SystemForm form = SystemForm::first_order;
    bool against_exact = false; // errors against the exact solution, else the next finer run
    std::vector<SystemMethodStudy> methods; // in the order asked for
};

// The study of a system as run_study makes it for a scalar: runs j = 0.. with P·2^j passes of
// step h/2^j while P·2^j <= pass_limit, for each method, on up to `threads` threads, each
// evaluating its own copy of the formulas. None when cancelled.
std::optional<SystemStudy> run_system_study(const SystemNumbers& numbers,
                                            const SystemProblem& problem,
                                            const std::vector<Method>& methods,
                                            int pass_limit = study_pass_limit,
                                            const StudyProgress& progress = {}, int threads = 2);

// The study of a system's result line.
std::optional<SystemStudy> run_system_study(const SystemLine& line,
                                            const std::vector<Method>& methods,
                                            int pass_limit = study_pass_limit,
                                            const StudyProgress& progress = {}, int threads = 2);

// "Verfahren;Schritte;h;x;y1;y2;Fehler;EOC" (for the second order "y;y'"), as study_csv
// writes the scalar's, with Fehler the maximum norm.
std::string study_csv(const SystemStudy& study, const NumberLocale& locale);

// The table "Konvergenz" and the round-off note, as for a scalar study.
std::vector<std::string> study_columns(const SystemStudy& study);
std::vector<std::string> study_cells(const SystemStudy& study, std::size_t j,
                                     const NumberLocale& locale);
std::string roundoff_text(const SystemStudy& study, const NumberLocale& locale);

} // namespace calc
