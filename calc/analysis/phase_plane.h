// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The geometry of the phase plane: a system's states drawn in the plane of two of its components.
// A point of the plane is a Point whose x is the horizontal component and whose y the vertical
// one, so that the plots' views (PlotView) and segments serve the plane as they serve y over x.

#include "calc/analysis/direction_field.h"
#include "calc/analysis/pass_view.h"
#include "calc/analysis/system_course.h"
#include "calc/analysis/system_problem.h"
#include "calc/core/point.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace calc {

// The two components, from 0, that span the plane.
struct Plane {
    std::size_t horizontal = 0;
    std::size_t vertical = 1;
};

// Whether both components exist in a state of n components and differ.
bool fits(Plane plane, std::size_t n);

// The point that the state shows in the plane.
Point in_plane(const Vector& y, Plane plane);

// The course's points in the plane, in order, up to the first that is not finite.
std::vector<Point> plane_path(const SystemCourse& course, Plane plane);

// The exact solution's samples along the course in the plane; empty where it is not known.
std::vector<Point> exact_orbit(const SystemCourse& course, Plane plane);

// Passes of the classical Runge-Kutta method that an orbit through a point makes in each
// direction.
inline constexpr int orbit_passes = 1000;

// The orbit through a point of the plane: the state `base` with the plane's two components set to
// `clicked` (the others, and x, as in `base`), followed with orbit_passes passes of the classical
// method of step |span| / orbit_passes forward and as many backward, in increasing x. Each
// direction stops before the first pass that fails and after the first point that lies further
// outside the view than the view is wide or high. Empty where the view, the point or the span
// is not usable (a span of 0 included).
std::vector<Point> orbit_through(const SystemFunction& f, const SystemPoint& base, Plane plane,
                                 Point clicked, double span, const PlotView& view);

// The orbit through a point of the course's plane: the other components and x from the course's
// row `row` (the start where there is no such row), the span that of the run, ug to its end.
std::vector<Point> orbit_through(const SystemCourse& course, std::size_t row, Plane plane,
                                 Point clicked, const PlotView& view);

// A stage of a pass in the plane: where the method evaluated f, and its increment as an arrow
// from there to point + k.
struct PlaneStage {
    std::string_view name; // "P1".."P7"
    Point point;
    Point reach; // point + k in the plane: the arrow's head
    Vector k;    // the increment in every component, as the table shows it
};

// One pass of a system's course in the plane.
struct PlanePass {
    Point start;
    Point next;
    double h;
    std::vector<PlaneStage> stages; // the method's own, in the order it evaluates them
    // The solution through the start over [x, x + h] in the plane, for a smooth curve: the exact
    // solution where known, else fine passes of the classical method; it ends early where it
    // stops being finite.
    std::vector<Point> solution;
    bool solution_is_exact;
    // The maximum norm of y_next minus the solution at x + h; none where it does not reach x + h.
    std::optional<double> local_error;
};

// The solution through `start` over h as full states: the exact solution at local_passes + 1
// abscissas where known (ending where it has no value), else local_passes passes of the classical
// method of step h / local_passes (ending before the first that fails).
std::vector<SystemPoint> local_states(const SystemProblem& problem, const SystemPoint& start,
                                      double h);

// The pass that starts at row `row` of the course; none for the last row, past it, and for a
// plane that does not fit the system.
std::optional<PlanePass> plane_pass(const SystemCourse& course, std::size_t row, Plane plane);

// The direction field of a system of two components whose f does not use x: at the centre of
// each grid cell (field_columns × field_rows) a segment along (f1, f2), from `from` to `to` in
// the direction of the flow, centred on the cell and of equal length on screen; f is evaluated
// at `x`, the view's horizontal axis showing the plane's horizontal component. Where f is 0 or
// not finite there is no segment; an unusable view, or a system of another size, has none.
std::vector<Segment> phase_field(const SystemFunction& f, std::size_t size, double x,
                                 const PlotView& view, Plane plane = {});

// Whether the phase plane of the course shows the direction field: a system of two components
// whose f gives the same values at the grid points of the view at the run's first, last and an
// inner abscissa, so that it does not use x.
bool shows_phase_field(const SystemCourse& course, const PlotView& view);

} // namespace calc
