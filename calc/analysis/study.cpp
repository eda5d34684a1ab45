// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/study.h"

#include "calc/analysis/study_runs.h"
#include "calc/text/labels.h"

#include <utility>

namespace calc {

namespace {

// A scalar equation as the study runs it: its own copies of the formula and the exact solution.
struct ScalarProblem {
    using State = double;

    Numbers numbers;
    Equation f;
    std::optional<ExactSolution> solution;

    Point start() const { return {numbers.ug, numbers.aw}; }
    RunEnd run(Method method, Point from, double h, int passes) const {
        return run_passes(method, f, from, h, passes);
    }
    bool has_exact() const { return solution.has_value(); }
    std::optional<double> exact(double x) const { return solution->at(numbers.ug, numbers.aw, x); }
};

} // namespace

std::optional<Study> run_study(const Numbers& numbers, const Equation& f,
                               const std::vector<Method>& methods,
                               const std::optional<ExactSolution>& exact, int pass_limit,
                               const StudyProgress& progress, int threads) {
    const ScalarProblem problem{numbers, f, exact};
    auto studies = study_runs::study_methods(
        problem, methods, study_runs::plan_of(steps_of(numbers), pass_limit), progress, threads);
    if (!studies) {
        return std::nullopt;
    }
    return Study{numbers, exact.has_value(), std::move(*studies)};
}

std::string study_csv(const Study& study, const NumberLocale& locale) {
    return study_runs::csv(study.methods, {std::string(caption::y)}, locale);
}

std::vector<std::string> study_columns(const Study& study) {
    return study_runs::columns(study.methods);
}

std::vector<std::string> study_cells(const Study& study, std::size_t j,
                                     const NumberLocale& locale) {
    return study_runs::cells(study.methods, j, locale);
}

std::string roundoff_text(const Study& study, const NumberLocale& locale) {
    return study_runs::roundoff(study.methods, locale);
}

} // namespace calc
