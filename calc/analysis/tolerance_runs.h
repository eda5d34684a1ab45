// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The runs with step size control of several pairs at several tolerances, written once over the
// state (a scalar double or a system's Vector), on worker threads, with progress and cancel.
// The tolerance study (calc/analysis/tolerance_study.h) and the pairs side by side
// (calc/analysis/pair_comparison.h) are made of them.

#include "calc/analysis/errors.h"
#include "calc/analysis/study_runs.h"
#include "calc/analysis/worker_threads.h"
#include "calc/core/adaptive.h"
#include "calc/core/point.h"
#include "calc/core/state.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <limits>
#include <optional>
#include <vector>

namespace calc {

// One run of a pair at one tolerance. A run that did not reach og (a failure, a step too small,
// too many attempts) has no values: `reached` is false and the rest is left as it is.
template <class State> struct ToleranceRunOf {
    double tolerance = 0;
    bool reached = false;
    AdaptiveTotals totals{};
    PointOf<State> end{}; // the last accepted point, x = og
    // Against the exact solution: y_end - exact(og), signed for a scalar, its maximum norm for a
    // system; without one the same of the difference to the run at the next smaller tolerance;
    // none where either is missing.
    std::optional<double> error;
};

// A pair's runs, one per tolerance, in the order the tolerances were given.
template <class State> struct PairRunsOf {
    Pair pair = Pair::dopri5;
    std::vector<ToleranceRunOf<State>> runs;
};

namespace tolerance_runs {

// The right-hand side is asked this often whether the runs are cancelled.
inline constexpr std::size_t cancel_check_interval = 1024;

inline double not_a_number_like(double) {
    return std::numeric_limits<double>::quiet_NaN();
}

inline Vector not_a_number_like(const Vector& y) {
    Vector v = y;
    for (std::size_t i = 0; i < v.size(); ++i) {
        v[i] = std::numeric_limits<double>::quiet_NaN();
    }
    return v;
}

// What the runs need of a problem, for a Problem with a State:
//   SlopeOf<State> slope() const;      // evaluating this object's own formulas
//   PointOf<State> start() const;
//   double og() const;
//   bool nan_is_undefined() const;
//   bool has_exact() const;
//   std::optional<State> exact(double x) const; // through the start
// A copy of a Problem evaluates on its own, so each worker takes one.

// The run of `pair` at `tol`; none when cancelled during it. While it runs, f asks the progress
// now and then whether to stop, and once told to it gives NaN, which ends the run at once.
template <class Problem, class State = typename Problem::State>
std::optional<ToleranceRunOf<State>> run_one(const Problem& problem, Pair pair, double tol,
                                             study_runs::Progress& progress,
                                             std::atomic<bool>& cancelled) {
    const SlopeOf<State> f = problem.slope();
    std::size_t calls = 0;
    const SlopeOf<State> watched = [&](double x, const State& y) -> State {
        if (++calls % cancel_check_interval == 0 && !progress.report(0)) {
            cancelled = true;
        }
        if (cancelled) {
            return not_a_number_like(y);
        }
        return f(x, y);
    };
    const AdaptiveRunOf<State> run = adaptive_run<State>(
        pair, watched, problem.start(), problem.og(), tol, problem.nan_is_undefined());
    if (cancelled) {
        return std::nullopt;
    }
    ToleranceRunOf<State> result;
    result.tolerance = tol;
    result.reached = run.stop == AdaptiveStop::reached;
    if (result.reached) {
        result.totals = totals_of(run);
        result.end = run.end.point;
    }
    return result;
}

// The errors of one pair's runs: against the exact solution, or where there is none and
// `against_next` against the run at the next tolerance in the list.
template <class Problem, class State = typename Problem::State>
void assess(PairRunsOf<State>& pair, const Problem& problem, bool against_next) {
    std::vector<ToleranceRunOf<State>>& runs = pair.runs;
    for (std::size_t j = 0; j < runs.size(); ++j) {
        ToleranceRunOf<State>& r = runs[j];
        if (!r.reached) {
            continue;
        }
        if (problem.has_exact()) {
            r.error = difference(r.end.y, problem.exact(r.end.x));
        } else if (against_next && j + 1 < runs.size() && runs[j + 1].reached) {
            r.error = difference(r.end.y, std::optional<State>(runs[j + 1].end.y));
        }
    }
}

// Every pair at every tolerance on up to `threads` threads, the smallest tolerances first, as
// they take longest; none when cancelled.
template <class Problem, class State = typename Problem::State>
std::optional<std::vector<PairRunsOf<State>>>
run_pairs(const Problem& problem, const std::vector<Pair>& pairs,
          const std::vector<double>& tolerances, bool against_next, const StudyProgress& progress,
          int threads) {
    const std::size_t count = pairs.size() * tolerances.size();
    study_runs::Progress shared(progress, static_cast<int>(count));
    std::vector<std::optional<ToleranceRunOf<State>>> results(count);
    // Job k: the tolerance from the smallest, then the pair.
    const auto job = [&](std::size_t k) {
        const std::size_t j = tolerances.size() - 1 - k / pairs.size();
        const std::size_t i = k % pairs.size();
        return std::pair{i, j};
    };
    std::atomic<std::size_t> next{0};
    std::atomic<bool> cancelled{false};
    auto work = [&] {
        // Each worker evaluates its own copies of typed formulas.
        const Problem own = problem;
        for (std::size_t k = next++; k < count && !cancelled; k = next++) {
            const auto [i, j] = job(k);
            auto run = run_one(own, pairs[i], tolerances[j], shared, cancelled);
            if (!run || !shared.report(1)) {
                cancelled = true;
                break;
            }
            results[i * tolerances.size() + j] = std::move(run);
        }
    };
    run_on_threads(threads, count, work);
    if (cancelled) {
        return std::nullopt;
    }
    std::vector<PairRunsOf<State>> out;
    out.reserve(pairs.size());
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        PairRunsOf<State> pair{pairs[i], {}};
        pair.runs.reserve(tolerances.size());
        for (std::size_t j = 0; j < tolerances.size(); ++j) {
            pair.runs.push_back(std::move(*results[i * tolerances.size() + j]));
        }
        assess(pair, problem, against_next);
        out.push_back(std::move(pair));
    }
    return out;
}

} // namespace tolerance_runs

} // namespace calc
