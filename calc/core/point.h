// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/state.h"

#include <cmath>

namespace calc {

// A point (x, y) of a solution, y of the state type: a scalar or a system's components.
template <class State> struct PointOf {
    double x;
    State y;
};

// A point of a scalar solution.
using Point = PointOf<double>;
// A point of a system's solution.
using SystemPoint = PointOf<Vector>;

// Whether x and every component of y are finite.
template <class State> bool finite(const PointOf<State>& p) {
    return std::isfinite(p.x) && finite(p.y);
}

} // namespace calc
