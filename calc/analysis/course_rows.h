// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rows of a course and its observed order, written once over the state: a scalar double or a
// system's Vector (calc/core/state.h). Where one number stands for an error it is the signed
// difference for a scalar and the maximum norm for a system (calc/analysis/errors.h).

#include "calc/analysis/errors.h"
#include "calc/core/passes.h"
#include "calc/core/point.h"
#include "calc/core/steps.h"

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace calc {

// One point of a course: the point after `index` passes and what is known there.
template <class State> struct CourseRowOf {
    int index; // the row's number, from 0 at the start point: the passes made to reach it
    PointOf<State> point;
    std::optional<std::array<State, 4>> k; // of the pass that starts here; none on the last row
    std::optional<State> exact;  // the exact solution at point.x; none where it does not exist
    std::optional<double> error; // point.y - exact (for a system its maximum norm); none where
                                 // exact is none or the difference is not finite
    int iterations = 0;          // the Newton iterations of an implicit pass that starts here
};

// The rows from `start` through `passes` passes: make_pass(p) makes the pass that starts at p,
// exact_at(x) gives the exact solution at x or none. The passes follow one another as the run's
// loop makes them, so the rows' points are the run's to the bit.
template <class State, class MakePass, class ExactAt>
std::vector<CourseRowOf<State>> course_rows(PointOf<State> start, int passes, MakePass&& make_pass,
                                            ExactAt&& exact_at) {
    std::vector<CourseRowOf<State>> rows;
    rows.reserve(static_cast<std::size_t>(passes) + 1);
    PointOf<State> point = start;
    for (int index = 0; index <= passes; ++index) {
        std::optional<PassOf<State>> pass;
        if (index < passes) {
            pass = make_pass(point);
        }
        const std::optional<State> exact = exact_at(point.x);
        rows.push_back({index, point,
                        pass ? std::optional<std::array<State, 4>>(pass->k) : std::nullopt, exact,
                        difference(point.y, exact), pass ? pass->iterations : 0});
        if (pass) {
            point = pass->next;
        }
    }
    return rows;
}

// The observed order of a method on the run of steps.passes passes of step steps.h that ended
// at `whole` (none where it failed): with an exact solution log2(|E(h)| / |E(h/2)|), else
// log2(|y_h - y_h/2| / |y_h/2 - y_h/4|) from the ends of three runs, each |…| the maximum norm
// for a system. run(h, passes) makes a run from the start and gives its RunEndOf<State>;
// exact_at(x) is asked only where has_exact.
template <class State, class Run, class ExactAt>
std::optional<double> order_after(const Steps& steps, Run&& run, bool has_exact, ExactAt&& exact_at,
                                  std::optional<PointOf<State>> whole) {
    if (steps.passes == 0 || !whole) {
        return std::nullopt;
    }
    if (has_exact) {
        const RunEndOf<State> half = run(steps.h / 2, 2 * steps.passes);
        if (!half.finite) {
            return std::nullopt;
        }
        const auto error = difference(whole->y, exact_at(whole->x));
        const auto half_error = difference(half.point.y, exact_at(half.point.x));
        if (!error || !half_error) {
            return std::nullopt;
        }
        return log2_ratio(*error, *half_error);
    }
    const RunEndOf<State> y2 = run(steps.h / 2, 2 * steps.passes);
    if (!y2.finite) {
        return std::nullopt;
    }
    const RunEndOf<State> y4 = run(steps.h / 4, 4 * steps.passes);
    if (!y4.finite) {
        return std::nullopt;
    }
    return log2_ratio(separation(whole->y, y2.point.y), separation(y2.point.y, y4.point.y));
}

} // namespace calc
