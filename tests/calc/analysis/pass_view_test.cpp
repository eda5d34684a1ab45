// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/direction_field.h"
#include "calc/analysis/pass_view.h"

#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

using named_case::PrintTo;

using calc::Point;

std::uint64_t bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

calc::Equation equation(const char* text) {
    return std::get<calc::Equation>(calc::Equation::parse(text, test_locales::english));
}

calc::Course course_of(const char* f, calc::Method method, calc::Numbers numbers) {
    const calc::Equation eq = equation(f);
    return calc::build_course(numbers, eq, method, calc::ExactSolution::of(eq));
}

// Where each method evaluates f, written out from its formulas with the table's k values.
using StagePoints =
    std::function<std::vector<Point>(double x, double y, double h, calc::Increments)>;

struct MethodCase {
    const char* name;
    calc::Method method;
    StagePoints points;
};

const MethodCase methods[] = {
    {"Euler", calc::Method::euler,
     [](double x, double y, double, calc::Increments) {
         return std::vector<Point>{{x, y}};
     }},
    {"Heun", calc::Method::heun,
     [](double x, double y, double h, calc::Increments k) {
         return std::vector<Point>{{x, y}, {x + h, y + k[0]}};
     }},
    {"Midpoint", calc::Method::midpoint,
     [](double x, double y, double h, calc::Increments k) {
         return std::vector<Point>{{x, y}, {x + h / 2, y + k[0] / 2}};
     }},
    {"RK3", calc::Method::rk3,
     [](double x, double y, double h, calc::Increments k) {
         return std::vector<Point>{
             {x, y}, {x + h / 2, y + k[0] / 2}, {x + h, (y - k[0]) + 2 * k[1]}};
     }},
    {"RK4", calc::Method::rk4,
     [](double x, double y, double h, calc::Increments k) {
         return std::vector<Point>{
             {x, y}, {x + h / 2, y + k[0] / 2}, {x + h / 2, y + k[1] / 2}, {x + h, y + k[2]}};
     }},
};

class PassOfEachMethod : public testing::TestWithParam<MethodCase> {};

