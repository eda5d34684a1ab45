// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/phase_plane.h"

#include "calc/analysis/errors.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace calc {

namespace {

// The share of the way from the run's start to its end at which f is compared a third time.
constexpr double inner_share = 0.6180339887498949;

// A rectangle of the plane that an orbit may leave once, and no further.
struct Bounds {
    double a_low, a_high, b_low, b_high;

    // The view enlarged by its own width and height on each side.
    explicit Bounds(const PlotView& view) {
        const double a_half = half_span(view.x_low, view.x_high);
        const double b_half = half_span(view.y_low, view.y_high);
        a_low = view.x_low - 2 * a_half;
        a_high = view.x_high + 2 * a_half;
        b_low = view.y_low - 2 * b_half;
        b_high = view.y_high + 2 * b_half;
    }

    bool contain(Point p) const {
        return p.x >= a_low && p.x <= a_high && p.y >= b_low && p.y <= b_high;
    }
};

// Follows the orbit through `start` with passes of step h of the classical method, appending each
// point reached to `points` in the plane, until `passes` are made, a pass fails, or a point lies
// outside the bounds (that point is appended).
void follow_orbit(const SystemFunction& f, SystemPoint start, double h, int passes, Plane plane,
                  const Bounds& bounds, std::vector<Point>& points) {
    SystemPoint p = start;
    for (int i = 0; i < passes; ++i) {
        const PassOf<Vector> pass = system_pass(Method::rk4, f, p, h);
        if (passes::failure_of(pass, 4, true, static_cast<RunEndOf<Vector>*>(nullptr)) !=
            Failure::none) {
            return;
        }
        p = pass.next;
        const Point reached = in_plane(p.y, plane);
        points.push_back(reached);
        if (!bounds.contain(reached)) {
            return;
        }
    }
}

} // namespace

std::vector<SystemPoint> local_states(const SystemProblem& problem, const SystemPoint& start,
                                      double h) {
    std::vector<SystemPoint> states;
    if (!finite(start) || !std::isfinite(h)) {
        return states;
    }
    states.reserve(local_passes + 1);
    if (problem.exact) {
        for (int i = 0; i <= local_passes; ++i) {
            // The last abscissa is start.x + h exactly, as the pass reaches it.
            const double x =
                i == local_passes ? start.x + h : start.x + h * (i / double(local_passes));
            const std::optional<Vector> y = problem.exact(start.x, start.y, x);
            if (!y) {
                break;
            }
            states.push_back({x, *y});
        }
        return states;
    }
    states.push_back(start);
    SystemPoint p = start;
    for (int i = 0; i < local_passes; ++i) {
        const PassOf<Vector> pass = system_pass(Method::rk4, problem.f, p, h / local_passes);
        if (passes::failure_of(pass, 4, true, static_cast<RunEndOf<Vector>*>(nullptr)) !=
            Failure::none) {
            break;
        }
        p = pass.next;
        states.push_back(p);
    }
    return states;
}

namespace {

bool same_value(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) ||
           (std::isnan(a) && std::isnan(b));
}

bool same_values(const Vector& a, const Vector& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!same_value(a[i], b[i])) {
            return false;
        }
    }
    return true;
}

// The state of two components that shows the point (a, b) in the plane.
Vector state_at(double a, double b, Plane plane) {
    Vector y{{}, 2};
    y[plane.horizontal] = a;
    y[plane.vertical] = b;
    return y;
}

// The centres of the field's grid cells over the view, column by column.
template <class Visit> void for_each_cell(const PlotView& view, Visit&& visit) {
    for (int column = 0; column < field_columns; ++column) {
        const double a = interpolate(view.x_low, view.x_high, (column + 0.5) / field_columns);
        for (int row = 0; row < field_rows; ++row) {
            visit(a, interpolate(view.y_low, view.y_high, (row + 0.5) / field_rows));
        }
    }
}

} // namespace

bool fits(Plane plane, std::size_t n) {
    return plane.horizontal < n && plane.vertical < n && plane.horizontal != plane.vertical;
}

Point in_plane(const Vector& y, Plane plane) {
    return {y[plane.horizontal], y[plane.vertical]};
}

std::vector<Point> plane_path(const SystemCourse& course, Plane plane) {
    std::vector<Point> points;
    if (!fits(plane, course.size())) {
        return points;
    }
    points.reserve(course.rows.size());
    for (const SystemCourseRow& row : course.rows) {
        const Point p = in_plane(row.point.y, plane);
        if (!finite(p)) {
            break;
        }
        points.push_back(p);
    }
    return points;
}

std::vector<Point> exact_orbit(const SystemCourse& course, Plane plane) {
    std::vector<Point> points;
    if (!fits(plane, course.size())) {
        return points;
    }
    points.reserve(course.exact_samples.size());
    for (const SystemPoint& sample : course.exact_samples) {
        points.push_back(in_plane(sample.y, plane));
    }
    return points;
}

