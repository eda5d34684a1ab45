// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The run with step size control: an embedded pair (calc/core/embedded.h) makes attempts from
// ug towards og, each attempt's error estimate decides whether it is accepted and which step the
// next attempt takes. Every attempt is recorded, so that the course of the control can be shown.
//
// The controller, with one tolerance tol as relative and as absolute tolerance:
// - For an attempt from y to y_new with estimate e: sk_i = tol + tol max(|y_i|, |y_new_i|) and
//   err = sqrt((1/n) sum (e_i / sk_i)^2) over the n components. Accepted when err <= 1.
// - The next step is h fac with fac = 0.9 err^(-1/(q+1)) limited to [0.2, 5] (err = 0 gives 5),
//   q the order of the estimate; an accepted attempt right after a rejected one takes fac <= 1.
// - The first step is found from f and one Euler step at the start (initial_step).
// - An attempt that would pass og ends at og, and the last accepted point has x = og exactly.
// - The run stops when the step it needs is below 10 units in the last place of x, after
//   max_attempts attempts, or at a value that is not finite (as a fixed run does).

#include "calc/core/embedded.h"
#include "calc/core/passes.h"
#include "calc/core/point.h"
#include "calc/core/state.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

// The embedded pairs, in the order they are listed.
enum class Pair { bs23, rkf45, dopri5 };

struct PairInfo {
    Pair id;
    std::string_view name;       // in the window: "Dormand-Prince 5(4), adaptiv"
    std::string_view cli_name;   // on the command line: "dopri5"
    int order;                   // of the solution carried on
    int estimate_order;          // q, of the error estimate
    std::string_view short_name; // in captions and legends: "Dormand-Prince"
    int stage_count;             // stages of an attempt
    bool fsal;                   // the last stage's slope is the next attempt's first
    std::uint32_t colour;        // 0xRRGGBB, its plots' colour
};

inline constexpr std::array<PairInfo, 3> pair_table = {{
    {Pair::bs23, "Bogacki-Shampine 3(2), adaptiv", "bs23", 3, 2, "Bogacki-Shampine", 4, true,
     0x8c564b},
    {Pair::rkf45, "Runge-Kutta-Fehlberg 4(5), adaptiv", "rkf45", 4, 4, "Fehlberg", 6, false,
     0xe377c2},
    {Pair::dopri5, "Dormand-Prince 5(4), adaptiv", "dopri5", 5, 4, "Dormand-Prince", 7, true,
     0x17becf},
}};

constexpr const PairInfo& pair_info(Pair pair) {
    return pair_table[static_cast<std::size_t>(pair)];
}

// The pair of a command-line name; none for an unknown name.
std::optional<Pair> pair_named(std::string_view cli_name);

// The attempts a run makes at most before it gives up.
inline constexpr std::size_t max_attempts = 100000;

// The controller's factor limits and safety factor.
inline constexpr double min_factor = 0.2;
inline constexpr double max_factor = 5;
inline constexpr double safety_factor = 0.9;

// The right-hand side f(x, y) of a run: a scalar equation or a system.
template <class State> using SlopeOf = std::function<State(double x, const State& y)>;

// The error of an attempt from y to y_new with estimate e, relative to tol (see above).
double error_norm(double e, double y, double y_new, double tol);
double error_norm(const Vector& e, const Vector& y, const Vector& y_new, double tol);

// The factor of the next step after an attempt with error err of an estimate of order q;
// `no_growth` (an accepted attempt right after a rejected one) limits it to 1.
double step_factor(double err, int q, bool no_growth);

