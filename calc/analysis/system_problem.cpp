// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/system_problem.h"

#include "calc/core/methods.h"

namespace calc {

namespace {

// The right-hand side of a read system as a problem holds it. The run and the pass find it in
// the function again and evaluate the system's formulas without the call through the function.
struct TypedSystem {
    System system;
    Vector operator()(double x, const Vector& y) const { return system(x, y); }
};

} // namespace

SystemProblem system_problem(const System& system) {
    SystemProblem problem{system.form(), system.texts(), TypedSystem{system}, {}, {}};
    if (const std::optional<SystemExampleId> known = system.known()) {
        const SystemExampleId id = *known;
        if (system_example(id).has_exact) {
            problem.exact = [id](double ug, const Vector& aw, double x) {
                return exact_system_solution(id, ug, aw, x);
            };
        }
        if (system_example(id).has_conserved) {
            problem.conserved = [id](const Vector& y) { return conserved_quantity(id, y); };
        }
    }
    return problem;
}

PassOf<Vector> system_pass(Method method, const SystemFunction& f, const SystemPoint& p, double h) {
    if (const auto* typed = f.target<TypedSystem>()) {
        const System::Evaluator slope = typed->system.evaluator();
        return passes::pass_of(method, slope, p, h);
    }
    return passes::pass_of(method, f, p, h);
}

RunEndOf<Vector> system_run(Method method, const SystemFunction& f, const SystemPoint& start,
                            double h, int passes) {
    const auto stage_count = static_cast<std::size_t>(method_info(method).stage_count);
    if (const auto* typed = f.target<TypedSystem>()) {
        const System::Evaluator slope = typed->system.evaluator();
        return passes::checked_run(method, slope, stage_count, true, start, h, passes);
    }
    return passes::checked_run(method, f, stage_count, true, start, h, passes);
}

std::vector<std::string> component_names(SystemForm form, std::size_t n) {
    std::vector<std::string> names;
    names.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        names.push_back(component_name(form, i));
    }
    return names;
}

} // namespace calc
