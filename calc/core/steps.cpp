// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/core/steps.h"

namespace calc {

Steps steps_of(const Numbers& numbers) {
    const double h = (numbers.og - numbers.ug) / numbers.anzschr;
    // The whole part of the count, below 100; no pass when the interval is empty.
    return {h, h == 0 ? 0 : static_cast<int>(numbers.anzschr)};
}

} // namespace calc
