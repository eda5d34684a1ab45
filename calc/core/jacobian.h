// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Jacobian J = ∂f/∂y of a right-hand side, by central differences, for the Newton iterations
// of the implicit methods and the h·λ of the stability page. Column j at the point p is
//   (f(x, p + δ_j e_j) - f(x, p - δ_j e_j)) / (2 δ_j),  δ_j = ∛ε · max(1, |p_j|),
// for every right-hand side alike, the compiled default included.

#include "calc/core/state.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <type_traits>

namespace calc {

// The cube root of the double's epsilon, the step of a central difference.
inline constexpr double difference_step = 6.0554544523933395e-6;

// The Jacobian of a system: m[i][j] = ∂f_i/∂y_j for i, j < n.
struct JacobianMatrix {
    std::array<std::array<double, max_components>, max_components> m{};
    std::size_t n = 0;
};

// The Jacobian of a state's right-hand side: a double for a scalar equation.
template <class State>
using JacobianOf = std::conditional_t<std::is_same_v<State, double>, double, JacobianMatrix>;

inline double difference_step_at(double p) {
    return difference_step * std::max(1.0, std::fabs(p));
}

// ∂f/∂y of a scalar equation at (x, p).
template <class F> double jacobian(F& f, double x, double p) {
    const double d = difference_step_at(p);
    return (f(x, p + d) - f(x, p - d)) / (2 * d);
}

// J of a system at (x, p), column by column.
template <class F> JacobianMatrix jacobian(F& f, double x, const Vector& p) {
    JacobianMatrix j{{}, p.n};
    for (std::size_t col = 0; col < p.n; ++col) {
        const double d = difference_step_at(p[col]);
        Vector plus = p;
        Vector minus = p;
        plus[col] = p[col] + d;
        minus[col] = p[col] - d;
        const Vector up = f(x, plus);
        const Vector down = f(x, minus);
        for (std::size_t row = 0; row < p.n; ++row) {
            j.m[row][col] = (up[row] - down[row]) / (2 * d);
        }
    }
    return j;
}

// The evaluations of f that a Jacobian of n components costs.
constexpr std::size_t jacobian_evaluations(std::size_t components) {
    return 2 * components;
}

inline bool finite(const JacobianMatrix& j) {
    for (std::size_t row = 0; row < j.n; ++row) {
        for (std::size_t col = 0; col < j.n; ++col) {
            if (!std::isfinite(j.m[row][col])) {
                return false;
            }
        }
    }
    return true;
}

} // namespace calc
