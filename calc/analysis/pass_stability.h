// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The z = h·λ of one pass, which a course computes once for each of its rows when it is built
// (calc/analysis/stability.h): λ = ∂f/∂y at the pass's start for a scalar equation, each
// eigenvalue of the Jacobian there for a system.

#include "calc/core/state.h"

#include <array>
#include <complex>
#include <cstddef>

namespace calc {

struct PassStability {
    std::array<std::complex<double>, max_components> z{}; // h·λ of each eigenvalue
    std::array<double, max_components> magnitude{};       // |R(h·λ)| of each
    std::size_t count = 0;                                // the eigenvalues; 0 where left out
    bool left_out = false; // ∂f/∂y, J or h·λ was not finite, or J had no eigenvalues
    std::size_t worst = 0; // the eigenvalue of largest |R(h·λ)|, of a complex pair the one with
                           // Im ≥ 0

    bool outside() const { return count > 0 && magnitude[worst] > 1; }
};

// How a course's CSV writes h·λ: as the table's two cells "h·λ" ("a + bi") and "|R(h·λ)|", or
// for the command line as numbers in three, Re(h·λ), Im(h·λ) and |R(h·λ)|.
enum class StabilityCsv { cells, parts };

} // namespace calc