TEST_P(PassOfEachMethod, StagesLieWhereTheTablesKValuesPutThem) {
    const MethodCase& m = GetParam();
    for (const char* f : {"-x*y^2", "cos(x)-y", "y*(1-y)"}) {
        const calc::Course course = course_of(f, m.method, {7, -0.5, 1.25, 0.75});
        for (std::size_t r = 0; r + 1 < course.rows.size(); ++r) {
            const calc::CourseRow& row = course.rows[r];
            const auto view = calc::pass_view(course, r);
            ASSERT_TRUE(view.has_value()) << f << " row " << r;
            const double h = course.steps.h;
            const std::vector<Point> expected = m.points(row.point.x, row.point.y, h, *row.k);
            const calc::Increments& k = *row.k;
            ASSERT_EQ(view->stages.size(), expected.size()) << f;
            for (std::size_t i = 0; i < expected.size(); ++i) {
                const calc::StageMark& mark = view->stages[i];
                EXPECT_EQ(mark.name, "P" + std::to_string(i + 1));
                EXPECT_EQ(bits(mark.point.x), bits(expected[i].x)) << f << " row " << r << " " << i;
                EXPECT_EQ(bits(mark.point.y), bits(expected[i].y)) << f << " row " << r << " " << i;
                EXPECT_EQ(bits(mark.k), bits(k[i])) << f << " row " << r << " " << i;
                EXPECT_EQ(bits(h * mark.slope), bits(k[i])) << f << " row " << r << " " << i;
            }
            EXPECT_EQ(bits(view->next.y), bits(course.rows[r + 1].point.y)) << f << " row " << r;
            EXPECT_EQ(bits(view->next.x), bits(course.rows[r + 1].point.x)) << f << " row " << r;
        }
        EXPECT_FALSE(calc::pass_view(course, course.rows.size() - 1).has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(Pass, PassOfEachMethod, testing::ValuesIn(methods), CaseName{});

// The solutions through (x, y) at x + h, from the catalogue's formulas with ug = x, aw = y.
double default_solution(double x, double y, double h) {
    return y / (1 + y * ((x + h - x) * (x + h + x)) / 2);
}
double logistic_solution(double, double y, double h) {
    return y / (y + (1 - y) * std::exp(-h));
}
double growth_solution(double, double y, double h) {
    return y * std::exp(h);
}

struct LocalErrorCase {
    const char* name;
    const char* f;
    calc::Method method;
    calc::Numbers numbers;
    std::size_t row;
    double (*solution)(double x, double y, double h);
    bool exact;
    double tolerance; // relative to y
};

const LocalErrorCase local_errors[] = {
    {"DefaultRK4", "-x*y^2", calc::Method::rk4, {10, 0, 1, 1}, 4, default_solution, true, 1e-15},
    {"LogisticMidpointBackwards",
     "y*(1-y)",
     calc::Method::midpoint,
     {6, 2, 0, 0.25},
     1,
     logistic_solution,
     true,
     1e-15},
    // Not in the catalogue: fine Runge-Kutta steps stand in for the solution.
    {"TypedGrowthRK3", "y*1", calc::Method::rk3, {3, 0, 1.5, 1}, 1, growth_solution, false, 1e-10},
};

class LocalErrorOfAPass : public testing::TestWithParam<LocalErrorCase> {};

TEST_P(LocalErrorOfAPass, IsTheStepMinusTheSolutionThroughItsStart) {
    const LocalErrorCase& c = GetParam();
    const calc::Course course = course_of(c.f, c.method, c.numbers);
    const auto view = calc::pass_view(course, c.row);
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->solution_is_exact, c.exact);
    const Point start = course.rows[c.row].point;
    const double expected =
        course.rows[c.row + 1].point.y - c.solution(start.x, start.y, course.steps.h);
    ASSERT_TRUE(view->local_error.has_value());
    EXPECT_NEAR(*view->local_error, expected, c.tolerance * std::fabs(start.y))
        << *view->local_error;
    EXPECT_NE(*view->local_error, 0.0);
    ASSERT_EQ(view->solution.size(), std::size_t{calc::local_passes + 1});
    EXPECT_EQ(bits(view->solution.front().y), bits(start.y));
}

INSTANTIATE_TEST_SUITE_P(Pass, LocalErrorOfAPass, testing::ValuesIn(local_errors), CaseName{});

TEST(LocalErrorOfAPass, EndsAtAPoleWithoutAnError) {
    // y' = y^2 through (0; 1) has its pole at x = 1, inside the pass of h = 2.
    const calc::Course course = course_of("y^2", calc::Method::euler, {1, 0, 2, 1});
    const auto view = calc::pass_view(course, 0);
    ASSERT_TRUE(view.has_value());
    EXPECT_FALSE(view->local_error.has_value());
    ASSERT_FALSE(view->solution.empty());
    EXPECT_LT(view->solution.back().x, 1.0);
    EXPECT_EQ(calc::local_error_text(view->local_error, test_locales::german),
              "Lokaler Fehler dieses Schritts: \u2013");
    EXPECT_EQ(calc::local_error_text(-0.00125, test_locales::german),
              "Lokaler Fehler dieses Schritts: -0,00125");
}

struct FieldCase {
    const char* name;
    const char* f;
    calc::PlotView view;
    std::size_t segments;
};

const FieldCase fields[] = {
    {"DefaultEverywhere", "-x*y^2", {0, 1, 0, 1, 600, 400}, 300},
    {"PoleOfOneOverXIsSteepNotMissing", "1/x", {-1, 1, -2, 2, 500, 500}, 300},
    {"RootOnlyAboveZero", "sqrt(y)", {-2, 2, -1.5, 1.5, 800, 300}, 160},
    {"LogarithmOnlyRightOfZero", "ln(x)", {-1, 1, 0, 1, 300, 800}, 150},
    {"SlopesBeyondTheDoubles", "y^2", {0, 1, 1e200, 1e201, 600, 400}, 0},
    {"EmptyRange", "y", {1, 1, 0, 1, 600, 400}, 0},
};

class DirectionField : public testing::TestWithParam<FieldCase> {};

TEST_P(DirectionField, HasOnlyFiniteSegmentsOfOneLengthOnScreen) {
    const FieldCase& c = GetParam();
    const calc::Equation f = equation(c.f);
    const std::vector<calc::Segment> field = calc::direction_field(f, c.view);
    EXPECT_EQ(field.size(), c.segments);
    const double px = c.view.width / (c.view.x_high - c.view.x_low);
    const double py = c.view.height / (c.view.y_high - c.view.y_low);
    const double length = calc::field_segment_share * std::min(c.view.width / calc::field_columns,
                                                               c.view.height / calc::field_rows);
    for (const calc::Segment& s : field) {
        for (const double v : {s.from.x, s.from.y, s.to.x, s.to.y}) {
            ASSERT_TRUE(std::isfinite(v));
        }
        const double dx = (s.to.x - s.from.x) * px;
        const double dy = (s.to.y - s.from.y) * py;
        EXPECT_NEAR(std::hypot(dx, dy), length, 1e-9 * length);
        // The segment runs along f at its centre, as seen on screen.
        const Point mid{(s.from.x + s.to.x) / 2, (s.from.y + s.to.y) / 2};
        EXPECT_NEAR(std::atan2(dy, dx), std::atan(f(mid.x, mid.y) * py / px), 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Field, DirectionField, testing::ValuesIn(fields), CaseName{});

TEST(SolutionThroughAPoint, FollowsTheExponentialAcrossTheRange) {
    const calc::PlotView view{-1, 2, 0, 8, 600, 400};
    const std::vector<Point> curve = calc::solution_through(equation("y"), {0, 1}, view);
    ASSERT_GE(curve.size(), std::size_t{calc::solution_passes});
    EXPECT_LE(curve.front().x, -1.0);
    EXPECT_GE(curve.back().x, 2.0);
    for (std::size_t i = 0; i < curve.size(); ++i) {
        EXPECT_NEAR(curve[i].y, std::exp(curve[i].x), 1e-9 * std::exp(curve[i].x)) << i;
        if (i > 0) {
            EXPECT_LT(curve[i - 1].x, curve[i].x);
        }
    }
}

} // namespace