std::vector<Point> orbit_through(const SystemFunction& f, const SystemPoint& base, Plane plane,
                                 Point clicked, double span, const PlotView& view) {
    if (!usable_view(view) || !fits(plane, base.y.size()) || !finite(base) || !finite(clicked)) {
        return {};
    }
    const double h = std::fabs(span) / orbit_passes;
    if (!(h > 0) || !std::isfinite(h)) {
        return {};
    }
    SystemPoint start = base;
    start.y[plane.horizontal] = clicked.x;
    start.y[plane.vertical] = clicked.y;
    const Bounds bounds(view);

    std::vector<Point> backward;
    follow_orbit(f, start, -h, orbit_passes, plane, bounds, backward);
    std::vector<Point> points(backward.rbegin(), backward.rend());
    points.push_back(clicked);
    follow_orbit(f, start, h, orbit_passes, plane, bounds, points);
    return points;
}

std::vector<Point> orbit_through(const SystemCourse& course, std::size_t row, Plane plane,
                                 Point clicked, const PlotView& view) {
    const SystemPoint start{course.numbers.ug, course.numbers.aw};
    SystemPoint base = start;
    if (row < course.rows.size() && finite(course.rows[row].point)) {
        base = course.rows[row].point;
    }
    return orbit_through(course.problem.f, base, plane, clicked,
                         course.rows.back().point.x - course.numbers.ug, view);
}

std::optional<PlanePass> plane_pass(const SystemCourse& course, std::size_t row, Plane plane) {
    if (row + 1 >= course.rows.size() || !fits(plane, course.size())) {
        return std::nullopt;
    }
    const SystemPoint start = course.rows[row].point;
    const double h = course.steps.h;
    // The same pass the course made, so that every number is the table's to the bit.
    const PassOf<Vector> pass = system_pass(course.method, course.problem.f, start, h);
    PlanePass view{
        in_plane(start.y, plane), in_plane(pass.next.y, plane), h, {}, {}, false, std::nullopt};
    const auto stage_count = static_cast<std::size_t>(method_info(course.method).stage_count);
    for (std::size_t i = 0; i < stage_count; ++i) {
        view.stages.push_back({stage_names[i], in_plane(pass.points[i].y, plane),
                               in_plane(pass.points[i].y + pass.k[i], plane), pass.k[i]});
    }
    const std::vector<SystemPoint> states = local_states(course.problem, start, h);
    view.solution_is_exact = static_cast<bool>(course.problem.exact);
    view.solution.reserve(states.size());
    for (const SystemPoint& state : states) {
        view.solution.push_back(in_plane(state.y, plane));
    }
    if (states.size() == local_passes + 1) {
        view.local_error = difference(pass.next.y, std::optional(states.back().y));
    }
    return view;
}

std::vector<Segment> phase_field(const SystemFunction& f, std::size_t size, double x,
                                 const PlotView& view, Plane plane) {
    std::vector<Segment> segments;
    if (size != 2 || !fits(plane, size) || !usable_view(view) || !std::isfinite(x)) {
        return segments;
    }
    segments.reserve(field_columns * field_rows);
    const double a_half = half_span(view.x_low, view.x_high);
    const double b_half = half_span(view.y_low, view.y_high);
    const double length =
        field_segment_share * std::min(view.width / field_columns, view.height / field_rows);
    for_each_cell(view, [&](double a, double b) {
        const Vector slope = f(x, state_at(a, b, plane));
        if (slope.size() != 2 || !finite(slope)) {
            return;
        }
        // The direction on screen, in pixels per unit of the plane, scaled first so that no
        // product overflows.
        const double da = slope[plane.horizontal];
        const double db = slope[plane.vertical];
        const double scale = std::max(std::fabs(da), std::fabs(db));
        if (!(scale > 0)) {
            return;
        }
        double sa = (da / scale) * (view.width / a_half);
        double sb = (db / scale) * (view.height / b_half);
        if (std::isinf(sa) || std::isinf(sb)) {
            sa = std::isinf(sa) ? std::copysign(1.0, sa) : 0.0;
            sb = std::isinf(sb) ? std::copysign(1.0, sb) : 0.0;
        }
        const double norm = std::hypot(sa, sb);
        if (!(norm > 0) || !std::isfinite(norm)) {
            return;
        }
        // Half the segment on screen is length / 2 pixels; a pixel is 2 a_half / width.
        const double ha = length * (sa / norm) * a_half / view.width;
        const double hb = length * (sb / norm) * b_half / view.height;
        const Segment segment{{a - ha, b - hb}, {a + ha, b + hb}};
        if (finite(segment.from) && finite(segment.to)) {
            segments.push_back(segment);
        }
    });
    return segments;
}

bool shows_phase_field(const SystemCourse& course, const PlotView& view) {
    if (course.size() != 2 || !usable_view(view)) {
        return false;
    }
    const double first = course.numbers.ug;
    const double end = course.rows.back().point.x;
    const double last = end != first && std::isfinite(end) ? end : first + 1;
    const double inner = interpolate(first, last, inner_share);
    const SystemFunction& f = course.problem.f;
    bool same = true;
    for_each_cell(view, [&](double a, double b) {
        if (!same) {
            return;
        }
        const Vector y = state_at(a, b, Plane{});
        const Vector at_first = f(first, y);
        same = same_values(at_first, f(last, y)) && same_values(at_first, f(inner, y));
    });
    return same;
}

} // namespace calc
