// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/passes.h"
#include "calc/core/point.h"
#include "calc/core/state.h"
#include "calc/problem/system.h"
#include "calc/problem/system_examples.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace calc {

// The right-hand side f(x, y) of a system.
using SystemFunction = std::function<Vector(double x, const Vector& y)>;
// The exact solution through y(ug) = aw, at x; none where it has no finite value.
using SystemExact = std::function<std::optional<Vector>(double ug, const Vector& aw, double x)>;
// The quantity the exact solution conserves, at y; none where it is not finite.
using SystemInvariant = std::function<std::optional<double>(const Vector& y)>;

// What the analysis of a system knows of it: how it is written, its right-hand side, and where
// known its exact solution and its conserved quantity. A copy evaluates its own copy of typed
// formulas, so each thread takes one.
struct SystemProblem {
    SystemForm form = SystemForm::first_order;
    std::vector<std::string> formulas; // as typed: y1' … yn', or the one y'' of the second order
    SystemFunction f;
    SystemExact exact;         // empty where the exact solution is not known
    SystemInvariant conserved; // empty where no conserved quantity is known
};

// The problem of a system that was read: its formulas, and the example's exact solution and
// conserved quantity where the formulas are an example's.
SystemProblem system_problem(const System& system);

// One pass of `method` of step h from p, as the system's run makes it.
PassOf<Vector> system_pass(Method method, const SystemFunction& f, const SystemPoint& p, double h);

// The run of `passes` passes of step h from `start`, stopping at the first pass that fails: a
// NaN of f is an undefined f, as for every typed formula.
RunEndOf<Vector> system_run(Method method, const SystemFunction& f, const SystemPoint& start,
                            double h, int passes);

// The names of a system's n components: "y1" … "yn", or "y" and "y'" for the second order.
std::vector<std::string> component_names(SystemForm form, std::size_t n);

} // namespace calc
