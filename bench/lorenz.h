// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/problem/system_examples.h"
#include "calc/system_calculate.h"

#include <variant>

// The Lorenz example's line with 9,999 passes of the classical Runge-Kutta method from 0 to 20:
// the largest course the benchmarks open.
inline calc::SystemLine lorenz_line() {
    const calc::SystemExample& lorenz = calc::system_example(calc::SystemExampleId::lorenz);
    const calc::SystemTask task{lorenz.form,
                                calc::example_formulas(lorenz, {}),
                                {"1", "1", "1"},
                                "0",
                                "20",
                                "9999",
                                calc::Method::rk4,
                                {},
                                {}};
    return std::get<calc::SystemLine>(calc::calculate_system(task, {}));
}
