// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Butcher tableaux of the fixed-step methods, in method_table's order: the coefficients the
// passes of calc/core/passes.h are written from, as data for the stability function
// R(z) = 1 + z bᵀ(I - zA)⁻¹𝟙 (calc/analysis/stability.h). The passes do not read them; a test
// makes each pass on y' = λy and compares it with R(hλ).
//
//   Euler          Heun           Mittelpunkt    RK3               RK4
//   0 |            0 |            0   |          0   |             0   |
//   --+--          1 | 1          1/2 | 1/2      1/2 | 1/2         1/2 | 1/2
//     | 1          --+--------    ----+------    1   | -1   2      1/2 | 0    1/2
//                    | 1/2 1/2        | 0   1    ----+-----------  1   | 0    0    1
//                                                    | 1/6 4/6 1/6 ----+-------------------
//                                                                      | 1/6  2/6  2/6  1/6
//
//   Impl. Euler    Trapez               Impl. Mittelpunkt
//   1 | 1          0 | 0    0           1/2 | 1/2
//   --+--          1 | 1/2  1/2         ----+----
//     | 1          --+---------             | 1
//                    | 1/2  1/2

#include "calc/core/methods.h"

#include <array>
#include <cstddef>

namespace calc {

// The most stages a fixed-step method has (RK4).
inline constexpr std::size_t max_fixed_stages = 4;

// A tableau of `stages` stages: a[i][j] and b[j] for i, j < stages, the rest 0.
struct Tableau {
    std::size_t stages;
    std::array<std::array<double, max_fixed_stages>, max_fixed_stages> a;
    std::array<double, max_fixed_stages> b;
};

inline constexpr std::array<Tableau, 8> tableau_table = {{
    {1, {{{0, 0, 0, 0}}}, {1, 0, 0, 0}},
    {2, {{{0, 0, 0, 0}, {1, 0, 0, 0}}}, {1.0 / 2, 1.0 / 2, 0, 0}},
    {2, {{{0, 0, 0, 0}, {1.0 / 2, 0, 0, 0}}}, {0, 1, 0, 0}},
    {3, {{{0, 0, 0, 0}, {1.0 / 2, 0, 0, 0}, {-1, 2, 0, 0}}}, {1.0 / 6, 4.0 / 6, 1.0 / 6, 0}},
    {4,
     {{{0, 0, 0, 0}, {1.0 / 2, 0, 0, 0}, {0, 1.0 / 2, 0, 0}, {0, 0, 1, 0}}},
     {1.0 / 6, 2.0 / 6, 2.0 / 6, 1.0 / 6}},
    {1, {{{1, 0, 0, 0}}}, {1, 0, 0, 0}},
    {2, {{{0, 0, 0, 0}, {1.0 / 2, 1.0 / 2, 0, 0}}}, {1.0 / 2, 1.0 / 2, 0, 0}},
    {1, {{{1.0 / 2, 0, 0, 0}}}, {1, 0, 0, 0}},
}};

static_assert(tableau_table.size() == method_table.size());

constexpr const Tableau& tableau_of(Method method) {
    return tableau_table[static_cast<std::size_t>(method)];
}

} // namespace calc
