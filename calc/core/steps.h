// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace calc {

// The four entries as numbers, exactly as read: step count, lower bound, upper bound, initial
// value.
struct Numbers {
    double anzschr, ug, og, aw;
};

// The step size h and the whole number of passes that a calculation makes.
struct Steps {
    double h;
    int passes;
};

// The steps of the numbers read: h = (og - ug) / n, the whole part of n passes, none when h is 0.
Steps steps_of(const Numbers& numbers);

} // namespace calc