// The first step of a run from (x0, y0) towards og: from f0 = f(x0, y0), sk = tol + tol |y0|,
// d0 = RMS(y0 / sk) and d1 = RMS(f0 / sk), |h0| = 1e-6 when d0 or d1 is below 1e-5, else
// 0.01 d0 / d1, at most |og - x0|; then from f1 at the Euler step y1 = y0 + h0 f0 and
// d2 = RMS((f1 - f0) / sk) / |h0|, |h1| = max(1e-6, 1e-3 |h0|) when d1 and d2 are both at most
// 1e-15, else (0.01 / max(d1, d2))^(1/(q+1)); |h| = min(100 |h0|, |h1|, |og - x0|), with the sign
// of og - x0. `h0` is the Euler step and `f1` its slope, which the caller evaluated.
double first_step_guess(double y0, double f0, double tol, double span);
double first_step_guess(const Vector& y0, const Vector& f0, double tol, double span);
double first_step(double y0, double f0, double f1, double h0, double tol, int q, double span);
double first_step(const Vector& y0, const Vector& f0, const Vector& f1, double h0, double tol,
                  int q, double span);

// One attempt as the run made it: its start (x, y), its signed step h, the stages' increments
// k1..ks (the rest zero), its error err, the factor fac of the step after it, and whether it was
// accepted.
template <class State> struct AttemptOf {
    double x = 0;
    double h = 0;
    State y{};
    std::array<State, max_stages> k{};
    double err = 0;
    double fac = 0;
    bool accepted = false;
};

// Why a run with step size control ended.
enum class AdaptiveStop {
    reached,           // at og: end.point is the last accepted point, x = og exactly
    failed,            // a value that was not finite: end.failure, as for a fixed run
    step_too_small,    // the step needed at end.point.x is below 10 units in its last place
    too_many_attempts, // max_attempts attempts did not reach og
    invalid,           // tol not finite and positive, or a bound not finite: no attempt made
};

// What a run with step size control gives: how it ended, its last accepted point (or, for a
// failure, what RunEndOf tells of it), every attempt and the totals. A run from ug == og makes no
// attempt and calls f never: its start is its end.
template <class State> struct AdaptiveRunOf {
    AdaptiveStop stop = AdaptiveStop::reached;
    RunEndOf<State> end{};
    std::vector<AttemptOf<State>> attempts;
    std::size_t accepted = 0;
    std::size_t rejected = 0;
    std::size_t evaluations = 0; // calls of f, each counted once
};

// The counts of a run that its line and its course show.
struct AdaptiveTotals {
    std::size_t accepted = 0;
    std::size_t rejected = 0;
    std::size_t evaluations = 0;
};

template <class State> AdaptiveTotals totals_of(const AdaptiveRunOf<State>& run) {
    return {run.accepted, run.rejected, run.evaluations};
}

// What a result line of a run with step size control adds: its pair, its tolerance and its totals.
struct AdaptiveLine {
    Pair pair = Pair::dopri5;
    double tolerance = 0;
    std::string tolerance_text; // as format_general writes it: "1E-06"
    AdaptiveTotals totals;
};

// The tolerance a pair takes where none is typed: the window's first text, the command line's
// default.
inline constexpr std::string_view default_tolerance_text = "1E-6";

// The tolerances that are accepted, both ends included.
inline constexpr double min_tolerance = 1e-13;
inline constexpr double max_tolerance = 0.1;

using AdaptiveRun = AdaptiveRunOf<double>;
using SystemAdaptiveRun = AdaptiveRunOf<Vector>;

// The run of `pair` from `start` to x = og with tolerance tol. A NaN of f is an undefined f
// where `nan_is_undefined` (every typed formula), else an overflow.
template <class State>
AdaptiveRunOf<State> adaptive_run(Pair pair, const SlopeOf<State>& f, const PointOf<State>& start,
                                  double og, double tol, bool nan_is_undefined);

extern template AdaptiveRunOf<double> adaptive_run(Pair, const SlopeOf<double>&,
                                                   const PointOf<double>&, double, double, bool);
extern template AdaptiveRunOf<Vector> adaptive_run(Pair, const SlopeOf<Vector>&,
                                                   const PointOf<Vector>&, double, double, bool);

} // namespace calc
