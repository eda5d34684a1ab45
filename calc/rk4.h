// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace calc {

// A point of the solution of y' = -x*y^2.
struct Point {
    double x;
    double y;
};

// The four stage increments k1..k4 of a pass, each h times the slope at its point.
struct Stages {
    double k1, k2, k3, k4;
};

// The stages of the pass of step h that starts at p.
Stages rk4_stages(Point p, double h);

// The point a pass of step h from p reaches with the given stages.
Point rk4_advance(Point p, double h, const Stages& k);

// One classical Runge-Kutta pass of step h for y' = -x*y^2.
Point rk4_pass(Point p, double h);

// Where a run of fixed passes ends; finite is false once x or y left the finite doubles.
struct RunEnd {
    Point point;
    bool finite;
};

// Makes `passes` passes of step h from `start`, stopping at the first non-finite point.
RunEnd rk4_run(Point start, double h, int passes);

} // namespace calc
