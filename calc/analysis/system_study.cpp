// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/system_study.h"

#include <utility>

namespace calc {

namespace {

// A system as the study runs it; a copy evaluates its own copy of the formulas.
struct VectorProblem {
    using State = Vector;

    SystemNumbers numbers;
    SystemProblem problem;

    SystemPoint start() const { return {numbers.ug, numbers.aw}; }
    RunEndOf<Vector> run(Method method, const SystemPoint& from, double h, int passes) const {
        return system_run(method, problem.f, from, h, passes);
    }
    bool has_exact() const { return static_cast<bool>(problem.exact); }
    std::optional<Vector> exact(double x) const { return problem.exact(numbers.ug, numbers.aw, x); }
};

} // namespace

std::optional<SystemStudy> run_system_study(const SystemNumbers& numbers,
                                            const SystemProblem& problem,
                                            const std::vector<Method>& methods, int pass_limit,
                                            const StudyProgress& progress, int threads) {
    const VectorProblem runs{numbers, problem};
    auto studies = study_runs::study_methods(
        runs, methods, study_runs::plan_of(system_steps_of(numbers), pass_limit), progress,
        threads);
    if (!studies) {
        return std::nullopt;
    }
    return SystemStudy{numbers, problem.form, static_cast<bool>(problem.exact),
                       std::move(*studies)};
}

std::optional<SystemStudy> run_system_study(const SystemLine& line,
                                            const std::vector<Method>& methods, int pass_limit,
                                            const StudyProgress& progress, int threads) {
    return run_system_study(line.numbers, system_problem(line.system), methods, pass_limit,
                            progress, threads);
}

std::string study_csv(const SystemStudy& study, const NumberLocale& locale) {
    return study_runs::csv(study.methods, component_names(study.form, study.numbers.aw.size()),
                           locale);
}

std::vector<std::string> study_columns(const SystemStudy& study) {
    return study_runs::columns(study.methods);
}

std::vector<std::string> study_cells(const SystemStudy& study, std::size_t j,
                                     const NumberLocale& locale) {
    return study_runs::cells(study.methods, j, locale);
}

std::string roundoff_text(const SystemStudy& study, const NumberLocale& locale) {
    return study_runs::roundoff(study.methods, locale);
}

} // namespace calc
