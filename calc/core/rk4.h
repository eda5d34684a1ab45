// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/methods.h"

namespace calc {

// The classical Runge-Kutta method for the default y' = -x*y^2, as the window computed it
// before any other equation or method could be chosen.

// One classical Runge-Kutta pass of step h for y' = -x*y^2.
Point rk4_pass(Point p, double h);

// Makes `passes` passes of step h from `start`, stopping at the first non-finite point.
RunEnd rk4_run(Point start, double h, int passes);

} // namespace calc
