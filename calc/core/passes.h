// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The passes of the fixed-step methods, written once over the state type (a scalar double or a
// system's Vector, calc/core/state.h) and the right-hand side F, a callable f(x, y) that returns
// the slope of the state's type. For a Vector each operation below is componentwise, so each
// component is rounded exactly as a scalar would be. See calc/core/methods.h for what the
// bit-exactness of these passes rests on; the grouping of every formula is part of it.

#include "calc/core/newton.h"
#include "calc/core/point.h"
#include "calc/core/state.h"

#include <array>
#include <cstddef>

namespace calc {

// The one-step methods, in the order the window lists them: the explicit ones, then the
// implicit ones, whose pass solves its equation with Newton's method.
enum class Method { euler, heun, midpoint, rk3, rk4, implicit_euler, trapezoid, implicit_midpoint };

// One pass from a point: where each stage evaluated f, the slope there, the increments k1..k4
// (k[0]..k[3], each h times its slope) and the point reached. Only the method's own stages are
// filled; the rest stay zero. An implicit pass also tells its Newton iterations and whether they
// converged; an explicit pass always has.
template <class State> struct PassOf {
    std::array<PointOf<State>, 4> points{};
    std::array<State, 4> slopes{};
    std::array<State, 4> k{};
    PointOf<State> next{};
    int iterations = 0;
    bool converged = true;
};

// Why a run stopped early.
enum class Failure {
    none,
    overflow,  // a value that is not finite: an infinity, a stage point, the point reached
    undefined, // a typed f gave NaN at a finite stage point
    newton,    // Newton's method did not converge in an implicit pass
};

// Where a run of fixed passes ends; finite is false once x or y left the finite doubles.
template <class State> struct RunEndOf {
    PointOf<State> point;
    bool finite;
    Failure failure = Failure::none;
    PointOf<State> where{};     // the stage point at which f was undefined; the start of the
                                // pass whose Newton iterations did not converge
    std::size_t component = 0;  // the component of f that was undefined there
    std::size_t iterations = 0; // the Newton iterations of the passes made, for their evaluations
};

namespace passes {

inline constexpr double one_sixth = 1.0 / 6.0;

// Evaluates stage i of a pass at `at` and returns k_i = h f(at).
template <class State, class F>
[[gnu::always_inline]] inline State stage(F& f, PassOf<State>& pass, std::size_t i,
                                          const PointOf<State>& at, double h) {
    pass.points[i] = at;
    pass.slopes[i] = f(at.x, at.y);
    return h * pass.slopes[i];
}

// Euler-Cauchy:
//   k1 = h f(x, y)
//   y' = y + k1
template <class State, class F>
[[gnu::always_inline]] inline PassOf<State> euler(F& f, const PointOf<State>& p, double h) {
    PassOf<State> pass;
    const State k1 = stage(f, pass, 0, p, h);
    pass.k = {k1, zero_like(k1), zero_like(k1), zero_like(k1)};
    pass.next = {p.x + h, p.y + k1};
    return pass;
}

// Heun:
//   k1 = h f(x, y)
//   k2 = h f(x + h, y + k1)
//   y' = y + (k1 + k2) / 2
template <class State, class F>
[[gnu::always_inline]] inline PassOf<State> heun(F& f, const PointOf<State>& p, double h) {
    PassOf<State> pass;
    const State k1 = stage(f, pass, 0, p, h);
    const State k2 = stage(f, pass, 1, {p.x + h, p.y + k1}, h);
    pass.k = {k1, k2, zero_like(k1), zero_like(k1)};
    pass.next = {p.x + h, p.y + (k1 + k2) / 2};
    return pass;
}

// Midpoint:
//   k1 = h f(x, y)
//   k2 = h f(x + h/2, y + k1/2)
//   y' = y + k2
template <class State, class F>
[[gnu::always_inline]] inline PassOf<State> midpoint(F& f, const PointOf<State>& p, double h) {
    PassOf<State> pass;
    const State k1 = stage(f, pass, 0, p, h);
    const State k2 = stage(f, pass, 1, {p.x + h / 2, p.y + k1 / 2}, h);
    pass.k = {k1, k2, zero_like(k1), zero_like(k1)};
    pass.next = {p.x + h, p.y + k2};
    return pass;
}

// Runge-Kutta, third order:
//   k1 = h f(x, y)
//   k2 = h f(x + h/2, y + k1/2)
//   k3 = h f(x + h, (y - k1) + 2 k2)
//   y' = y + 1/6 ((k1 + 4 k2) + k3)
template <class State, class F>
[[gnu::always_inline]] inline PassOf<State> rk3(F& f, const PointOf<State>& p, double h) {
    PassOf<State> pass;
    const State k1 = stage(f, pass, 0, p, h);
    const State k2 = stage(f, pass, 1, {p.x + h / 2, p.y + k1 / 2}, h);
    const State k3 = stage(f, pass, 2, {p.x + h, (p.y - k1) + 2 * k2}, h);
    pass.k = {k1, k2, k3, zero_like(k1)};
    pass.next = {p.x + h, p.y + one_sixth * ((k1 + 4 * k2) + k3)};
    return pass;
}

// Classical Runge-Kutta, fourth order:
//   k1 = h f(x, y)
//   k2 = h f(x + h/2, y + k1/2)
//   k3 = h f(x + h/2, y + k2/2)
//   k4 = h f(x + h, y + k3)
//   y' = y + 1/6 (((k1 + 2 k2) + 2 k3) + k4)
template <class State, class F>
[[gnu::always_inline]] inline PassOf<State> rk4(F& f, const PointOf<State>& p, double h) {
    PassOf<State> pass;
    const State k1 = stage(f, pass, 0, p, h);
    const State k2 = stage(f, pass, 1, {p.x + h / 2, p.y + k1 / 2}, h);
    const State k3 = stage(f, pass, 2, {p.x + h / 2, p.y + k2 / 2}, h);
    const State k4 = stage(f, pass, 3, {p.x + h, p.y + k3}, h);
    pass.k = {k1, k2, k3, k4};
    pass.next = {p.x + h, p.y + one_sixth * (((k1 + 2 * k2) + 2 * k3) + k4)};
    return pass;
}

// The pass of an implicit method whose f is not finite at the start (x, y), from where Newton's
// method starts: it is filled as Euler's pass, so that the checks of every method report it.
template <class State>
PassOf<State> failed_at_start(const PointOf<State>& p, const State& slope, double h) {
    PassOf<State> pass;
    pass.points[0] = p;
    pass.slopes[0] = slope;
    pass.k[0] = h * slope;
    pass.next = {p.x + h, p.y + pass.k[0]};
    for (std::size_t s = 1; s < pass.k.size(); ++s) {
        pass.k[s] = zero_like(slope);
    }
    return pass;
}

// Implicit Euler, Newton from Y0 = y + h f(x, y) with G'(Y) = I - h J(x + h, Y):
//   Y  = y + h f(x + h, Y)          (G(Y) = Y - (y + h f(x + h, Y)))
//   k1 = h f(x + h, Y)
//   y' = Y
template <class State, class F>
[[gnu::always_inline]] inline PassOf<State> implicit_euler(F& f, const PointOf<State>& p,
                                                           double h) {
    const State start = f(p.x, p.y);
    if (!finite(start)) {
        return failed_at_start(p, start, h);
    }
    PassOf<State> pass;
    const double x1 = p.x + h;
    State y1 = p.y + h * start;
    const NewtonResult newton = newton_solve(
        f, y1, x1, h, [](const State& y) { return y; },
        [&](const State& y, const State& slope) { return y - (p.y + h * slope); });
    pass.iterations = newton.iterations;
    pass.converged = newton.converged;
    pass.next = {x1, y1};
    if (newton.converged) {
        const State k1 = stage(f, pass, 0, pass.next, h);
        pass.k = {k1, zero_like(k1), zero_like(k1), zero_like(k1)};
    }
    return pass;
}

// Trapezoidal rule, Newton from Y0 = y + h f(x, y) with G'(Y) = I - (h/2) J(x + h, Y):
//   Y  = y + h/2 (f(x, y) + f(x + h, Y))   (G(Y) = Y - (y + h/2 (f(x, y) + f(x + h, Y))))
//   k1 = h f(x, y),  k2 = h f(x + h, Y)
//   y' = Y
template <class State, class F>
[[gnu::always_inline]] inline PassOf<State> trapezoid(F& f, const PointOf<State>& p, double h) {
    const State start = f(p.x, p.y);
    if (!finite(start)) {
        return failed_at_start(p, start, h);
    }
    PassOf<State> pass;
    const double x1 = p.x + h;
    State y1 = p.y + h * start;
    const NewtonResult newton = newton_solve(
        f, y1, x1, h / 2, [](const State& y) { return y; },
        [&](const State& y, const State& slope) { return y - (p.y + (h / 2) * (start + slope)); });
    pass.iterations = newton.iterations;
    pass.converged = newton.converged;
    pass.next = {x1, y1};
    if (newton.converged) {
        pass.points[0] = p;
        pass.slopes[0] = start;
        const State k1 = h * start;
        const State k2 = stage(f, pass, 1, pass.next, h);
        pass.k = {k1, k2, zero_like(k1), zero_like(k1)};
    }
    return pass;
}

// Implicit midpoint rule, Newton from Y0 = y + h f(x, y) with
// G'(Y) = I - (h/2) J(x + h/2, (y + Y)/2):
//   Y  = y + h f(x + h/2, (y + Y)/2)        (G(Y) = Y - (y + h f(x + h/2, (y + Y)/2)))
//   k1 = h f(x + h/2, (y + Y)/2)
//   y' = Y
template <class State, class F>
[[gnu::always_inline]] inline PassOf<State> implicit_midpoint(F& f, const PointOf<State>& p,
                                                              double h) {
    const State start = f(p.x, p.y);
    if (!finite(start)) {
        return failed_at_start(p, start, h);
    }
    PassOf<State> pass;
    const double x_half = p.x + h / 2;
    State y1 = p.y + h * start;
    const NewtonResult newton = newton_solve(
        f, y1, x_half, h / 2, [&](const State& y) { return (p.y + y) / 2; },
        [&](const State& y, const State& slope) { return y - (p.y + h * slope); });
    pass.iterations = newton.iterations;
    pass.converged = newton.converged;
    pass.next = {p.x + h, y1};
    if (newton.converged) {
        const State k1 = stage(f, pass, 0, {x_half, (p.y + y1) / 2}, h);
        pass.k = {k1, zero_like(k1), zero_like(k1), zero_like(k1)};
    }
    return pass;
}

// The pass of `method`, chosen at each call.
template <class State, class F>
PassOf<State> pass_of(Method method, F& f, const PointOf<State>& p, double h) {
    switch (method) {
    case Method::euler:
        return euler(f, p, h);
    case Method::heun:
        return heun(f, p, h);
    case Method::midpoint:
        return midpoint(f, p, h);
    case Method::rk3:
        return rk3(f, p, h);
    case Method::implicit_euler:
        return implicit_euler(f, p, h);
    case Method::trapezoid:
        return trapezoid(f, p, h);
    case Method::implicit_midpoint:
        return implicit_midpoint(f, p, h);
    case Method::rk4:
        break;
    }
    return rk4(f, p, h);
}

// What is wrong with a pass of `stage_count` stages, if anything, in the order its stages were
// evaluated: a stage point that is not finite, then (where a NaN of f means that f is undefined,
// as for every typed formula) a slope with a NaN component, then an increment that is not
// finite; last the point reached. `end` gets the stage point and component of an undefined f.
template <class State>
Failure failure_of(const PassOf<State>& pass, std::size_t stage_count, bool nan_is_undefined,
                   RunEndOf<State>* end) {
    if (!pass.converged) {
        return Failure::newton;
    }
    for (std::size_t s = 0; s < stage_count; ++s) {
        if (!finite(pass.points[s])) {
            return Failure::overflow;
        }
        if (nan_is_undefined) {
            if (const std::size_t i = first_nan(pass.slopes[s]);
                i < component_count(pass.slopes[s])) {
                if (end) {
                    end->where = pass.points[s];
                    end->component = i;
                }
                return Failure::undefined;
            }
        }
        if (!finite(pass.k[s])) {
            return Failure::overflow;
        }
    }
    return finite(pass.next) ? Failure::none : Failure::overflow;
}

// Whether every value that failure_of looks at is finite, told without a branch: the four stage
// points, the four increments and the point reached, in every place of their state (for a
// Vector the places beyond its components too). v - v is 0 for a finite v and NaN for an
// infinity or a NaN, so the sum of those differences is 0 exactly when all are finite; it is
// computed beside the pass and changes none of its values. Every pass that failure_of refuses
// is refused here too (a NaN slope makes a NaN increment); a pass refused here may still be one
// that failure_of accepts (a value beyond the method's stages or the state's components is not
// finite), so this only picks the passes that failure_of is to look at.
template <class State>
[[gnu::always_inline]] inline bool finite_throughout(const PassOf<State>& pass) {
    double x_sum = pass.next.x - pass.next.x;
    State y_sum = pass.next.y - pass.next.y;
    for (std::size_t s = 0; s < pass.points.size(); ++s) {
        x_sum = x_sum + (pass.points[s].x - pass.points[s].x);
        y_sum = y_sum + (pass.points[s].y - pass.points[s].y);
        y_sum = y_sum + (pass.k[s] - pass.k[s]);
    }
    return pass.converged && x_sum == 0 && zero_in_every_place(y_sum);
}

// Makes `count` passes of step h from `start` with the pass `method`, checking each pass as
// failure_of does and stopping at the first that fails. The loop tells a finite pass in one go
// and asks failure_of only about the others. The end counts the Newton iterations of the passes.
template <class State, class F, PassOf<State> (*method)(F&, const PointOf<State>&, double)>
RunEndOf<State> checked_run(F& f, std::size_t stage_count, bool nan_is_undefined,
                            PointOf<State> start, double h, int count) {
    PointOf<State> p = start;
    std::size_t iterations = 0;
    for (int i = 0; i < count; ++i) {
        const PassOf<State> pass = method(f, p, h);
        iterations += static_cast<std::size_t>(pass.iterations);
        if (!finite_throughout(pass)) [[unlikely]] {
            RunEndOf<State> end{pass.next, false};
            end.iterations = iterations;
            if (const Failure failure = failure_of(pass, stage_count, nan_is_undefined, &end);
                failure != Failure::none) {
                end.failure = failure;
                if (failure == Failure::newton) {
                    end.where = p;
                }
                return end;
            }
        }
        p = pass.next;
    }
    RunEndOf<State> end{p, true};
    end.iterations = iterations;
    return end;
}

// The same with the method chosen once for the whole run.
template <class State, class F>
RunEndOf<State> checked_run(Method method, F& f, std::size_t stage_count, bool nan_is_undefined,
                            PointOf<State> start, double h, int count) {
    switch (method) {
    case Method::euler:
        return checked_run<State, F, euler<State, F>>(f, stage_count, nan_is_undefined, start, h,
                                                      count);
    case Method::heun:
        return checked_run<State, F, heun<State, F>>(f, stage_count, nan_is_undefined, start, h,
                                                     count);
    case Method::midpoint:
        return checked_run<State, F, midpoint<State, F>>(f, stage_count, nan_is_undefined, start, h,
                                                         count);
    case Method::rk3:
        return checked_run<State, F, rk3<State, F>>(f, stage_count, nan_is_undefined, start, h,
                                                    count);
    case Method::implicit_euler:
        return checked_run<State, F, implicit_euler<State, F>>(f, stage_count, nan_is_undefined,
                                                               start, h, count);
    case Method::trapezoid:
        return checked_run<State, F, trapezoid<State, F>>(f, stage_count, nan_is_undefined, start,
                                                          h, count);
    case Method::implicit_midpoint:
        return checked_run<State, F, implicit_midpoint<State, F>>(f, stage_count, nan_is_undefined,
                                                                  start, h, count);
    case Method::rk4:
        break;
    }
    return checked_run<State, F, rk4<State, F>>(f, stage_count, nan_is_undefined, start, h, count);
}

} // namespace passes

} // namespace calc
