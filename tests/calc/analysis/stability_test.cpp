// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/stability.h"

#include "calc/analysis/system_problem.h"
#include "calc/core/embedded.h"
#include "calc/core/pairs/bogacki_shampine.h"
#include "calc/core/pairs/dormand_prince.h"
#include "calc/core/pairs/fehlberg.h"
#include "calc/problem/equation.h"
#include "calc/problem/system.h"

#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <limits>
#include <string>
#include <variant>
#include <vector>

namespace {

using calc::Complex;
using calc::Method;
using calc::Pair;
using named_case::PrintTo;
using test_locales::english;
using test_locales::german;

using Scheme = std::variant<Method, Pair>;

Complex r_of(const Scheme& s, Complex z) {
    return std::visit([z](auto id) { return calc::stability_function(id, z); }, s);
}
double magnitude_of(const Scheme& s, Complex z) {
    return std::visit([z](auto id) { return calc::stability_magnitude(id, z); }, s);
}
calc::StabilityInterval interval_of(const Scheme& s) {
    return std::visit([](auto id) { return calc::stability_interval(id); }, s);
}
std::size_t index_of(const Scheme& s) {
    return std::visit([](auto id) { return calc::boundary_index(id); }, s);
}

constexpr double unbounded = -std::numeric_limits<double>::infinity();

// The published intervals; Fehlberg's carries R = 1 + z + … + z⁴/24 + z⁵/104, whose first
// crossing of |R(-s)| = 1 is at s = 3.0200 (bisection by hand on that polynomial).
struct IntervalRow {
    const char* name;
    Scheme scheme;
    double left;
    bool a_stable;
    bool l_stable;
    const char* stiffness;
};

class IntervalTest : public testing::TestWithParam<IntervalRow> {};

TEST_P(IntervalTest, MatchesThePublishedValue) {
    const IntervalRow& row = GetParam();
    const calc::StabilityInterval interval = interval_of(row.scheme);
    if (std::isinf(row.left)) {
        EXPECT_TRUE(std::isinf(interval.left) && interval.left < 0) << interval.left;
    } else {
        EXPECT_NEAR(interval.left, row.left, 1e-4);
        // |R| ≤ 1 up to the left end and beyond it > 1.
        EXPECT_LE(magnitude_of(row.scheme, {interval.left * 0.999, 0}), 1.0);
        EXPECT_GT(magnitude_of(row.scheme, {interval.left - 1e-3, 0}), 1.0);
    }
    EXPECT_EQ(interval.a_stable, row.a_stable);
    EXPECT_EQ(interval.l_stable, row.l_stable);
    EXPECT_EQ(calc::stiffness_text(interval), row.stiffness);
}

INSTANTIATE_TEST_SUITE_P(
    Stability, IntervalTest,
    testing::Values(IntervalRow{"euler", Method::euler, -2, false, false, ""},
                    IntervalRow{"heun", Method::heun, -2, false, false, ""},
                    IntervalRow{"mittelpunkt", Method::midpoint, -2, false, false, ""},
                    IntervalRow{"rk3", Method::rk3, -2.5127, false, false, ""},
                    IntervalRow{"rk4", Method::rk4, -2.7853, false, false, ""},
                    IntervalRow{"impl_euler", Method::implicit_euler, unbounded, true, true,
                                "A-stabil und L-stabil"},
                    IntervalRow{"trapez", Method::trapezoid, unbounded, true, false, "A-stabil"},
                    IntervalRow{"impl_mittelpunkt", Method::implicit_midpoint, unbounded, true,
                                false, "A-stabil"},
                    IntervalRow{"bs23", Pair::bs23, -2.5127, false, false, ""},
                    IntervalRow{"rkf45", Pair::rkf45, -3.0200, false, false, ""},
                    IntervalRow{"dopri5", Pair::dopri5, -3.3066, false, false, ""}),
    CaseName{});

// R(z) against its closed form at points all over the plane.
struct ClosedFormRow {
    const char* name;
    Scheme scheme;
    std::function<Complex(Complex)> closed;
};

Complex taylor(Complex z, int degree) {
    Complex sum = 1;
    Complex term = 1;
    for (int k = 1; k <= degree; ++k) {
        term *= z / static_cast<double>(k);
        sum += term;
    }
    return sum;
}

class ClosedFormTest : public testing::TestWithParam<ClosedFormRow> {};

TEST_P(ClosedFormTest, AgreesAtComplexPoints) {
    const ClosedFormRow& row = GetParam();
    for (const Complex z : {Complex(0.3, 0.2), Complex(-1.5, 1), Complex(-3, -2), Complex(0, 2),
                            Complex(-7.5, 0.5), Complex(2, -3)}) {
        const Complex expected = row.closed(z);
        const Complex got = r_of(row.scheme, z);
        EXPECT_NEAR(got.real(), expected.real(), 1e-12 * (1 + std::abs(expected))) << z;
        EXPECT_NEAR(got.imag(), expected.imag(), 1e-12 * (1 + std::abs(expected))) << z;
        EXPECT_NEAR(magnitude_of(row.scheme, z), std::abs(expected),
                    1e-12 * (1 + std::abs(expected)))
            << z;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stability, ClosedFormTest,
    testing::Values(ClosedFormRow{"euler", Method::euler, [](Complex z) { return taylor(z, 1); }},
                    ClosedFormRow{"heun", Method::heun, [](Complex z) { return taylor(z, 2); }},
                    ClosedFormRow{"mittelpunkt", Method::midpoint,
                                  [](Complex z) { return taylor(z, 2); }},
                    ClosedFormRow{"rk3", Method::rk3, [](Complex z) { return taylor(z, 3); }},
                    ClosedFormRow{"rk4", Method::rk4, [](Complex z) { return taylor(z, 4); }},
                    ClosedFormRow{"impl_euler", Method::implicit_euler,
                                  [](Complex z) { return 1.0 / (1.0 - z); }},
                    ClosedFormRow{"trapez", Method::trapezoid,
                                  [](Complex z) { return (1.0 + z / 2.0) / (1.0 - z / 2.0); }},
                    ClosedFormRow{"impl_mittelpunkt", Method::implicit_midpoint,
                                  [](Complex z) { return (1.0 + z / 2.0) / (1.0 - z / 2.0); }},
                    ClosedFormRow{"bs23", Pair::bs23, [](Complex z) { return taylor(z, 3); }},
                    ClosedFormRow{"rkf45", Pair::rkf45,
                                  [](Complex z) { return taylor(z, 4) + std::pow(z, 5) / 104.0; }},
                    ClosedFormRow{"dopri5", Pair::dopri5,
                                  [](Complex z) { return taylor(z, 5) + std::pow(z, 6) / 600.0; }}),
    CaseName{});

TEST(StabilityFunction, IsInfiniteAtThePole) {
    EXPECT_TRUE(std::isinf(calc::stability_magnitude(Method::implicit_euler, {1, 0})));
    EXPECT_TRUE(std::isinf(calc::stability_magnitude(Method::trapezoid, {2, 0})));
    EXPECT_FALSE(std::isfinite(calc::stability_function(Method::implicit_midpoint, {2, 0}).real()));
}

// The tableaux are data beside the passes: each pass on the linear system y' = [[a, -b], [b, a]] y,
// which is y' = λy for λ = a + ib written in (Re y; Im y), takes (1; 0) to (Re R(hλ); Im R(hλ)).
calc::Vector rotation_step(Complex lambda, const calc::Vector& y) {
    calc::Vector out = y;
    out[0] = lambda.real() * y[0] - lambda.imag() * y[1];
    out[1] = lambda.imag() * y[0] + lambda.real() * y[1];
    return out;
}

calc::Vector start_one() {
    calc::Vector y{{}, 2};
    y[0] = 1;
    return y;
}

template <std::size_t S>
calc::Vector attempt_of(const calc::PairTable<S>& table, Complex lambda, double h) {
    auto f = [lambda](double, const calc::Vector& y) { return rotation_step(lambda, y); };
    const calc::SystemPoint p{0, start_one()};
    return calc::attempt(table, f, p, h, f(0, p.y)).next.y;
}

calc::Vector pass_on_linear(const Scheme& scheme, Complex lambda, double h) {
    if (const Method* method = std::get_if<Method>(&scheme)) {
        const calc::SystemFunction f = [lambda](double, const calc::Vector& y) {
            return rotation_step(lambda, y);
        };
        return calc::system_pass(*method, f, {0, start_one()}, h).next.y;
    }
    switch (std::get<Pair>(scheme)) {
    case Pair::bs23:
        return attempt_of(calc::pairs::bogacki_shampine, lambda, h);
    case Pair::rkf45:
        return attempt_of(calc::pairs::fehlberg, lambda, h);
    case Pair::dopri5:
        break;
    }
    return attempt_of(calc::pairs::dormand_prince, lambda, h);
}

struct SchemeRow {
    const char* name;
    Scheme scheme;
};

class PassTest : public testing::TestWithParam<SchemeRow> {};

TEST_P(PassTest, StepOnLinearEquationIsR) {
    const Scheme& scheme = GetParam().scheme;
    for (const Complex lambda : {Complex(-1, 0), Complex(-2, 3), Complex(0.5, -1.5)}) {
        const double h = 0.4;
        const calc::Vector y = pass_on_linear(scheme, lambda, h);
        const Complex r = r_of(scheme, h * lambda);
        // The implicit passes solve their equation by Newton to its tolerance.
        EXPECT_NEAR(y[0], r.real(), 1e-9) << lambda;
        EXPECT_NEAR(y[1], r.imag(), 1e-9) << lambda;
    }
}

const SchemeRow every_scheme[] = {
    {"euler", Method::euler},
    {"heun", Method::heun},
    {"mittelpunkt", Method::midpoint},
    {"rk3", Method::rk3},
    {"rk4", Method::rk4},
    {"impl_euler", Method::implicit_euler},
    {"trapez", Method::trapezoid},
    {"impl_mittelpunkt", Method::implicit_midpoint},
    {"bs23", Pair::bs23},
    {"rkf45", Pair::rkf45},
    {"dopri5", Pair::dopri5},
};

INSTANTIATE_TEST_SUITE_P(Stability, PassTest, testing::ValuesIn(every_scheme), CaseName{});

// Every point of a boundary has |R| = 1, to the grid's interpolation; the region is covered, and
// where the interval ends the boundary crosses the real axis.
class BoundaryTest : public testing::TestWithParam<SchemeRow> {};

TEST_P(BoundaryTest, LiesOnTheUnitLevelOfR) {
    const Scheme& scheme = GetParam().scheme;
    const std::vector<calc::StabilityBoundary>& all = calc::stability_boundaries();
    ASSERT_EQ(all.size(), 11U);
    const calc::StabilityBoundary& boundary = all[index_of(scheme)];
    ASSERT_FALSE(boundary.lines.empty());
    std::size_t points = 0;
    double max_im = 0;
    double min_im = 0;
    for (const std::vector<Complex>& line : boundary.lines) {
        ASSERT_GE(line.size(), 2U);
        for (const Complex& z : line) {
            ++points;
            EXPECT_NEAR(magnitude_of(scheme, z), 1.0, 2e-2) << z;
            max_im = std::max(max_im, z.imag());
            min_im = std::min(min_im, z.imag());
        }
    }
    EXPECT_GT(points, 50U);
    // Symmetric about the real axis.
    EXPECT_DOUBLE_EQ(max_im, -min_im);
    const calc::StabilityInterval interval = interval_of(scheme);
    if (std::isfinite(interval.left)) {
        double nearest = std::numeric_limits<double>::infinity();
        for (const std::vector<Complex>& line : boundary.lines) {
            for (const Complex& z : line) {
                nearest = std::min(nearest, std::abs(z - Complex(interval.left, 0)));
            }
        }
        EXPECT_LT(nearest, 1e-2);
    }
}

INSTANTIATE_TEST_SUITE_P(Stability, BoundaryTest, testing::ValuesIn(every_scheme), CaseName{});

TEST(StabilityBoundaries, ComputedOnce) {
    EXPECT_EQ(&calc::stability_boundaries(), &calc::stability_boundaries());
}

TEST(StabilityBoundaries, ImplicitBoundariesAreTheirCurves) {
    const std::vector<calc::StabilityBoundary>& all = calc::stability_boundaries();
    // Implicit Euler: the circle |z - 1| = 1; the trapezoid: the imaginary axis over the region.
    for (const auto& line : all[calc::boundary_index(Method::implicit_euler)].lines) {
        for (const Complex& z : line) {
            EXPECT_NEAR(std::abs(z - 1.0), 1.0, 1e-2) << z;
        }
    }
    double reach = 0;
    for (const auto& line : all[calc::boundary_index(Method::trapezoid)].lines) {
        for (const Complex& z : line) {
            EXPECT_NEAR(z.real(), 0.0, 1e-9) << z;
            reach = std::max(reach, std::abs(z.imag()));
        }
    }
    EXPECT_GE(reach, 8.0);
}

// The label texts.
struct FormulaRow {
    const char* name;
    Scheme scheme;
    const char* formula;
};

class FormulaTest : public testing::TestWithParam<FormulaRow> {};

TEST_P(FormulaTest, WritesR) {
    const FormulaRow& row = GetParam();
    EXPECT_EQ(std::visit([](auto id) { return calc::stability_formula(id, german); }, row.scheme),
              row.formula);
}

INSTANTIATE_TEST_SUITE_P(
    Stability, FormulaTest,
    testing::Values(FormulaRow{"euler", Method::euler, "R(z) = 1 + z"},
                    FormulaRow{"heun", Method::heun, "R(z) = 1 + z + z\u00b2/2"},
                    FormulaRow{"mittelpunkt", Method::midpoint, "R(z) = 1 + z + z\u00b2/2"},
                    FormulaRow{"rk3", Method::rk3, "R(z) = 1 + z + z\u00b2/2 + z\u00b3/6"},
                    FormulaRow{"rk4", Method::rk4,
                               "R(z) = 1 + z + z\u00b2/2 + z\u00b3/6 + z\u2074/24"},
                    FormulaRow{"impl_euler", Method::implicit_euler, "R(z) = 1/(1 \u2212 z)"},
                    FormulaRow{"trapez", Method::trapezoid, "R(z) = (1 + z/2)/(1 \u2212 z/2)"},
                    FormulaRow{"impl_mittelpunkt", Method::implicit_midpoint,
                               "R(z) = (1 + z/2)/(1 \u2212 z/2)"},
                    FormulaRow{"bs23", Pair::bs23, "R(z) = 1 + z + z\u00b2/2 + z\u00b3/6"},
                    FormulaRow{"rkf45", Pair::rkf45,
                               "R(z) = 1 + z + z\u00b2/2 + z\u00b3/6 + z\u2074/24 + z\u2075/104"},
                    FormulaRow{"dopri5", Pair::dopri5,
                               "R(z) = 1 + z + z\u00b2/2 + z\u00b3/6 + z\u2074/24 + z\u2075/120 + "
                               "z\u2076/600"}),
    CaseName{});

struct IntervalTextRow {
    const char* name;
    calc::StabilityInterval interval;
    calc::NumberLocale locale;
    const char* text;
};

class IntervalTextTest : public testing::TestWithParam<IntervalTextRow> {};

TEST_P(IntervalTextTest, WritesTheInterval) {
    const IntervalTextRow& row = GetParam();
    EXPECT_EQ(calc::interval_text(row.interval, row.locale), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Stability, IntervalTextTest,
    testing::Values(
        IntervalTextRow{"rk4_german", calc::stability_interval(Method::rk4), german,
                        "Stabilit\u00e4tsintervall auf der reellen Achse: [\u22122,7853; 0]"},
        IntervalTextRow{"euler_english", calc::stability_interval(Method::euler), english,
                        "Stabilit\u00e4tsintervall auf der reellen Achse: [\u22122.0000; 0]"},
        IntervalTextRow{"unbounded", calc::stability_interval(Method::trapezoid), german,
                        "Stabilit\u00e4tsintervall auf der reellen Achse: (\u2212\u221e; 0]"}),
    CaseName{});

} // namespace
