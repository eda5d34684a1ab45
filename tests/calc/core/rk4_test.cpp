// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/core/rk4.h"

#include "tests/named_case.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

namespace {

using named_case::PrintTo;

using calc::Point;

std::uint64_t bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

// Compares doubles by their bits, so that -0 and 0 or a last-bit change count as different.
#define EXPECT_SAME_BITS(actual, expected)                                                         \
    EXPECT_EQ(bits(actual), bits(expected)) << (actual) << " vs " << (expected)

TEST(Rk4Pass, OnePassFromTheOriginMatchesTheHandComputedIncrements) {
    const Point p = calc::rk4_pass({0.0, 1.0}, 0.1);
    EXPECT_SAME_BITS(p.x, 0.1);
    EXPECT_SAME_BITS(p.y, 0.9950248651026068);
}

TEST(Rk4Pass, MultipliesTheWeightedSumByOneSixthInsteadOfDividingBySix) {
    // Here (sum / 6) and (sum * (1.0 / 6.0)) differ in the last bit.
    const Point p = calc::rk4_pass({-0.6, 2.9}, -0.84);
    EXPECT_SAME_BITS(p.y, -1.865236108279014);
}

TEST(Rk4Pass, ZeroStepLeavesThePointAlone) {
    const Point p = calc::rk4_pass({0.5, 2.0}, 0.0);
    EXPECT_SAME_BITS(p.x, 0.5);
    EXPECT_SAME_BITS(p.y, 2.0);
}

struct RunCase {
    const char* name;
    double x0;
    int passes;
    double h;
    double x;
    double y;
};

class Rk4RepeatedPasses : public testing::TestWithParam<RunCase> {};

TEST_P(Rk4RepeatedPasses, AdvanceTheAbscissaByRepeatedAdditionOfTheStep) {
    const RunCase& c = GetParam();
    const calc::RunEnd end = calc::rk4_run({c.x0, 1.0}, c.h, c.passes);
    EXPECT_TRUE(end.finite);
    EXPECT_SAME_BITS(end.point.x, c.x);
    EXPECT_SAME_BITS(end.point.y, c.y);
}

INSTANTIATE_TEST_SUITE_P(
    FromTheOrigin, Rk4RepeatedPasses,
    testing::Values(
        RunCase{"four_quarter_steps_reach_one_exactly", 0, 4, 0.25, 1.0, 0.6666612977550446},
        RunCase{"a_fifth_quarter_step", 0, 5, 0.25, 1.25, 0.5614047262637145},
        RunCase{"ten_tenths_fall_short_of_one", 0, 10, 0.1, 0.9999999999999999, 0.6666666130890393},
        RunCase{"eleven_tenths", 0, 11, 0.1, 1.0999999999999999, 0.6230529638010484},
        RunCase{"twenty_twentieths_overshoot_one", 0, 20, 0.05, 1.0000000000000002,
                0.6666666647129293}),
    CaseName{});

struct WholeRun {
    const char* name;
    double ug, og, aw;
    int n;
    double x, y;
};

class Rk4WholeRun : public testing::TestWithParam<WholeRun> {};

// Any re-association, fused multiply-add or other change of rounding shows in these bits.
TEST_P(Rk4WholeRun, EndsOnTheSameBitsAsPlainDoubleArithmetic) {
    const WholeRun& c = GetParam();
    const calc::RunEnd end = calc::rk4_run({c.ug, c.aw}, (c.og - c.ug) / c.n, c.n);
    EXPECT_TRUE(end.finite);
    EXPECT_SAME_BITS(end.point.x, c.x);
    EXPECT_SAME_BITS(end.point.y, c.y);
}

INSTANTIATE_TEST_SUITE_P(Bitwise, Rk4WholeRun,
                         testing::Values(WholeRun{"ten_steps_over_unit_interval", 0.0, 1.0, 1.0, 10,
                                                  0x1.fffffffffffffp-1, 0x1.555553891ae28p-1},
                                         WholeRun{"twenty_steps_over_unit_interval", 0.0, 1.0, 1.0,
                                                  20, 0x1.0000000000001p+0, 0x1.555555448d050p-1},
                                         WholeRun{"ninety_nine_steps", 0.0, 1.0, 1.0, 99,
                                                  0x1.fffffffffffeep-1, 0x1.5555555551d7dp-1},
                                         WholeRun{"backwards_from_positive_abscissa", 1.5, 0.6,
                                                  0.76, 89, 0x1.3333333333312p-1,
                                                  0x1.593599072e8c4p+1},
                                         WholeRun{"negative_initial_value", -0.61, -2.6, 1.89, 46,
                                                  -0x1.4cccccccccccbp+1, 0x1.130b16d3eef79p-2},
                                         WholeRun{"long_interval", 0.96, 2.7, 1.02, 88,
                                                  0x1.5999999999988p+1, 0x1.ebc3ccba714d1p-3},
                                         WholeRun{"four_steps", -0.03, 1.7, 1.52, 4,
                                                  0x1.b333333333334p+0, 0x1.e7562b379c4f6p-2}),
                         CaseName{});

TEST(Rk4Run, StopsAtThePoleOfTheSolution) {
    // y = 2 / (x^2 - 2) has a pole at sqrt(2), inside [0, 2].
    const calc::RunEnd end = calc::rk4_run({0.0, -1.0}, 2.0 / 50, 50);
    EXPECT_FALSE(end.finite);
    EXPECT_LT(end.point.x, 2.0);
}

} // namespace
