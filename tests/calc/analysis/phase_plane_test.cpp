// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/phase_plane.h"

#include "tests/calc/analysis/system_problems.h"
#include "tests/named_case.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using named_case::PrintTo;

using calc::Method;
using calc::Plane;
using calc::PlotView;
using calc::Point;
using calc::Vector;
using system_problems::numbers;
using system_problems::vector_of;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

bool same_points(const std::vector<Point>& a, const std::vector<Point>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].x != b[i].x || a[i].y != b[i].y) {
            return false;
        }
    }
    return true;
}

struct OrbitCase {
    const char* name;
    Point clicked;
    double x; // where the orbit starts; the oscillator does not use it
    double span;
    PlotView view;
};

const OrbitCase orbits[] = {
    {"UnitCircle", {1, 0}, 0, 10, {-2, 2, -2, 2, 400, 400}},
    {"SmallCircleWideView", {0.1, -0.2}, 3, 10, {-0.5, 0.5, -0.3, 0.3, 900, 300}},
    {"LargeCircleShortSpan", {-30, 40}, -5, 2, {-60, 60, -60, 60, 500, 500}},
    {"BackwardsRunsSpan", {0, 2}, 10, -10, {-3, 3, -3, 3, 300, 300}},
};

class OscillatorOrbit : public testing::TestWithParam<OrbitCase> {};

