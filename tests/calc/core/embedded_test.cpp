// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/core/adaptive.h"
#include "calc/core/embedded.h"
#include "calc/core/pairs/bogacki_shampine.h"
#include "calc/core/pairs/dormand_prince.h"
#include "calc/core/pairs/fehlberg.h"

#include "tests/named_case.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace {

using calc::Pair;
using named_case::PrintTo;

// The coefficients typed a second time, as fractions, for the checks in long double.
struct Fraction {
    long double num, den;
    long double value() const { return num / den; }
};
using Row = std::vector<Fraction>;

struct PairCase {
    const char* name;
    Pair pair;
    std::vector<Row> a; // rows 2..s
    Row b, e;
    std::vector<long double> stability; // the carried solution's R(z) = sum r_j z^j
};

const PairCase pair_cases[] = {
    {"bs23",
     Pair::bs23,
     {{{1, 2}}, {{0, 1}, {3, 4}}, {{2, 9}, {1, 3}, {4, 9}}},
     {{2, 9}, {1, 3}, {4, 9}, {0, 1}},
     {{-5, 72}, {1, 12}, {1, 9}, {-1, 8}},
     {1, 1, 1.0L / 2, 1.0L / 6}},
    {"rkf45",
     Pair::rkf45,
     {{{1, 4}},
      {{3, 32}, {9, 32}},
      {{1932, 2197}, {-7200, 2197}, {7296, 2197}},
      {{439, 216}, {-8, 1}, {3680, 513}, {-845, 4104}},
      {{-8, 27}, {2, 1}, {-3544, 2565}, {1859, 4104}, {-11, 40}}},
     {{25, 216}, {0, 1}, {1408, 2565}, {2197, 4104}, {-1, 5}, {0, 1}},
     {{-1, 360}, {0, 1}, {128, 4275}, {2197, 75240}, {-1, 50}, {-2, 55}},
     {1, 1, 1.0L / 2, 1.0L / 6, 1.0L / 24, 1.0L / 104}},
    {"dopri5",
     Pair::dopri5,
     {{{1, 5}},
      {{3, 40}, {9, 40}},
      {{44, 45}, {-56, 15}, {32, 9}},
      {{19372, 6561}, {-25360, 2187}, {64448, 6561}, {-212, 729}},
      {{9017, 3168}, {-355, 33}, {46732, 5247}, {49, 176}, {-5103, 18656}},
      {{35, 384}, {0, 1}, {500, 1113}, {125, 192}, {-2187, 6784}, {11, 84}}},
     {{35, 384}, {0, 1}, {500, 1113}, {125, 192}, {-2187, 6784}, {11, 84}, {0, 1}},
     {{71, 57600}, {0, 1}, {-71, 16695}, {71, 1920}, {-17253, 339200}, {22, 525}, {-1, 40}},
     {1, 1, 1.0L / 2, 1.0L / 6, 1.0L / 24, 1.0L / 120, 1.0L / 600}},
};

using Slope = std::function<double(double, double)>;

// One attempt of the pair, through its own table.
calc::AttemptStagesOf<double> attempt_of(Pair pair, const Slope& f, calc::Point p, double h,
                                         double first) {
    switch (pair) {
    case Pair::bs23:
        return calc::attempt(calc::pairs::bogacki_shampine, f, p, h, first);
    case Pair::rkf45:
        return calc::attempt(calc::pairs::fehlberg, f, p, h, first);
    case Pair::dopri5:
        break;
    }
    return calc::attempt(calc::pairs::dormand_prince, f, p, h, first);
}

class FirstAttempt : public testing::TestWithParam<PairCase> {};

// On y' = y from y(0) = 1 every stage's y is a polynomial in z = h: g_i = 1 + z sum a_ij g_j and
// k_i = h g_i. The carried solution is the stability polynomial R(z), the estimate sum E_i k_i.
TEST_P(FirstAttempt, OnExponentialMatchesLongDoubleStages) {
    const PairCase& c = GetParam();
    for (const double h : {0.1, -0.25, 0.5}) {
        std::vector<long double> k{static_cast<long double>(h)};
        for (const Row& row : c.a) {
            long double g = 1;
            for (std::size_t j = 0; j < row.size(); ++j) {
                g += row[j].value() * k[j];
            }
            k.push_back(h * g);
        }
        long double y = 1;
        long double e = 0;
        for (std::size_t j = 0; j < k.size(); ++j) {
            y += c.b[j].value() * k[j];
            e += c.e[j].value() * k[j];
        }
        long double r = 0;
        for (std::size_t j = c.stability.size(); j-- > 0;) {
            r = r * h + c.stability[j];
        }
        const Slope f = [](double, double v) { return v; };
        const auto a = attempt_of(c.pair, f, {0, 1}, h, 1);
        ASSERT_EQ(a.stage_count, k.size());
        EXPECT_NEAR(a.next.y, static_cast<double>(y), 1e-15) << "h = " << h;
        EXPECT_NEAR(a.next.y, static_cast<double>(r), 1e-15) << "h = " << h;
        EXPECT_NEAR(a.e, static_cast<double>(e), 1e-15) << "h = " << h;
        EXPECT_NE(a.e, 0) << "h = " << h;
        EXPECT_EQ(a.next.x, h);
    }
}

