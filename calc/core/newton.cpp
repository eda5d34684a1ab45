// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/core/newton.h"

#include <Eigen/LU>

#include <algorithm>

namespace calc {

std::optional<Vector> newton_step(const JacobianMatrix& j, double theta_h, const Vector& g) {
    const std::size_t n = g.n;
    if (n == 1) {
        const std::optional<double> step = newton_step(j.m[0][0], theta_h, g[0]);
        if (!step) {
            return std::nullopt;
        }
        Vector out{{}, 1};
        out[0] = *step;
        return out;
    }
    using Matrix =
        Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, 0, max_components, max_components>;
    using Column = Eigen::Matrix<double, Eigen::Dynamic, 1, 0, max_components, 1>;
    const auto size = static_cast<Eigen::Index>(n);
    Matrix a(size, size);
    Column rhs(size);
    double scale = 0;
    for (std::size_t row = 0; row < n; ++row) {
        double row_sum = 0;
        for (std::size_t col = 0; col < n; ++col) {
            const double part = theta_h * j.m[row][col];
            row_sum += std::fabs(part);
            a(static_cast<Eigen::Index>(row), static_cast<Eigen::Index>(col)) =
                (row == col ? 1.0 : 0.0) - part;
        }
        scale = std::max(scale, row_sum);
        rhs(static_cast<Eigen::Index>(row)) = -g[row];
    }
    const Eigen::FullPivLU<Matrix> lu(a);
    const double smallest = lu.matrixLU().diagonal().cwiseAbs().minCoeff();
    if (!(smallest > singular_pivot * (1 + scale))) {
        return std::nullopt;
    }
    const Column step = lu.solve(rhs);
    Vector out{{}, n};
    for (std::size_t i = 0; i < n; ++i) {
        out[i] = step(static_cast<Eigen::Index>(i));
    }
    return out;
}

} // namespace calc
