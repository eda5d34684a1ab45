// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/core/methods.h"
#include "calc/core/passes.h"
#include "calc/problem/equation.h"

#include "tests/named_case.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

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

} // namespace
