// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a method carries from pass to pass: the solution's value y, either a scalar double or a
// Vector of a system's components. The methods are written once over this state type; for a
// Vector every operation of a pass is made componentwise, each component rounded exactly as the
// scalar would be, so that a system of one component gives the scalar's bits.

#include <array>
#include <cmath>
#include <cstddef>

namespace calc {

// The most components a system has.
inline constexpr std::size_t max_components = 4;

// The components y1..yn of a system's solution, n at most max_components.
struct Vector {
    std::array<double, max_components> c{};
    std::size_t n = 0;

    std::size_t size() const { return n; }
    double& operator[](std::size_t i) { return c[i]; }
    double operator[](std::size_t i) const { return c[i]; }
    const double* begin() const { return c.data(); }
    const double* end() const { return c.data() + n; }
};

// The componentwise operations a pass is made of. Each is one rounded operation per component,
// in the order the scalar writes it: a + b, a - b, s * a, a / s. Every place is computed, those
// beyond the components too (zeros, as calc makes its vectors), so that each operation is a
// loop of fixed length that the compiler unrolls into packed operations. A component's result
// depends on that component alone, so it has the bits that a loop over the components gives.
[[gnu::always_inline]] inline Vector operator+(const Vector& a, const Vector& b) {
    Vector r{{}, a.n};
    for (std::size_t i = 0; i < max_components; ++i) {
        r.c[i] = a.c[i] + b.c[i];
    }
    return r;
}

[[gnu::always_inline]] inline Vector operator-(const Vector& a, const Vector& b) {
    Vector r{{}, a.n};
    for (std::size_t i = 0; i < max_components; ++i) {
        r.c[i] = a.c[i] - b.c[i];
    }
    return r;
}

[[gnu::always_inline]] inline Vector operator*(double s, const Vector& a) {
    Vector r{{}, a.n};
    for (std::size_t i = 0; i < max_components; ++i) {
        r.c[i] = s * a.c[i];
    }
    return r;
}

[[gnu::always_inline]] inline Vector operator/(const Vector& a, double s) {
    Vector r{{}, a.n};
    for (std::size_t i = 0; i < max_components; ++i) {
        r.c[i] = a.c[i] / s;
    }
    return r;
}

// Whether a value is finite: the scalar itself, or every component.
inline bool finite(double v) {
    return std::isfinite(v);
}

inline bool finite(const Vector& v) {
    for (double component : v) {
        if (!std::isfinite(component)) {
            return false;
        }
    }
    return true;
}

// Whether a value is 0 in every place it has: the scalar, or all max_components places of a
// Vector, the zeros beyond its components included. Told without a branch, for a run's loop.
inline bool zero_in_every_place(double v) {
    return v == 0;
}

[[gnu::always_inline]] inline bool zero_in_every_place(const Vector& v) {
    bool all = true;
    for (const double place : v.c) {
        all &= place == 0;
    }
    return all;
}

// The index of the first component that is NaN; none (the size) when there is none. A scalar
// is one component.
inline std::size_t first_nan(double v) {
    return std::isnan(v) ? 0 : 1;
}

inline std::size_t first_nan(const Vector& v) {
    for (std::size_t i = 0; i < v.n; ++i) {
        if (std::isnan(v.c[i])) {
            return i;
        }
    }
    return v.n;
}

inline std::size_t component_count(double) {
    return 1;
}

inline std::size_t component_count(const Vector& v) {
    return v.n;
}

// The number that stands for an error: |e| for a scalar, the maximum norm max_i |e_i| for a
// vector (of one component, |e|).
inline double max_norm(double e) {
    return std::fabs(e);
}

inline double max_norm(const Vector& e) {
    double norm = 0;
    for (double component : e) {
        const double size = std::fabs(component);
        if (!(size <= norm)) {
            norm = size; // a NaN component makes the norm NaN
        }
    }
    return norm;
}

// The zero of a state shaped like `like`.
inline double zero_like(double) {
    return 0;
}

inline Vector zero_like(const Vector& like) {
    return Vector{{}, like.n};
}

} // namespace calc
