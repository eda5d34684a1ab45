// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The embedded Runge-Kutta pairs: a coefficient table and one attempt of step h made from it,
// written once over the state type (a scalar double or a system's Vector, each operation
// componentwise) as the fixed-step passes are (calc/core/passes.h).
//
// An attempt from (x, y) with the table's c, a, b and E:
//   k_i   = h f(x + c_i h, y + (a_i1 k1 + a_i2 k2 + ...))
//   y_new = y + (b1 k1 + b2 k2 + ...)
//   e     = E1 k1 + E2 k2 + ...
// Each sum is formed first, left to right, and then added to y. It runs over the table's nonzero
// coefficients only: for finite k this gives the bits of adding the 0 k_j terms as well (s + 0 is
// s for every nonzero s; only the sign of a zero sum can differ), and it keeps a 0 * inf of a stage
// that the sum does not use from making a NaN that would be reported as an undefined f.

#include "calc/core/passes.h"
#include "calc/core/point.h"
#include "calc/core/state.h"

#include <array>
#include <cstddef>

namespace calc {

// The most stages a pair has (Dormand-Prince).
inline constexpr std::size_t max_stages = 7;

// The coefficients of a pair of S stages: the nodes c, the matrix a (a[i][j] for j < i, the
// rest 0), the weights b of the solution carried on and the weights E of the error estimate.
template <std::size_t S> struct PairTable {
    static constexpr std::size_t stages = S;
    std::array<double, S> c;
    std::array<std::array<double, S>, S> a;
    std::array<double, S> b;
    std::array<double, S> e;
};

// One attempt: where each stage evaluated f (the first is the attempt's start), the slope there,
// the increments k_i = h slope_i, the point reached (x + h, y_new) and the error estimate e. Only
// the pair's stages are filled; the rest stay zero.
template <class State> struct AttemptStagesOf {
    std::size_t stage_count = 0;
    std::array<PointOf<State>, max_stages> points{};
    std::array<State, max_stages> slopes{};
    std::array<State, max_stages> k{};
    PointOf<State> next{};
    State e{};

    // f at the last stage; for a pair whose last stage is at (x + h, y_new) it is the first
    // slope of the next attempt.
    const State& last_slope() const { return slopes[stage_count - 1]; }
};

namespace embedded {

// The sum w_0 k_0 + w_1 k_1 + ... over j < count with w_j != 0, left to right; `any` tells
// whether it has a term at all.
template <class State, std::size_t S>
[[gnu::always_inline]] inline State weighted_sum(const std::array<double, S>& w,
                                                 const std::array<State, max_stages>& k,
                                                 std::size_t count, bool& any) {
    State sum = zero_like(k[0]);
    any = false;
    for (std::size_t j = 0; j < count; ++j) {
        if (w[j] != 0) {
            sum = any ? sum + w[j] * k[j] : w[j] * k[j];
            any = true;
        }
    }
    return sum;
}

// y + (sum), or y itself when the sum has no term.
template <class State, std::size_t S>
[[gnu::always_inline]] inline State plus_weighted(const State& y, const std::array<double, S>& w,
                                                  const std::array<State, max_stages>& k,
                                                  std::size_t count) {
    bool any = false;
    const State sum = weighted_sum(w, k, count, any);
    return any ? y + sum : y;
}

} // namespace embedded

// One attempt of step h from p with the table's pair. `first_slope` is f(p.x, p.y), which the
// caller has: the slope at the start of the run, the last slope of the accepted attempt before
// (a pair whose last stage is its end point), or the first slope of a rejected attempt from the
// same point. f is called once for each further stage.
template <std::size_t S, class State, class F>
[[gnu::always_inline]] inline AttemptStagesOf<State> attempt(const PairTable<S>& table, F& f,
                                                             const PointOf<State>& p, double h,
                                                             const State& first_slope) {
    static_assert(S >= 2 && S <= max_stages);
    AttemptStagesOf<State> out;
    out.stage_count = S;
    out.points[0] = p;
    out.slopes[0] = first_slope;
    out.k[0] = h * first_slope;
    for (std::size_t i = 1; i < S; ++i) {
        out.points[i] = {p.x + table.c[i] * h, embedded::plus_weighted(p.y, table.a[i], out.k, i)};
        out.slopes[i] = f(out.points[i].x, out.points[i].y);
        out.k[i] = h * out.slopes[i];
    }
    out.next = {p.x + h, embedded::plus_weighted(p.y, table.b, out.k, S)};
    bool any = false;
    out.e = embedded::weighted_sum(table.e, out.k, S, any);
    return out;
}

// What is wrong with an attempt, if anything, in the order its stages were evaluated, as
// passes::failure_of tells it for a fixed pass: a stage point that is not finite, then (where a
// NaN of f means an undefined f) a slope with a NaN component, then an increment that is not
// finite; last the point reached and the error estimate. `end` gets the stage point and the
// component of an undefined f.
template <class State>
Failure attempt_failure(const AttemptStagesOf<State>& a, bool nan_is_undefined,
                        RunEndOf<State>* end) {
    for (std::size_t s = 0; s < a.stage_count; ++s) {
        if (!finite(a.points[s])) {
            return Failure::overflow;
        }
        if (nan_is_undefined) {
            if (const std::size_t i = first_nan(a.slopes[s]); i < component_count(a.slopes[s])) {
                if (end) {
                    end->where = a.points[s];
                    end->component = i;
                }
                return Failure::undefined;
            }
        }
        if (!finite(a.k[s])) {
            return Failure::overflow;
        }
    }
    return finite(a.next) && finite(a.e) ? Failure::none : Failure::overflow;
}

} // namespace calc
