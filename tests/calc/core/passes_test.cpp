// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/core/methods.h"
#include "calc/core/passes.h"
#include "calc/problem/equation.h"

#include "tests/named_case.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using named_case::PrintTo;

using calc::Method;
using calc::Vector;

Vector vector_of(std::initializer_list<double> values) {
    Vector v{{}, values.size()};
    std::size_t i = 0;
    for (double value : values) {
        v[i++] = value;
    }
    return v;
}

bool same_bits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A system of one component runs through the same passes as the scalar: every method gives the
// scalar run's bits, the default -x*y^2 (compiled into the scalar run) and a typed equation.
struct OneComponentCase {
    const char* name;
    Method method;
};

const OneComponentCase one_component[] = {
    {"euler", Method::euler}, {"heun", Method::heun}, {"midpoint", Method::midpoint},
    {"rk3", Method::rk3},     {"rk4", Method::rk4},
};

class OneComponentSystem : public testing::TestWithParam<OneComponentCase> {};

TEST_P(OneComponentSystem, EndsOnTheScalarRunsBits) {
    const Method method = GetParam().method;
    const auto stage_count = static_cast<std::size_t>(calc::method_info(method).stage_count);
    const auto minus_x_y2 = [](double x, const Vector& y) {
        return vector_of({(-x) * (y[0] * y[0])});
    };
    const calc::RunEnd scalar = calc::run_passes(method, calc::Equation{}, {0.25, 1.5}, 0.0625, 37);
    const auto system =
        calc::passes::checked_run(method, minus_x_y2, stage_count, true,
                                  calc::SystemPoint{0.25, vector_of({1.5})}, 0.0625, 37);
    ASSERT_TRUE(scalar.finite);
    ASSERT_TRUE(system.finite);
    EXPECT_TRUE(same_bits(system.point.x, scalar.point.x));
    EXPECT_TRUE(same_bits(system.point.y[0], scalar.point.y)) << system.point.y[0];

    const auto typed = std::get<calc::Equation>(calc::Equation::parse("cos(x)-y", {}));
    const auto cos_minus_y = [](double x, const Vector& y) {
        return vector_of({std::cos(x) - y[0]});
    };
    const calc::RunEnd typed_scalar = calc::run_passes(method, typed, {0, 1}, 0.1, 10);
    const auto typed_system = calc::passes::checked_run(
        method, cos_minus_y, stage_count, true, calc::SystemPoint{0, vector_of({1})}, 0.1, 10);
    EXPECT_TRUE(same_bits(typed_system.point.y[0], typed_scalar.point.y));
}

INSTANTIATE_TEST_SUITE_P(Methods, OneComponentSystem, testing::ValuesIn(one_component), CaseName{});

// The first pass of each method on two systems from x = 0 with h = 0.1, by hand.
// Oscillator y1' = y2, y2' = -y1 from (1; 0): k1 = (0; -0.1) for every method, then
//   Euler:    y = (1; -0.1)
//   Heun:     k2 = 0.1 (-0.1; -1) = (-0.01; -0.1)            y = (1 - 0.01/2; -0.1) = (0.995; -0.1)
//   midpoint: k2 = 0.1 (-0.05; -1) = (-0.005; -0.1)          y = (0.995; -0.1)
//   RK3:      k2 = (-0.005; -0.1), k3 = 0.1 f((1; 0.1) + 2 k2) = 0.1 f(0.99; -0.1)
//             = (-0.01; -0.099)                               y = (1 - 0.03/6; -0.599/6)
//   RK4:      k2 = (-0.005; -0.1), k3 = 0.1 f(0.9975; -0.05) = (-0.005; -0.09975),
//             k4 = 0.1 f(0.995; -0.09975) = (-0.009975; -0.0995)
//                                                             y = (1 - 0.029975/6; -0.599/6)
// Pendulum y1' = y2, y2' = -sin(y1) from (1; 0.5), where Heun and the midpoint rule differ:
//   k1 = (0.05; -0.1 sin 1)
//   Heun:     k2 = 0.1 (0.5 - 0.1 sin 1; -sin 1.05)
//             y = (1 + (0.05 + 0.05 - 0.01 sin 1)/2; 0.5 - 0.05 (sin 1 + sin 1.05))
//   midpoint: k2 = 0.1 (0.5 - 0.05 sin 1; -sin 1.025)
//             y = (1 + 0.05 - 0.005 sin 1; 0.5 - 0.1 sin 1.025)
struct FirstPassCase {
    const char* name;
    bool pendulum;
    Method method;
    double y1, y2;
};

