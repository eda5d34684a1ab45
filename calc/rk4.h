#pragma once

namespace calc {

// A point of the solution of y' = -x*y^2.
struct Point {
    double x;
    double y;
};

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
