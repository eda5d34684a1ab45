// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/rk4.h"

#include <cmath>

namespace calc {

namespace {

// The right-hand side f(x, y) = -x * y^2, with the negation on the abscissa.
double slope(double x, double y) {
    return (-x) * (y * y);
}

constexpr double one_sixth = 1.0 / 6.0;

} // namespace

Stages rk4_stages(Point p, double h) {
    // k1 = h f(x, y)
    // k2 = h f(x + h/2, y + k1/2)
    // k3 = h f(x + h/2, y + k2/2)
    // k4 = h f(x + h, y + k3)
    const double k1 = h * slope(p.x, p.y);
    const double k2 = h * slope(p.x + h / 2, p.y + k1 / 2);
    const double k3 = h * slope(p.x + h / 2, p.y + k2 / 2);
    const double k4 = h * slope(p.x + h, p.y + k3);
    return {k1, k2, k3, k4};
}

Point rk4_advance(Point p, double h, const Stages& k) {
    // y' = y + 1/6 (k1 + 2 k2 + 2 k3 + k4), summed left to right
    // x' = x + h
    return {p.x + h, p.y + one_sixth * (((k.k1 + 2 * k.k2) + 2 * k.k3) + k.k4)};
}

Point rk4_pass(Point p, double h) {
    return rk4_advance(p, h, rk4_stages(p, h));
}

RunEnd rk4_run(Point start, double h, int passes) {
    Point p = start;
    for (int i = 0; i < passes; ++i) {
        p = rk4_pass(p, h);
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            return {p, false};
        }
    }
    return {p, true};
}

} // namespace calc
