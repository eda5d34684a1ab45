// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one-step methods and the run of fixed passes.
//
// Every result is bit-exact: a pass computes the same doubles, in the same order and grouping,
// wherever it is made (the run, the course's table, the pass view, the study). Three things hold
// this up, and a change to any of them shows in the bit-for-bit tests:
// - calc is compiled with -ffp-contract=off -fno-fast-math (private flags in calc/CMakeLists.txt),
//   so no multiply-add is fused and nothing is re-associated;
// - each method's pass is an always-inline template on the right-hand side, so the default
//   -x*y^2 is compiled into the pass and a typed formula is called at the same stage points;
// - the run takes the pass of its method as a function-pointer template argument, chosen once
//   for the whole run, so its loop is that pass written out and keeps nothing of it in memory.

#include "calc/core/passes.h"
#include "calc/core/point.h"
#include "calc/problem/equation.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace calc {

// The increments k1..k4 of a scalar pass, each h times the slope at its stage point, as
// k[0]..k[3]; a method with fewer stages leaves the rest 0.
using Increments = std::array<double, 4>;

struct MethodInfo {
    Method id;
    std::string_view name;       // in the window: "Heun (2. Ord.)"
    std::string_view cli_name;   // on the command line: "heun"
    std::string_view short_name; // in captions: "Heun"
    std::string_view column;     // side by side with the others: "Euler-Cauchy"
    int stage_count;             // its increments k; for an explicit method its evaluations of f
    std::uint32_t colour;        // 0xRRGGBB, its plots' colour
    bool implicit = false;       // its pass solves an equation with Newton's method
};

inline constexpr std::array<MethodInfo, 8> method_table = {{
    {Method::euler, "Euler-Cauchy (1. Ord.)", "euler", "Euler", "Euler-Cauchy", 1, 0x1f77b4},
    {Method::heun, "Heun (2. Ord.)", "heun", "Heun", "Heun", 2, 0xff7f0e},
    {Method::midpoint, "Mittelpunkt (2. Ord.)", "mittelpunkt", "Mittelpunkt", "Mittelpunkt", 2,
     0x2ca02c},
    {Method::rk3, "Runge-Kutta-3. Ord.", "rk3", "RK3", "RK3", 3, 0x9467bd},
    {Method::rk4, "Runge-Kutta-4. Ord.", "rk4", "RK4", "RK4", 4, 0xd62728},
    {Method::implicit_euler, "Implizites Euler-Verfahren (1. Ord.)", "impl-euler", "Impl. Euler",
     "Impl. Euler", 1, 0x393b79, true},
    {Method::trapezoid, "Trapezregel (2. Ord.)", "trapez", "Trapez", "Trapez", 2, 0x7f7f7f, true},
    {Method::implicit_midpoint, "Implizite Mittelpunktregel (2. Ord.)", "impl-mittelpunkt",
     "Impl. Mittelpunkt", "Impl. Mittelpunkt", 1, 0xbcbd22, true},
}};

// The evaluations of f that passes of `method` made, for a state of `components` components:
// an explicit pass evaluates f once a stage; an implicit pass once at its start, once for each
// Newton iteration and twice a component for its Jacobian, and once at the Y it reached for its
// increments. `iterations` is the sum of the passes' Newton iterations.
constexpr std::size_t evaluations_of(Method method, std::size_t passes, std::size_t iterations,
                                     std::size_t components) {
    const MethodInfo& info = method_table[static_cast<std::size_t>(method)];
    if (!info.implicit) {
        return passes * static_cast<std::size_t>(info.stage_count);
    }
    return 2 * passes + iterations * (1 + jacobian_evaluations(components));
}

constexpr const MethodInfo& method_info(Method method) {
    return method_table[static_cast<std::size_t>(method)];
}

// The method of a command-line name; none for an unknown name.
std::optional<Method> method_named(std::string_view cli_name);

// A pass and the end of a run of a scalar equation (calc/core/passes.h).
using Pass = PassOf<double>;
using RunEnd = RunEndOf<double>;

// One pass of `method` of step h for y' = f(x, y) from p.
Pass make_pass(Method method, const Equation& f, Point p, double h);

// What is wrong with a pass, if anything, in the order its stages were evaluated; `where` gets
// the stage point of an undefined f. The default f reports every failure as an overflow.
Failure failure_of(const Pass& pass, Method method, const Equation& f, Point* where);

// Makes `passes` passes of step h from `start`, stopping at the first failing pass.
RunEnd run_passes(Method method, const Equation& f, Point start, double h, int passes);

} // namespace calc
