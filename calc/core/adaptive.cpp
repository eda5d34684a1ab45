// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/core/adaptive.h"

#include "calc/core/embedded.h"
#include "calc/core/pairs/bogacki_shampine.h"
#include "calc/core/pairs/dormand_prince.h"
#include "calc/core/pairs/fehlberg.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace calc {

namespace {

double component(double v, std::size_t) {
    return v;
}

double component(const Vector& v, std::size_t i) {
    return v[i];
}

// sqrt((1/n) sum (v_i / sk_i)^2) with sk_i = tol + tol max(|y_i|, |y_new_i|). Where a square
// overflows although every quotient is finite, the sum is made again scaled by the largest
// quotient, so that a large but finite norm is not taken for an infinite one.
template <class State>
double scaled_rms(const State& v, const State& y, const State& y_new, double tol) {
    const std::size_t n = component_count(v);
    std::array<double, max_components> q{};
    double sum = 0;
    double largest = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double size = std::max(std::fabs(component(y, i)), std::fabs(component(y_new, i)));
        const double sk = tol + tol * size;
        q[i] = component(v, i) / sk;
        sum = sum + q[i] * q[i];
        largest = std::max(largest, std::fabs(q[i]));
    }
    const double rms = std::sqrt((1.0 / static_cast<double>(n)) * sum);
    if (std::isfinite(rms) || !std::isfinite(largest)) {
        return rms;
    }
    double scaled = 0;
    for (std::size_t i = 0; i < n; ++i) {
        scaled = scaled + (q[i] / largest) * (q[i] / largest);
    }
    return largest * std::sqrt((1.0 / static_cast<double>(n)) * scaled);
}

template <class State> double guess_of(const State& y0, const State& f0, double tol, double span) {
    const double d0 = scaled_rms(y0, y0, y0, tol);
    const double d1 = scaled_rms(f0, y0, y0, tol);
    double h0 = d0 < 1e-5 || d1 < 1e-5 ? 1e-6 : 0.01 * d0 / d1;
    h0 = std::min(h0, std::fabs(span));
    return std::copysign(h0, span);
}

template <class State>
double step_of(const State& y0, const State& f0, const State& f1, double h0, double tol, int q,
               double span) {
    const double d1 = scaled_rms(f0, y0, y0, tol);
    const double d2 = scaled_rms(State(f1 - f0), y0, y0, tol) / std::fabs(h0);
    const double h1 = d1 <= 1e-15 && d2 <= 1e-15 ? std::max(1e-6, std::fabs(h0) * 1e-3)
                                                 : std::pow(0.01 / std::max(d1, d2), 1.0 / (q + 1));
    double h = std::min({100 * std::fabs(h0), h1, std::fabs(span)});
    if (!(h > 0)) {
        h = 0; // a NaN (no h0 at all) is a step too small, not a run without end
    }
    return std::copysign(h, span);
}

// The spacing of the doubles at x: one unit in its last place.
double ulp_at(double x) {
    const double size = std::fabs(x);
    return std::nextafter(size, std::numeric_limits<double>::infinity()) - size;
}

// Whether f's value at p fails the run; the end then tells where and why.
template <class State>
bool slope_fails(const State& slope, const PointOf<State>& p, bool nan_is_undefined,
                 RunEndOf<State>& end) {
    if (!finite(p)) {
        end.failure = Failure::overflow;
        return true;
    }
    if (nan_is_undefined) {
        if (const std::size_t i = first_nan(slope); i < component_count(slope)) {
            end.failure = Failure::undefined;
            end.where = p;
            end.component = i;
            return true;
        }
    }
    if (!finite(slope)) {
        end.failure = Failure::overflow;
        return true;
    }
    return false;
}

// Ends the run at a failure found before or between attempts, at `at`.
template <class State> void fail_at(AdaptiveRunOf<State>& run, const PointOf<State>& at) {
    run.stop = AdaptiveStop::failed;
    run.end.point = at;
    run.end.finite = false;
}