const double s1 = std::sin(1.0);
const FirstPassCase first_passes[] = {
    {"oscillator_euler", false, Method::euler, 1, -0.1},
    {"oscillator_heun", false, Method::heun, 0.995, -0.1},
    {"oscillator_midpoint", false, Method::midpoint, 0.995, -0.1},
    {"oscillator_rk3", false, Method::rk3, 1 - 0.03 / 6, -0.599 / 6},
    {"oscillator_rk4", false, Method::rk4, 1 - 0.029975 / 6, -0.599 / 6},
    {"pendulum_heun", true, Method::heun, 1 + (0.1 - 0.01 * s1) / 2,
     0.5 - 0.05 * (s1 + std::sin(1.05))},
    {"pendulum_midpoint", true, Method::midpoint, 1.05 - 0.005 * s1, 0.5 - 0.1 * std::sin(1.025)},
};

class SystemFirstPass : public testing::TestWithParam<FirstPassCase> {};

TEST_P(SystemFirstPass, MatchesTheHandCalculation) {
    const FirstPassCase& c = GetParam();
    const auto f = [&c](double, const Vector& y) {
        return vector_of({y[1], c.pendulum ? -std::sin(y[0]) : -y[0]});
    };
    const calc::SystemPoint start{0, c.pendulum ? vector_of({1, 0.5}) : vector_of({1, 0})};
    const auto pass = calc::passes::pass_of(c.method, f, start, 0.1);
    EXPECT_NEAR(pass.next.y[0], c.y1, 1e-15);
    EXPECT_NEAR(pass.next.y[1], c.y2, 1e-15);
    EXPECT_DOUBLE_EQ(pass.next.x, 0.1);
    EXPECT_EQ(pass.next.y.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Systems, SystemFirstPass, testing::ValuesIn(first_passes), CaseName{});

// A NaN in any component of f at a finite stage point is an undefined f, named by its component,
// even where another component is infinite; an infinite increment alone is an overflow.
TEST(SystemRun, TellsWhichComponentIsUndefinedAndWhere) {
    const auto f = [](double x, const Vector& y) {
        return vector_of({x < 0.25 ? y[0] : INFINITY, x < 0.25 ? y[1] : NAN});
    };
    const auto end = calc::passes::checked_run(Method::euler, f, 1, true,
                                               calc::SystemPoint{0, vector_of({1, 2})}, 0.1, 10);
    EXPECT_FALSE(end.finite);
    EXPECT_EQ(end.failure, calc::Failure::undefined);
    EXPECT_EQ(end.component, 1u);
    EXPECT_NEAR(end.where.x, 0.3, 1e-15);

    const auto overflow = [](double, const Vector& y) { return vector_of({y[0], INFINITY}); };
    const auto over = calc::passes::checked_run(Method::rk4, overflow, 4, true,
                                                calc::SystemPoint{0, vector_of({1, 2})}, 0.1, 10);
    EXPECT_EQ(over.failure, calc::Failure::overflow);
}

// A pass fails where any one of its values fails, though the point it reaches may be finite: the
// run looks at a pass's values together first and asks for the reason only where one of them is
// not finite, and that look must miss none. Each f fails at the first pass only.
struct InnerFailureCase {
    const char* name;
    Method method;
    Vector (*f)(double x, const Vector& y);
    Vector start;
    calc::Failure failure;
    std::size_t component; // of an undefined f
};

const InnerFailureCase inner_failures[] = {
    // k1 is infinite, the midpoint beyond the doubles, the slope there 0: y + k2 = y.
    {"midpoint_infinite_first_increment", Method::midpoint,
     [](double x, const Vector&) {
         return vector_of({x == 0 ? INFINITY : 0.0, 0});
     },
     vector_of({1, 2}), calc::Failure::overflow, 0},
    // k1 = 1.6e308 is finite, y + k1/2 is not; the slope there is 0.
    {"midpoint_stage_point_beyond_the_doubles", Method::midpoint,
     [](double, const Vector& y) {
         return vector_of({std::isfinite(y[0]) ? 1.6e308 : 0.0, 0});
     },
     vector_of({1.5e308, 0}), calc::Failure::overflow, 0},
    // f is undefined at the start, and 1 at the midpoint, which the point reached alone shows.
    {"midpoint_undefined_at_the_start_only", Method::midpoint,
     [](double x, const Vector&) {
         return vector_of({0, x == 0 ? NAN : 1.0});
     },
     vector_of({1, 2}), calc::Failure::undefined, 1},
    // k2 = k3 = 1.2e307 at x = h/2, else 0: y + k3 = 1.82e308 is beyond the doubles, while
    // y + (2 k2 + 2 k3)/6 = 1.78e308 is not.
    {"rk4_last_stage_point_beyond_the_doubles", Method::rk4,
     [](double x, const Vector&) {
         return vector_of({0, x == 0.25 ? 2.4e307 : 0.0});
     },
     vector_of({0, 1.7e308}), calc::Failure::overflow, 0},
};

class RunInnerFailure : public testing::TestWithParam<InnerFailureCase> {};

TEST_P(RunInnerFailure, StopsAtTheFirstPassWithItsReason) {
    const InnerFailureCase& c = GetParam();
    const auto stage_count = static_cast<std::size_t>(calc::method_info(c.method).stage_count);
    const auto end = calc::passes::checked_run(c.method, c.f, stage_count, true,
                                               calc::SystemPoint{0, c.start}, 0.5, 4);
    EXPECT_FALSE(end.finite);
    EXPECT_EQ(end.failure, c.failure);
    if (c.failure == calc::Failure::undefined) {
        EXPECT_EQ(end.component, c.component);
        EXPECT_EQ(end.where.x, 0);
    } else {
        EXPECT_EQ(end.point.x, 0.5) << "the first pass failed";
    }
}

INSTANTIATE_TEST_SUITE_P(Passes, RunInnerFailure, testing::ValuesIn(inner_failures), CaseName{});

// What a slope holds in the places beyond its components is no value of the system: an infinity
// or a NaN there stops no run, and the components keep the bits of a run without it.
TEST(SystemRun, LeavesThePlacesBeyondTheComponentsOut) {
    const auto clean = [](double, const Vector& y) { return vector_of({y[1], -y[0]}); };
    const auto untidy = [](double, const Vector& y) {
        return Vector{{y[1], -y[0], INFINITY, NAN}, 2};
    };
    for (const calc::MethodInfo& method : calc::method_table) {
        const auto stages = static_cast<std::size_t>(method.stage_count);
        const calc::SystemPoint start{0, vector_of({1, 0})};
        const auto a = calc::passes::checked_run(method.id, clean, stages, true, start, 0.1, 20);
        const auto b = calc::passes::checked_run(method.id, untidy, stages, true, start, 0.1, 20);
        ASSERT_TRUE(b.finite) << method.name;
        EXPECT_EQ(b.failure, calc::Failure::none) << method.name;
        EXPECT_TRUE(same_bits(a.point.y[0], b.point.y[0])) << method.name;
        EXPECT_TRUE(same_bits(a.point.y[1], b.point.y[1])) << method.name;
    }
}

} // namespace
