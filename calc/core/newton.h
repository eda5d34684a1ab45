// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Newton's method for the equation G(Y) = 0 of an implicit pass, written once over the state
// type. G(Y) = Y - (y + c·(… + f(x_e, a(Y)))) for the method's x_e and argument a(Y), so that
// G'(Y) = I - θ·h·J with J = ∂f/∂y at (x_e, a(Y)). Each iteration
//   evaluates f at (x_e, a(Y)) and G there, then J by central differences (calc/core/jacobian.h),
//   solves G'·ΔY = -G and sets Y ← Y + ΔY,
// and the iteration stops after the update with ‖ΔY‖∞ ≤ 10⁻¹²·(1 + ‖Y‖∞). It fails after
// max_newton_iterations iterations without that, where G' is singular, or where f, J or the
// iterate is not finite.

#include "calc/core/jacobian.h"
#include "calc/core/state.h"

#include <cmath>
#include <optional>

namespace calc {

inline constexpr int max_newton_iterations = 20;
inline constexpr double newton_tolerance = 1e-12;

// G' = I - θh·J counts as singular when its smallest pivot is at most this much of its scale
// 1 + ‖θh·J‖∞: J itself is known to about ∛ε only, so a smaller pivot is zero up to rounding.
inline constexpr double singular_pivot = 1e-8;

// ΔY with (1 - θh·J)·ΔY = -G; none where 1 - θh·J is singular.
inline std::optional<double> newton_step(double j, double theta_h, double g) {
    const double slope = 1 - theta_h * j;
    if (!(std::fabs(slope) > singular_pivot * (1 + std::fabs(theta_h * j)))) {
        return std::nullopt;
    }
    return -g / slope;
}

// ΔY with (I - θh·J)·ΔY = -G, solved by a pivoted LU decomposition; none where I - θh·J is
// singular. A system of one component is solved as the scalar is.
std::optional<Vector> newton_step(const JacobianMatrix& j, double theta_h, const Vector& g);

struct NewtonResult {
    int iterations = 0;
    bool converged = false;
};

// Solves G(Y) = 0 from the Y given, which it leaves at the last iterate. argument(Y) is the point
// at which f is evaluated, residual(Y, f) is G(Y) from f there, theta_h is θ·h.
template <class State, class F, class Argument, class Residual>
[[gnu::always_inline]] inline NewtonResult newton_solve(F& f, State& y, double x_e, double theta_h,
                                                        Argument&& argument, Residual&& residual) {
    NewtonResult result;
    while (result.iterations < max_newton_iterations) {
        const State at = argument(y);
        const State slope = f(x_e, at);
        if (!finite(slope)) {
            return result;
        }
        const State g = residual(y, slope);
        const JacobianOf<State> j = jacobian(f, x_e, at);
        if (!finite(j)) {
            return result;
        }
        const std::optional<State> step = newton_step(j, theta_h, g);
        if (!step) {
            return result;
        }
        y = y + *step;
        ++result.iterations;
        if (!finite(y)) {
            return result;
        }
        if (max_norm(*step) <= newton_tolerance * (1 + max_norm(y))) {
            result.converged = true;
            return result;
        }
    }
    return result;
}

} // namespace calc