// The run of one pair, its table fixed for the whole run.
template <std::size_t S, class State>
AdaptiveRunOf<State> run_with(const PairTable<S>& table, const PairInfo& info,
                              const SlopeOf<State>& f, const PointOf<State>& start, double og,
                              double tol, bool nan_is_undefined) {
    AdaptiveRunOf<State> run;
    run.end = {start, true};
    if (!(std::isfinite(tol) && tol > 0) || !std::isfinite(start.x) || !std::isfinite(og)) {
        run.stop = AdaptiveStop::invalid;
        run.end.finite = false;
        return run;
    }
    if (start.x == og) {
        return run; // nothing to integrate: the start is the end, f is not called
    }
    if (!finite(start.y)) {
        run.end.failure = Failure::overflow;
        fail_at(run, start);
        return run;
    }
    State slope = f(start.x, start.y);
    run.evaluations = 1;
    if (slope_fails(slope, start, nan_is_undefined, run.end)) {
        fail_at(run, start);
        return run;
    }
    const double span = og - start.x;
    const double h0 = first_step_guess(start.y, slope, tol, span);
    const PointOf<State> euler{start.x + h0, start.y + h0 * slope};
    const State euler_slope = f(euler.x, euler.y);
    run.evaluations = 2;
    if (slope_fails(euler_slope, euler, nan_is_undefined, run.end)) {
        fail_at(run, euler);
        return run;
    }
    double h = first_step(start.y, slope, euler_slope, h0, tol, info.estimate_order, span);

    const double direction = span > 0 ? 1 : -1;
    PointOf<State> p = start;
    bool after_rejection = false;
    run.attempts.reserve(64);
    while (true) {
        if (run.attempts.size() >= max_attempts) {
            run.stop = AdaptiveStop::too_many_attempts;
            run.end = {p, true};
            return run;
        }
        // The step the control asks for is checked, not the last one shortened to og.
        if (!(std::fabs(h) >= 10 * ulp_at(p.x))) {
            run.stop = AdaptiveStop::step_too_small;
            run.end = {p, true};
            return run;
        }
        bool last = false;
        if (const double reached = p.x + h; direction * (reached - og) > 0) {
            h = og - p.x;
            last = true;
        } else if (reached == og) {
            last = true;
        }
        const AttemptStagesOf<State> a = attempt(table, f, p, h, slope);
        run.evaluations += S - 1;
        RunEndOf<State> end{a.next, false};
        if (const Failure failure = attempt_failure(a, nan_is_undefined, &end);
            failure != Failure::none) {
            end.failure = failure;
            run.stop = AdaptiveStop::failed;
            run.end = end;
            return run;
        }
        AttemptOf<State> record{p.x, h, p.y, a.k, error_norm(a.e, p.y, a.next.y, tol), 0, false};
        record.accepted = record.err <= 1;
        record.fac =
            step_factor(record.err, info.estimate_order, record.accepted && after_rejection);
        run.attempts.push_back(record);
        if (!record.accepted) {
            ++run.rejected;
            after_rejection = true;
            h = h * record.fac;
            continue; // the first slope stays: it is f at the same point
        }
        ++run.accepted;
        after_rejection = false;
        p = {last ? og : a.next.x, a.next.y};
        if (last) {
            run.end = {p, true};
            return run;
        }
        if (info.fsal) {
            slope = a.last_slope();
        } else {
            slope = f(p.x, p.y);
            ++run.evaluations;
            if (slope_fails(slope, p, nan_is_undefined, run.end)) {
                fail_at(run, p);
                return run;
            }
        }
        h = h * record.fac;
    }
}

} // namespace

std::optional<Pair> pair_named(std::string_view cli_name) {
    for (const PairInfo& info : pair_table) {
        if (info.cli_name == cli_name) {
            return info.id;
        }
    }
    return std::nullopt;
}

double error_norm(double e, double y, double y_new, double tol) {
    return scaled_rms(e, y, y_new, tol);
}

double error_norm(const Vector& e, const Vector& y, const Vector& y_new, double tol) {
    return scaled_rms(e, y, y_new, tol);
}

double step_factor(double err, int q, bool no_growth) {
    double fac = max_factor;
    if (err != 0) {
        fac = std::clamp(safety_factor * std::pow(err, -1.0 / (q + 1)), min_factor, max_factor);
    }
    return no_growth ? std::min(fac, 1.0) : fac;
}

double first_step_guess(double y0, double f0, double tol, double span) {
    return guess_of(y0, f0, tol, span);
}

double first_step_guess(const Vector& y0, const Vector& f0, double tol, double span) {
    return guess_of(y0, f0, tol, span);
}

double first_step(double y0, double f0, double f1, double h0, double tol, int q, double span) {
    return step_of(y0, f0, f1, h0, tol, q, span);
}

double first_step(const Vector& y0, const Vector& f0, const Vector& f1, double h0, double tol,
                  int q, double span) {
    return step_of(y0, f0, f1, h0, tol, q, span);
}

template <class State>
AdaptiveRunOf<State> adaptive_run(Pair pair, const SlopeOf<State>& f, const PointOf<State>& start,
                                  double og, double tol, bool nan_is_undefined) {
    const PairInfo& info = pair_info(pair);
    switch (pair) {
    case Pair::bs23:
        return run_with(pairs::bogacki_shampine, info, f, start, og, tol, nan_is_undefined);
    case Pair::rkf45:
        return run_with(pairs::fehlberg, info, f, start, og, tol, nan_is_undefined);
    case Pair::dopri5:
        break;
    }
    return run_with(pairs::dormand_prince, info, f, start, og, tol, nan_is_undefined);
}

template AdaptiveRunOf<double> adaptive_run(Pair, const SlopeOf<double>&, const PointOf<double>&,
                                            double, double, bool);
template AdaptiveRunOf<Vector> adaptive_run(Pair, const SlopeOf<Vector>&, const PointOf<Vector>&,
                                            double, double, bool);

} // namespace calc
