// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/point.h"
#include "calc/problem/equation.h"
#include "calc/problem/exact_solution.h"

#include <vector>

namespace calc {

// Follows the solution of y' = f through `start` with passes of step h of the classical
// Runge-Kutta method, appending each point reached to `points`, until `passes` are made, a pass
// fails, or a point lies outside [low, high] in y (that point is appended).
void follow_solution(const Equation& f, Point start, double h, int passes, double low, double high,
                     std::vector<Point>& points);

// What sampling does where the exact solution has no value.
enum class Gap {
    ends_the_samples, // the path ends there, at a pole on the way
    is_left_out,      // the samples go on beyond it
};

// The exact solution through `start` (ug = start.x, aw = start.y) at `intervals` + 1 abscissas
// from start.x to `end`: start.x + span * (i / intervals), the last one `end` exactly, as a run
// reaches it; span is the caller's end - start.x as it formed it.
std::vector<Point> sample_exact(const ExactSolution& exact, Point start, double span, double end,
                                int intervals, Gap gap);

} // namespace calc
