// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/embedded.h"

namespace calc::pairs {

// Bogacki-Shampine 3(2): carries the solution of order 3, the estimate is of order 2. The fourth
// stage is at the point reached, so its slope is the next attempt's first.
//
//    0   |
//   1/2  | 1/2
//   3/4  | 0     3/4
//    1   | 2/9   1/3   4/9
//   -----+------------------------
//    b   | 2/9   1/3   4/9   0
//    E   | -5/72 1/12  1/9   -1/8
inline constexpr PairTable<4> bogacki_shampine{
    {0, 1.0 / 2, 3.0 / 4, 1},
    {{
        {0, 0, 0, 0},
        {1.0 / 2, 0, 0, 0},
        {0, 3.0 / 4, 0, 0},
        {2.0 / 9, 1.0 / 3, 4.0 / 9, 0},
    }},
    {2.0 / 9, 1.0 / 3, 4.0 / 9, 0},
    {-5.0 / 72, 1.0 / 12, 1.0 / 9, -1.0 / 8},
};

} // namespace calc::pairs
