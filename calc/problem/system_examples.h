// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/adaptive.h"
#include "calc/core/methods.h"
#include "calc/core/state.h"
#include "calc/text/number_text.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

// How a system is given: n = 2 to 4 first-order equations y1' … yn', or one equation of second
// order y'' = f(x, y, y'), which is run as the system y1 = y, y2 = y'.
enum class SystemForm { first_order, second_order };

// The systems whose formulas the program offers, in the order the window lists them.
enum class SystemExampleId {
    oscillator,
    pendulum,
    van_der_pol,
    predator_prey,
    circuit,
    lorenz,
    kepler,
    arenstorf,
    stiff,
};

struct SystemExample {
    SystemExampleId id;
    std::string_view name;                    // "Harmonischer Oszillator"
    SystemForm form;                          // how its formulas are given
    std::size_t size;                         // components of its state
    std::array<std::string_view, 4> formulas; // y1' … (one, y'', for the second-order form),
                                              // numbers with a decimal point
    double ug, og;                            // the bounds it fills in
    std::array<double, max_components> start; // the initial values it fills in
    int count;                                // the step count it fills in
    bool has_exact;                           // whether exact_system_solution knows it
    bool has_conserved;                       // whether conserved_quantity knows it
    std::optional<Pair> pair;                 // the pair with step size control it chooses,
                                              // none for the window's fixed-step method
    std::string_view tolerance;               // the pair's tolerance text, empty without one
    std::optional<Method> method;             // the fixed-step method it chooses, none to leave
                                              // the window's
};

// Every example, in the order of SystemExampleId.
extern const std::array<SystemExample, 9> system_examples;

const SystemExample& system_example(SystemExampleId id);

// How many formulas the example has: its size, or one for the second-order form.
std::size_t formula_count(const SystemExample& example);

// The example's formulas as typed in `locale`: the decimal point written as the locale writes it
// (as the formula reader reads it: a comma where the locale writes one, else a point).
std::vector<std::string> example_formulas(const SystemExample& example, const NumberLocale& locale);

// The example whose formulas these are, typed in `locale` in the form, blanks aside; the
// oscillator is also the system y1' = y2, y2' = -y1. None for any other formulas.
std::optional<SystemExampleId>
find_example(SystemForm form, const std::vector<std::string>& formulas, const NumberLocale& locale);

// The example's exact solution through y(ug) = aw, at x; none for an example without one, and
// where a component is not finite.
std::optional<Vector> exact_system_solution(SystemExampleId id, double ug, const Vector& aw,
                                            double x);

// The quantity the exact solution conserves, at y; none for an example without one, and where
// it is not finite.
std::optional<double> conserved_quantity(SystemExampleId id, const Vector& y);

} // namespace calc
