// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/study_runs.h"
#include "calc/core/methods.h"
#include "calc/core/point.h"
#include "calc/core/steps.h"
#include "calc/problem/equation.h"
#include "calc/problem/exact_solution.h"
#include "calc/text/number_text.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace calc {
// One run of the study, its error signed: y_end - exact(x_end), or y_end(j) - y_end(j+1).
using StudyRun = StudyRunOf<double>;
using MethodStudy = MethodStudyOf<double>;
struct Study {
    Numbers numbers;
    bool against_exact; // errors against the exact solution, else against the next finer run
    std::vector<MethodStudy> methods; // in the order asked for
};
// Runs j = 0.. with P*2^j passes of step h/2^j (P = the line's passes, at least 1) while
// P*2^j <= pass_limit, for each method; uses up to `threads` threads. None when cancelled.
std::optional<Study> run_study(const Numbers& numbers, const Equation& f,
                               const std::vector<Method>& methods,
                               const std::optional<ExactSolution>& exact,
                               int pass_limit = study_pass_limit,
                               const StudyProgress& progress = {}, int threads = 2);
// The long CSV: "Verfahren;Schritte;h;x;y;Fehler;EOC" (',' separated where the decimal
// separator is not ','), one line per method and j, method CLI names, signed Fehler, every
// digit of EOC, empty cells where there is none; "\n" after each line.
std::string study_csv(const Study& study, const NumberLocale& locale);
// The table "Konvergenz": captions "Schritte", "h", then per method "|Fehler| <short name>",
// "EOC <short name>"; and the cells of row j (|error|, EOC with two decimals, "–" where none).
std::vector<std::string> study_columns(const Study& study);
std::vector<std::string> study_cells(const Study& study, std::size_t j, const NumberLocale& locale);
// The round-off note: "Ab h = <h> fällt der Fehler von <short name> nicht mehr: die Rundung
// überwiegt." per method with a floor, joined by one space; empty without any.
std::string roundoff_text(const Study& study, const NumberLocale& locale);
} // namespace calc
