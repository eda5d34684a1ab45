// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/core/methods.h"

#include "calc/core/rk4.h"

#include <cmath>

namespace calc {

namespace {

constexpr double one_sixth = 1.0 / 6.0;

// The default right-hand side, compiled into every pass that uses it.
struct DefaultSlope {
    double operator()(double x, double y) const { return default_slope(x, y); }
};

// A typed right-hand side, read by the formula reader on the calling thread.
struct TypedSlope {
    Expression::Evaluator formula;
    double operator()(double x, double y) const { return formula(x, y); }
};

// Evaluates stage i of a pass at `at` and returns k_i = h f(at).
template <class F>
[[gnu::always_inline]] inline double stage(const F& f, Pass& pass, int i, Point at, double h) {
    const auto s = static_cast<std::size_t>(i);
    pass.points[s] = at;
    pass.slopes[s] = f(at.x, at.y);
    return h * pass.slopes[s];
}

// The passes below are inlined wherever they are used, so that a run of the default f keeps
// nothing of a pass in memory and goes as fast as the formulas written out in one loop.

// Euler-Cauchy:
//   k1 = h f(x, y)
//   y' = y + k1
template <class F> [[gnu::always_inline]] inline Pass euler(const F& f, Point p, double h) {
    Pass pass;
    const double k1 = stage(f, pass, 0, p, h);
    pass.k = {k1, 0, 0, 0};
    pass.next = {p.x + h, p.y + k1};
    return pass;
}

// Heun:
//   k1 = h f(x, y)
//   k2 = h f(x + h, y + k1)
//   y' = y + (k1 + k2) / 2
template <class F> [[gnu::always_inline]] inline Pass heun(const F& f, Point p, double h) {
    Pass pass;
    const double k1 = stage(f, pass, 0, p, h);
    const double k2 = stage(f, pass, 1, {p.x + h, p.y + k1}, h);
    pass.k = {k1, k2, 0, 0};
    pass.next = {p.x + h, p.y + (k1 + k2) / 2};
    return pass;
}

// Midpoint:
//   k1 = h f(x, y)
//   k2 = h f(x + h/2, y + k1/2)
//   y' = y + k2
template <class F> [[gnu::always_inline]] inline Pass midpoint(const F& f, Point p, double h) {
    Pass pass;
    const double k1 = stage(f, pass, 0, p, h);
    const double k2 = stage(f, pass, 1, {p.x + h / 2, p.y + k1 / 2}, h);
    pass.k = {k1, k2, 0, 0};
    pass.next = {p.x + h, p.y + k2};
    return pass;
}

// Runge-Kutta, third order:
//   k1 = h f(x, y)
//   k2 = h f(x + h/2, y + k1/2)
//   k3 = h f(x + h, (y - k1) + 2 k2)
//   y' = y + 1/6 ((k1 + 4 k2) + k3)
template <class F> [[gnu::always_inline]] inline Pass rk3(const F& f, Point p, double h) {
    Pass pass;
    const double k1 = stage(f, pass, 0, p, h);
    const double k2 = stage(f, pass, 1, {p.x + h / 2, p.y + k1 / 2}, h);
    const double k3 = stage(f, pass, 2, {p.x + h, (p.y - k1) + 2 * k2}, h);
    pass.k = {k1, k2, k3, 0};
    pass.next = {p.x + h, p.y + one_sixth * ((k1 + 4 * k2) + k3)};
    return pass;
}

// Classical Runge-Kutta, fourth order:
//   k1 = h f(x, y)
//   k2 = h f(x + h/2, y + k1/2)
//   k3 = h f(x + h/2, y + k2/2)
//   k4 = h f(x + h, y + k3)
//   y' = y + 1/6 (((k1 + 2 k2) + 2 k3) + k4)
template <class F> [[gnu::always_inline]] inline Pass rk4(const F& f, Point p, double h) {
    Pass pass;
    const double k1 = stage(f, pass, 0, p, h);
    const double k2 = stage(f, pass, 1, {p.x + h / 2, p.y + k1 / 2}, h);
    const double k3 = stage(f, pass, 2, {p.x + h / 2, p.y + k2 / 2}, h);
    const double k4 = stage(f, pass, 3, {p.x + h, p.y + k3}, h);
    pass.k = {k1, k2, k3, k4};
    pass.next = {p.x + h, p.y + one_sixth * (((k1 + 2 * k2) + 2 * k3) + k4)};
    return pass;
}

template <class F> Pass pass_of(Method method, const F& f, Point p, double h) {
    switch (method) {
    case Method::euler:
        return euler(f, p, h);
    case Method::heun:
        return heun(f, p, h);
    case Method::midpoint:
        return midpoint(f, p, h);
    case Method::rk3:
        return rk3(f, p, h);
    case Method::rk4:
        break;
    }
    return rk4(f, p, h);
}

// The end of a run whose pass from p failed, the pass made again to tell why; kept out of line so
// that the loop of passes holds nothing of a pass for it.
[[gnu::noinline]] RunEnd failed_pass(Method id, const Equation& f, Point p, double h) {
    Point where{};
    const Pass pass = make_pass(id, f, p, h);
    return {pass.next, false, failure_of(pass, id, f, &where), where};
}

// The passes of one method, the method chosen once for the whole run.
template <Pass (*method)(const DefaultSlope&, Point, double),
          Pass (*typed_method)(const TypedSlope&, Point, double)>
RunEnd run_passes_with(Method id, const Equation& f, Point start, double h, int passes) {
    Point p = start;
    Point where{};
    if (const Expression* formula = f.formula()) {
        // A typed f can fail at a stage whose value the point no longer shows.
        const TypedSlope slope{formula->evaluator()};
        for (int i = 0; i < passes; ++i) {
            const Pass pass = typed_method(slope, p, h);
            if (const Failure failure = failure_of(pass, id, f, &where); failure != Failure::none) {
                return {pass.next, false, failure, where};
            }
            p = pass.next;
        }
        return {p, true};
    }
    // For the default f a failing stage always reaches the point, so the point is checked alone,
    // and the loop keeps nothing of a pass but the point it reaches.
    for (int i = 0; i < passes; ++i) {
        const Point next = method(DefaultSlope{}, p, h).next;
        if (!finite(next)) {
            return failed_pass(id, f, p, h);
        }
        p = next;
    }
    return {p, true};
}

} // namespace

std::optional<Method> method_named(std::string_view cli_name) {
    for (const MethodInfo& info : method_table) {
        if (info.cli_name == cli_name) {
            return info.id;
        }
    }
    return std::nullopt;
}

Pass make_pass(Method method, const Equation& f, Point p, double h) {
    if (const Expression* formula = f.formula()) {
        return pass_of(method, TypedSlope{formula->evaluator()}, p, h);
    }
    return pass_of(method, DefaultSlope{}, p, h);
}

Failure failure_of(const Pass& pass, Method method, const Equation& f, Point* where) {
    const int stage_count = method_info(method).stage_count;
    for (int i = 0; i < stage_count; ++i) {
        const auto s = static_cast<std::size_t>(i);
        if (!finite(pass.points[s])) {
            return Failure::overflow;
        }
        if (std::isnan(pass.slopes[s]) && !f.is_default()) {
            if (where) {
                *where = pass.points[s];
            }
            return Failure::undefined;
        }
        if (!std::isfinite(pass.k[s])) {
            return Failure::overflow;
        }
    }
    return finite(pass.next) ? Failure::none : Failure::overflow;
}

RunEnd run_passes(Method method, const Equation& f, Point start, double h, int passes) {
    switch (method) {
    case Method::euler:
        return run_passes_with<euler<DefaultSlope>, euler<TypedSlope>>(method, f, start, h, passes);
    case Method::heun:
        return run_passes_with<heun<DefaultSlope>, heun<TypedSlope>>(method, f, start, h, passes);
    case Method::midpoint:
        return run_passes_with<midpoint<DefaultSlope>, midpoint<TypedSlope>>(method, f, start, h,
                                                                             passes);
    case Method::rk3:
        return run_passes_with<rk3<DefaultSlope>, rk3<TypedSlope>>(method, f, start, h, passes);
    case Method::rk4:
        break;
    }
    return run_passes_with<rk4<DefaultSlope>, rk4<TypedSlope>>(method, f, start, h, passes);
}

Point rk4_pass(Point p, double h) {
    return rk4(DefaultSlope{}, p, h).next;
}

RunEnd rk4_run(Point start, double h, int passes) {
    return run_passes(Method::rk4, Equation{}, start, h, passes);
}

} // namespace calc
