// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/state.h"

#include <cmath>
#include <optional>

namespace calc {

// y - reference, where there is a reference and the difference is finite. A scalar keeps its
// sign.
inline std::optional<double> difference(double y, std::optional<double> reference) {
    if (!reference) {
        return std::nullopt;
    }
    const double d = y - *reference;
    if (!std::isfinite(d)) {
        return std::nullopt;
    }
    return d;
}

// The maximum norm of y - reference, where there is a reference and the norm is finite.
inline std::optional<double> difference(const Vector& y, const std::optional<Vector>& reference) {
    if (!reference) {
        return std::nullopt;
    }
    const double d = max_norm(y - *reference);
    if (!std::isfinite(d)) {
        return std::nullopt;
    }
    return d;
}

// How far the ends of two runs lie apart: a - b for a scalar, with its sign, and the maximum
// norm of a - b for a system's components.
inline double separation(double a, double b) {
    return a - b;
}

inline double separation(const Vector& a, const Vector& b) {
    return max_norm(a - b);
}

// The order that two errors show when the step halves, log2(|coarse| / |fine|) for the error
// with step h and the one with h/2; none where either is 0 or the order is not finite.
inline std::optional<double> log2_ratio(double coarse, double fine) {
    if (coarse == 0 || fine == 0) {
        return std::nullopt;
    }
    const double order = std::log2(std::fabs(coarse) / std::fabs(fine));
    if (!std::isfinite(order)) {
        return std::nullopt;
    }
    return order;
}

} // namespace calc
