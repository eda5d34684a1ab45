// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/system_problem.h"

#include "calc/core/methods.h"

namespace calc {

SystemProblem system_problem(const System& system) {
    SystemProblem problem{system.form(),
                          system.texts(),
                          [system](double x, const Vector& y) { return system(x, y); },
                          {},
                          {}};
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
    return passes::pass_of(method, f, p, h);
}

RunEndOf<Vector> system_run(Method method, const SystemFunction& f, const SystemPoint& start,
                            double h, int passes) {
    return passes::checked_run(method, f, static_cast<std::size_t>(method_info(method).stage_count),
                               true, start, h, passes);
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
