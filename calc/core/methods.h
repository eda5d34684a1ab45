// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/problem/equation.h"

#include <array>
#include <cmath>
#include <optional>
#include <string_view>

namespace calc {

// A point (x, y) of a solution.
struct Point {
    double x;
    double y;
};

// Whether both coordinates are finite.
inline bool finite(Point p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// The stage increments k1..k4 of a pass, each h times the slope at its stage point; a method
// with fewer stages leaves the rest 0.
struct Stages {
    double k1, k2, k3, k4;
};

// The one-step methods, in the order the window lists them.
enum class Method { euler, heun, midpoint, rk3, rk4 };

struct MethodInfo {
    Method id;
    std::string_view name;       // in the window: "Heun (2. Ord.)"
    std::string_view cli_name;   // on the command line: "heun"
    std::string_view short_name; // in captions: "Heun"
    std::string_view column;     // side by side with the others: "Euler-Cauchy"
    int stages;                  // evaluations of f in a pass
    std::uint32_t colour;        // 0xRRGGBB, its plots' colour
};

inline constexpr std::array<MethodInfo, 5> method_table = {{
    {Method::euler, "Euler-Cauchy (1. Ord.)", "euler", "Euler", "Euler-Cauchy", 1, 0x1f77b4},
    {Method::heun, "Heun (2. Ord.)", "heun", "Heun", "Heun", 2, 0xff7f0e},
    {Method::midpoint, "Mittelpunkt (2. Ord.)", "mittelpunkt", "Mittelpunkt", "Mittelpunkt", 2, 0x2ca02c},
    {Method::rk3, "Runge-Kutta-3. Ord.", "rk3", "RK3", "RK3", 3, 0x9467bd},
    {Method::rk4, "Runge-Kutta-4. Ord.", "rk4", "RK4", "RK4", 4, 0xd62728},
}};

constexpr const MethodInfo& method_info(Method method) {
    return method_table[static_cast<std::size_t>(method)];
}

// The method of a command-line name; none for an unknown name.
std::optional<Method> method_named(std::string_view cli_name);

// One pass from `start`: where each stage evaluated f, the slope there, the increments and the
// point reached. Only the method's own stages are filled.
struct Pass {
    std::array<Point, 4> points{};
    std::array<double, 4> slopes{};
    Stages stages{};
    Point next{};
};

// Why a run stopped early.
enum class Failure {
    none,
    overflow,  // a value that is not finite: an infinity, a stage point, the point reached
    undefined, // a typed f gave NaN at a finite stage point
};

// Where a run of fixed passes ends; finite is false once x or y left the finite doubles.
struct RunEnd {
    Point point;
    bool finite;
    Failure failure = Failure::none;
    Point where{}; // the stage point at which f was undefined
};

// One pass of `method` of step h for y' = f(x, y) from p.
Pass make_pass(Method method, const Equation& f, Point p, double h);

// What is wrong with a pass, if anything, in the order its stages were evaluated; `where` gets
// the stage point of an undefined f. The default f reports every failure as an overflow.
Failure failure_of(const Pass& pass, Method method, const Equation& f, Point* where);

// Makes `passes` passes of step h from `start`, stopping at the first failing pass.
RunEnd run(Method method, const Equation& f, Point start, double h, int passes);

} // namespace calc