// Through a point at radius r the oscillator's orbit is the circle of radius r, run through
// clockwise (y1' = y2 < 0 below the axis), and fine RK4 passes stay on it.
TEST_P(OscillatorOrbit, StaysOnTheCircleThroughThePoint) {
    const OrbitCase& c = GetParam();
    const calc::SystemProblem oscillator = system_problems::oscillator();
    const std::vector<Point> orbit = calc::orbit_through(oscillator.f, {c.x, vector_of({0, 0})},
                                                         Plane{}, c.clicked, c.span, c.view);
    ASSERT_EQ(orbit.size(), 2u * calc::orbit_passes + 1);
    const Point& through = orbit[calc::orbit_passes];
    EXPECT_EQ(through.x, c.clicked.x);
    EXPECT_EQ(through.y, c.clicked.y);
    const double radius = std::hypot(c.clicked.x, c.clicked.y);
    for (const Point& p : orbit) {
        EXPECT_NEAR(std::hypot(p.x, p.y), radius, 1e-9 * radius);
    }
    // One pass on from the point: the angle falls (clockwise) by about h = |span| / orbit_passes.
    const Point& after = orbit[calc::orbit_passes + 1];
    const Point& before = orbit[calc::orbit_passes - 1];
    const double h = std::fabs(c.span) / calc::orbit_passes;
    EXPECT_NEAR(std::atan2(after.y, after.x) - std::atan2(through.y, through.x), -h, 1e-9);
    EXPECT_NEAR(std::atan2(before.y, before.x) - std::atan2(through.y, through.x), h, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(PhasePlane, OscillatorOrbit, testing::ValuesIn(orbits), CaseName{});

// y' = y runs out of the view forwards and into the rest point backwards; the forward part ends
// with the first point further out than the view is wide.
TEST(PhasePlaneOrbit, StopsAfterThePointThatLeavesTheWidenedView) {
    const calc::SystemFunction growth = [](double, const Vector& y) { return y; };
    const PlotView view{-2, 2, -1, 1, 400, 200};
    const std::vector<Point> orbit =
        calc::orbit_through(growth, {0, vector_of({0, 0})}, Plane{}, {1, 0.5}, 20, view);
    ASSERT_GT(orbit.size(), calc::orbit_passes + 2u);
    ASSERT_LT(orbit.size(), 2u * calc::orbit_passes + 1);
    const Point& last = orbit.back();
    const Point& inside = orbit[orbit.size() - 2];
    EXPECT_TRUE(last.x > 6 || last.y > 3);
    EXPECT_TRUE(inside.x <= 6 && inside.y <= 3);
    EXPECT_NEAR(orbit.front().x, std::exp(-20.0), 1e-9);
}

// The components outside the plane and x come from the base point: the orbit's first pass
// forward is the classical pass from the base with the plane's components replaced.
TEST(PhasePlaneOrbit, TakesTheOtherComponentsAndXFromTheBase) {
    const calc::SystemProblem three = system_problems::three_components();
    const calc::SystemPoint base{0.5, vector_of({9, 0.25, 7})};
    const Plane plane{2, 0};
    const PlotView view{-10, 10, -10, 10, 300, 300};
    const std::vector<Point> orbit = calc::orbit_through(three.f, base, plane, {1, -2}, 4, view);
    ASSERT_EQ(orbit.size(), 2u * calc::orbit_passes + 1);
    const calc::SystemPoint start{0.5, vector_of({-2, 0.25, 1})};
    const auto pass = calc::system_pass(Method::rk4, three.f, start, 4.0 / calc::orbit_passes);
    EXPECT_EQ(orbit[calc::orbit_passes + 1].x, pass.next.y[2]);
    EXPECT_EQ(orbit[calc::orbit_passes + 1].y, pass.next.y[0]);

    // On a course the base is the row's point; past the last row, the start.
    const calc::SystemCourse course =
        calc::build_system_course(numbers(4, 0, 2, {9, 0.25, 7}), three, Method::heun);
    EXPECT_TRUE(same_points(
        calc::orbit_through(course, 99, plane, {1, -2}, view),
        calc::orbit_through(three.f, {0, vector_of({9, 0.25, 7})}, plane, {1, -2}, 2, view)));
    EXPECT_TRUE(
        same_points(calc::orbit_through(course, 2, plane, {1, -2}, view),
                    calc::orbit_through(three.f, course.rows[2].point, plane, {1, -2}, 2, view)));
    EXPECT_FALSE(same_points(calc::orbit_through(course, 2, plane, {1, -2}, view),
                             calc::orbit_through(course, 0, plane, {1, -2}, view)));
}

struct RefusedOrbit {
    const char* name;
    Point clicked;
    double span;
    PlotView view;
    Plane plane;
};

const RefusedOrbit refused_orbits[] = {
    {"NaNPoint", {nan, 1}, 10, {-1, 1, -1, 1, 100, 100}, {}},
    {"ZeroSpan", {1, 1}, 0, {-1, 1, -1, 1, 100, 100}, {}},
    {"NaNSpan", {1, 1}, nan, {-1, 1, -1, 1, 100, 100}, {}},
    {"EmptyView", {1, 1}, 10, {1, 1, -1, 1, 100, 100}, {}},
    {"NoPixels", {1, 1}, 10, {-1, 1, -1, 1, 0, 100}, {}},
    {"InfiniteView", {1, 1}, 10, {-1, 1, -INFINITY, 1, 100, 100}, {}},
    {"ComponentBeyondTheSystem", {1, 1}, 10, {-1, 1, -1, 1, 100, 100}, {0, 2}},
    {"SameComponentTwice", {1, 1}, 10, {-1, 1, -1, 1, 100, 100}, {1, 1}},
};

class PhasePlaneRefusedOrbit : public testing::TestWithParam<RefusedOrbit> {};

TEST_P(PhasePlaneRefusedOrbit, HasNoPoints) {
    const RefusedOrbit& c = GetParam();
    EXPECT_TRUE(calc::orbit_through(system_problems::oscillator().f, {0, vector_of({0, 0})},
                                    c.plane, c.clicked, c.span, c.view)
                    .empty());
}

INSTANTIATE_TEST_SUITE_P(PhasePlane, PhasePlaneRefusedOrbit, testing::ValuesIn(refused_orbits),
                         CaseName{});

// An f that is undefined left of the axis: each direction stops before the pass that fails.
TEST(PhasePlaneOrbit, EndsBeforeAPassThatFails) {
    const calc::SystemFunction left = [](double, const Vector& y) {
        return vector_of({-1, std::sqrt(y[0])});
    };
    const std::vector<Point> orbit = calc::orbit_through(left, {0, vector_of({0, 0})}, Plane{},
                                                         {0.5, 0}, 1, {-1, 1, -1, 1, 100, 100});
    ASSERT_FALSE(orbit.empty());
    for (const Point& p : orbit) {
        EXPECT_TRUE(calc::finite(p));
        EXPECT_GE(p.x, -1e-12);
    }
    EXPECT_LT(orbit.size(), 2u * calc::orbit_passes + 1);
}

// The first RK4 pass of the oscillator from (1; 0) with h = 0.1 (by hand, as in the passes'
// tests): P1 = (1; 0), k1 = (0; -0.1); P2 = (1; -0.05), k2 = (-0.005; -0.1);
// P3 = (0.9975; -0.05), k3 = (-0.005; -0.09975); P4 = (0.995; -0.09975),
// k4 = (-0.009975; -0.0995).
TEST(PhasePlanePass, DrawsTheStagePointsAndEachIncrementAsAnArrow) {
    const calc::SystemCourse course = calc::build_system_course(
        numbers(10, 0, 1, {1, 0}), system_problems::oscillator(), Method::rk4);
    const auto pass = calc::plane_pass(course, 0, Plane{});
    ASSERT_TRUE(pass.has_value());
    ASSERT_EQ(pass->stages.size(), 4u);
    const double points[4][2] = {{1, 0}, {1, -0.05}, {0.9975, -0.05}, {0.995, -0.09975}};
    const double k[4][2] = {{0, -0.1}, {-0.005, -0.1}, {-0.005, -0.09975}, {-0.009975, -0.0995}};
    for (std::size_t s = 0; s < 4; ++s) {
        const calc::PlaneStage& stage = pass->stages[s];
        EXPECT_EQ(stage.name, calc::stage_names[s]);
        EXPECT_NEAR(stage.point.x, points[s][0], 1e-15);
        EXPECT_NEAR(stage.point.y, points[s][1], 1e-15);
        EXPECT_NEAR(stage.k[0], k[s][0], 1e-15);
        EXPECT_NEAR(stage.k[1], k[s][1], 1e-15);
        EXPECT_EQ(stage.reach.x, stage.point.x + stage.k[0]);
        EXPECT_EQ(stage.reach.y, stage.point.y + stage.k[1]);
        EXPECT_EQ(stage.k[0], (*course.rows[0].k)[s][0]);
    }
    EXPECT_EQ(pass->start.x, 1);
    EXPECT_EQ(pass->next.x, course.rows[1].point.y[0]);
    EXPECT_EQ(pass->next.y, course.rows[1].point.y[1]);
    // Through the start the exact solution is the course's, so the local error is row 1's.
    EXPECT_TRUE(pass->solution_is_exact);
    ASSERT_EQ(pass->solution.size(), calc::local_passes + 1u);
    EXPECT_EQ(pass->local_error, course.rows[1].error);

    // The plane turned round shows the same pass mirrored.
    const auto turned = calc::plane_pass(course, 3, Plane{1, 0});
    const auto upright = calc::plane_pass(course, 3, Plane{0, 1});
    ASSERT_TRUE(turned && upright);
    EXPECT_EQ(turned->stages[2].reach.x, upright->stages[2].reach.y);
    EXPECT_EQ(turned->next.y, upright->next.x);

    EXPECT_FALSE(calc::plane_pass(course, 10, Plane{}).has_value());
    EXPECT_FALSE(calc::plane_pass(course, 99, Plane{}).has_value());
    EXPECT_FALSE(calc::plane_pass(course, 0, Plane{0, 2}).has_value());
}

// Without an exact solution the pass is measured against 64 fine RK4 passes: for Euler on the
// pendulum from (1; 0) the local error is about h²/2 |y''| = 0.005 sin 1 in y'… and 0.005 sin 1
// in y from y' changing along the pass.
TEST(PhasePlanePass, MeasuresTheLocalErrorAgainstFinePassesWithoutAnExactSolution) {
    const calc::SystemCourse course = calc::build_system_course(
        numbers(10, 0, 1, {1, 0}), system_problems::pendulum(), Method::euler);
    const auto pass = calc::plane_pass(course, 0, Plane{});
    ASSERT_TRUE(pass.has_value());
    EXPECT_EQ(pass->stages.size(), 1u);
    EXPECT_FALSE(pass->solution_is_exact);
    ASSERT_EQ(pass->solution.size(), calc::local_passes + 1u);
    ASSERT_TRUE(pass->local_error.has_value());
    EXPECT_NEAR(*pass->local_error, 0.005 * std::sin(1.0), 1e-4);
}

double screen_length(const calc::Segment& s, const PlotView& view) {
    const double dx = (s.to.x - s.from.x) * view.width / (view.x_high - view.x_low);
    const double dy = (s.to.y - s.from.y) * view.height / (view.y_high - view.y_low);
    return std::hypot(dx, dy);
}

struct FieldView {
    const char* name;
    PlotView view;
};

const FieldView field_views[] = {
    {"Square", {-2, 2, -2, 2, 400, 400}},
    {"Wide", {-1, 3, -0.5, 0.25, 1000, 300}},
    {"Tall", {-100, 100, -1, 1, 200, 700}},
};

class OscillatorField : public testing::TestWithParam<FieldView> {};

// The field (y2; -y1) points along the flow at each cell's centre, every segment of one length on
// screen.
TEST_P(OscillatorField, PointsAlongTheFlowWithEqualLengthsOnScreen) {
    const PlotView& view = GetParam().view;
    const std::vector<calc::Segment> field =
        calc::phase_field(system_problems::oscillator().f, 2, 0, view);
    ASSERT_EQ(field.size(), static_cast<std::size_t>(calc::field_columns * calc::field_rows));
    const double length = calc::field_segment_share * std::min(view.width / calc::field_columns,
                                                               view.height / calc::field_rows);
    for (const calc::Segment& s : field) {
        const double a = (s.from.x + s.to.x) / 2;
        const double b = (s.from.y + s.to.y) / 2;
        const double da = s.to.x - s.from.x;
        const double db = s.to.y - s.from.y;
        // Parallel to (b; -a) and pointing the same way.
        EXPECT_NEAR(da * -a - db * b, 0,
                    1e-9 * (std::fabs(da) + std::fabs(db)) * (std::fabs(a) + std::fabs(b)));
        EXPECT_GT(da * b + db * -a, 0);
        EXPECT_NEAR(screen_length(s, view), length, 1e-9 * length);
    }
}

INSTANTIATE_TEST_SUITE_P(PhasePlane, OscillatorField, testing::ValuesIn(field_views), CaseName{});

TEST(PhasePlaneField, LeavesOutRestPointsUndefinedPointsAndOtherSizes) {
    const PlotView view{-1, 1, -1, 1, 300, 300};
    const calc::SystemFunction still = [](double, const Vector&) { return vector_of({0, 0}); };
    EXPECT_TRUE(calc::phase_field(still, 2, 0, view).empty());
    const calc::SystemFunction right_half = [](double, const Vector& y) {
        return vector_of({std::sqrt(y[0]), 1});
    };
    EXPECT_EQ(calc::phase_field(right_half, 2, 0, view).size(),
              static_cast<std::size_t>(calc::field_columns / 2 * calc::field_rows));
    const calc::SystemFunction huge = [](double, const Vector& y) {
        return vector_of({1e308 * (y[0] + 2), 1e-308});
    };
    const std::vector<calc::Segment> steep = calc::phase_field(huge, 2, 0, view);
    EXPECT_EQ(steep.size(), static_cast<std::size_t>(8 * calc::field_rows));
    for (const calc::Segment& s : steep) {
        EXPECT_NEAR(s.to.y, s.from.y, 1e-12);
        EXPECT_GT(s.to.x, s.from.x);
    }
    EXPECT_TRUE(calc::phase_field(system_problems::three_components().f, 3, 0, view).empty());
    EXPECT_TRUE(
        calc::phase_field(system_problems::oscillator().f, 2, 0, {0, 0, 0, 1, 1, 1}).empty());
    EXPECT_TRUE(calc::phase_field(system_problems::oscillator().f, 2, nan, view).empty());
}

struct FieldShownCase {
    const char* name;
    calc::SystemProblem problem;
    calc::SystemNumbers numbers;
    bool shown;
};

calc::SystemProblem forced() {
    calc::SystemProblem problem = system_problems::oscillator(calc::SystemForm::first_order);
    problem.f = [](double x, const Vector& y) { return vector_of({y[1], -y[0] + std::sin(x)}); };
    return problem;
}

const FieldShownCase field_shown[] = {
    {"Oscillator", system_problems::oscillator(), numbers(10, 0, 10, {1, 0}), true},
    {"Pendulum", system_problems::pendulum(), numbers(10, 0, 20, {1, 0}), true},
    {"Circuit", system_problems::circuit(), numbers(5, 0, 0.5, {0, 0}), true},
    {"ForcedUsesX", forced(), numbers(10, 0, 10, {1, 0}), false},
    {"ForcedWithoutPasses", forced(), numbers(3, 2, 2, {1, 0}), false},
    {"ThreeComponents", system_problems::three_components(), numbers(10, 0, 1, {1, 0, 0}), false},
};

class PhasePlaneFieldShown : public testing::TestWithParam<FieldShownCase> {};

TEST_P(PhasePlaneFieldShown, OnlyForTwoComponentsWithoutX) {
    const FieldShownCase& c = GetParam();
    const calc::SystemCourse course = calc::build_system_course(c.numbers, c.problem, Method::rk4);
    EXPECT_EQ(calc::shows_phase_field(course, {-2, 2, -2, 2, 400, 400}), c.shown);
    EXPECT_FALSE(calc::shows_phase_field(course, {2, -2, -2, 2, 400, 400}));
}

INSTANTIATE_TEST_SUITE_P(PhasePlane, PhasePlaneFieldShown, testing::ValuesIn(field_shown),
                         CaseName{});

TEST(PhasePlanePath, IsTheCoursesPointsUpToTheFirstThatIsNotFinite) {
    const calc::SystemCourse course = calc::build_system_course(
        numbers(20, 0, 2, {1, 0}), system_problems::oscillator(), Method::midpoint);
    const std::vector<Point> path = calc::plane_path(course, Plane{1, 0});
    ASSERT_EQ(path.size(), 21u);
    EXPECT_EQ(path[7].x, course.rows[7].point.y[1]);
    EXPECT_EQ(path[7].y, course.rows[7].point.y[0]);
    const std::vector<Point> exact = calc::exact_orbit(course, Plane{});
    ASSERT_EQ(exact.size(), course.exact_samples.size());
    EXPECT_EQ(exact.back().x, std::cos(course.rows.back().point.x));

    calc::SystemProblem blowing = system_problems::pendulum();
    blowing.f = [](double, const Vector& y) { return vector_of({y[0] * y[0] * y[0], y[1]}); };
    const calc::SystemCourse failing =
        calc::build_system_course(numbers(20, 0, 20, {10, 1}), blowing, Method::euler);
    const std::vector<Point> cut = calc::plane_path(failing, Plane{});
    EXPECT_LT(cut.size(), failing.rows.size());
    EXPECT_GT(cut.size(), 2u);
    EXPECT_TRUE(calc::exact_orbit(failing, Plane{}).empty());
}

} // namespace