// A pair whose last stage is at the point reached hands that slope on: the stage point must be
// the point reached, to the bit.
TEST_P(FirstAttempt, LastStageIsThePointReachedWhereItsSlopeIsReused) {
    const PairCase& c = GetParam();
    const Slope f = [](double x, double y) { return (-x) * (y * y); };
    const auto a = attempt_of(c.pair, f, {0.3, 1.2}, 0.07, f(0.3, 1.2));
    const auto& last = a.points[a.stage_count - 1];
    const bool at_end = last.x == a.next.x && last.y == a.next.y;
    EXPECT_EQ(at_end, calc::pair_info(c.pair).fsal);
}

// An infinite slope at a stage that the solution does not weigh leaves the solution finite, as
// the sums skip the zero weights; the failure is the infinite increment, not an undefined f.
TEST_P(FirstAttempt, UnweightedInfiniteStageLeavesTheSolutionFinite) {
    const PairCase& c = GetParam();
    const double h = 0.1;
    const Slope finite_f = [](double x, double y) { return std::cos(x) - y; };
    const auto a = attempt_of(c.pair, finite_f, {0, 1}, h, finite_f(0, 1));
    // The attempt calls f once for each stage after the first; the last call is the last stage.
    std::size_t calls = 0;
    const Slope f = [&](double x, double y) {
        return ++calls == a.stage_count - 1 ? HUGE_VAL : finite_f(x, y);
    };
    const auto b = attempt_of(c.pair, f, {0, 1}, h, finite_f(0, 1));
    ASSERT_EQ(calls, a.stage_count - 1);
    EXPECT_EQ(b.k[b.stage_count - 1], HUGE_VAL);
    EXPECT_EQ(b.next.y, a.next.y);
    calc::RunEndOf<double> end{};
    EXPECT_EQ(calc::attempt_failure(b, true, &end), calc::Failure::overflow);
    EXPECT_EQ(calc::attempt_failure(a, true, &end), calc::Failure::none);
}

// The observed orders from fixed steps, halved: the carried solution of the pair's order, and the
// solution y_new - e that the estimate compares it with of its own (2 for bs23, 5 for rkf45, 4 for
// dopri5), which checks the weights E.
struct OrderCase {
    const char* name;
    Pair pair;
    Slope f;
    double y0;
    std::function<double(double)> exact;
};

double order_of(const std::vector<double>& errors) {
    return std::log2(errors[errors.size() - 2] / errors.back());
}

const auto exponential = [](double, double y) { return y; };
const auto exponential_exact = [](double x) { return std::exp(x); };
const auto minus_x_y2 = [](double x, double y) { return (-x) * (y * y); };
const auto minus_x_y2_exact = [](double x) { return 2 / (x * x + 2); };

const OrderCase order_cases[] = {
    {"bs23_exponential", Pair::bs23, exponential, 1, exponential_exact},
    {"bs23_minus_x_y2", Pair::bs23, minus_x_y2, 1, minus_x_y2_exact},
    {"rkf45_exponential", Pair::rkf45, exponential, 1, exponential_exact},
    {"rkf45_minus_x_y2", Pair::rkf45, minus_x_y2, 1, minus_x_y2_exact},
    {"dopri5_exponential", Pair::dopri5, exponential, 1, exponential_exact},
    {"dopri5_minus_x_y2", Pair::dopri5, minus_x_y2, 1, minus_x_y2_exact},
};

class FixedStepOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(FixedStepOrder, ApproachesTheOrdersOfBothSolutions) {
    const OrderCase& c = GetParam();
    const calc::PairInfo& info = calc::pair_info(c.pair);
    std::vector<double> carried;
    std::vector<double> other;
    for (int n = 8; n <= 64; n *= 2) {
        const double h = 1.0 / n;
        calc::Point p{0, c.y0};
        calc::Point q{0, c.y0};
        for (int i = 0; i < n; ++i) {
            p = attempt_of(c.pair, c.f, p, h, c.f(p.x, p.y)).next;
            // The solution the estimate is taken against: y_new - e, a method of its own.
            const auto a = attempt_of(c.pair, c.f, q, h, c.f(q.x, q.y));
            q = {a.next.x, a.next.y - a.e};
        }
        carried.push_back(std::fabs(p.y - c.exact(1)));
        other.push_back(std::fabs(q.y - c.exact(1)));
    }
    const int other_order = c.pair == Pair::bs23 ? 2 : c.pair == Pair::rkf45 ? 5 : 4;
    EXPECT_NEAR(order_of(carried), info.order, 0.3);
    EXPECT_NEAR(order_of(other), other_order, 0.35);
}

INSTANTIATE_TEST_SUITE_P(Pairs, FirstAttempt, testing::ValuesIn(pair_cases), CaseName{});
INSTANTIATE_TEST_SUITE_P(Pairs, FixedStepOrder, testing::ValuesIn(order_cases), CaseName{});

} // namespace
