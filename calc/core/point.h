// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

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

} // namespace calc
