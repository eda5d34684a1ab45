// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The stability function R(z) = P(z)/Q(z) as the stability calculations hold it, shared by their
// three files: R itself, its interval and evaluation (stability.cpp), its formula's text
// (stability_formula.cpp) and its boundary |R| = 1 (stability_boundary.cpp).

#include "calc/analysis/stability.h"
#include "calc/core/embedded.h"
#include "calc/text/number_text.h"

#include <array>
#include <cstddef>
#include <string>

namespace calc::rational {

// The degree R's numerator and denominator have at most: the stages of a pair.
inline constexpr std::size_t max_degree = max_stages;
using Coefficients = std::array<double, max_degree + 1>;

// R(z) = P(z)/Q(z), the coefficients of z^0, z^1, … of each.
struct Rational {
    Coefficients p{};
    Coefficients q{};
    std::size_t p_degree = 0;
    std::size_t q_degree = 0;
};

inline Complex horner(const Coefficients& c, std::size_t degree, Complex z) {
    Complex sum = c[degree];
    for (std::size_t k = degree; k-- > 0;) {
        sum = sum * z + c[k];
    }
    return sum;
}

// "R(z) = 1 + z + z²/2" for a polynomial, "R(z) = (1 + z/2)/(1 - z/2)" for a quotient.
std::string formula_of(const Rational& r, const NumberLocale& locale);

// The curves |R| = 1 within the plane's bounds.
StabilityBoundary boundary_of(const Rational& r);

} // namespace calc::rational
