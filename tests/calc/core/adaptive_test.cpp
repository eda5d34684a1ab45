// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/core/adaptive.h"
#include "calc/text/warnings.h"

#include "tests/named_case.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

namespace {

using calc::AdaptiveStop;
using calc::Pair;
using calc::Vector;
using named_case::PrintTo;

constexpr double inf = std::numeric_limits<double>::infinity();

// The factor of the next step: 0.9 err^(-1/(q+1)) within [0.2, 5], 5 for err = 0, at most 1 right
// after a rejection.
struct FactorCase {
    const char* name;
    double err;
    int q;
    bool no_growth;
    double factor;
};

const FactorCase factor_cases[] = {
    {"zero_error_grows_fivefold", 0, 4, false, 5},
    {"tiny_error_is_held_at_five", 1e-30, 4, false, 5},
    {"error_one_gives_the_safety_factor", 1, 2, false, 0.9},
    {"order_four_takes_the_fifth_root", 32, 4, false, 0.45},
    {"order_two_takes_the_third_root", 8, 2, false, 0.45},
    {"huge_error_is_held_at_a_fifth", 1e10, 4, false, 0.2},
    {"infinite_error_is_held_at_a_fifth", inf, 2, false, 0.2},
    {"zero_error_after_rejection_keeps_the_step", 0, 4, true, 1},
    {"small_error_after_rejection_keeps_the_step", 0.5, 2, true, 1},
    {"shrinking_after_rejection_is_not_limited", 32, 4, true, 0.45},
};

class StepFactor : public testing::TestWithParam<FactorCase> {};

TEST_P(StepFactor, IsLimited) {
    const FactorCase& c = GetParam();
    EXPECT_NEAR(calc::step_factor(c.err, c.q, c.no_growth), c.factor, 1e-15);
}

INSTANTIATE_TEST_SUITE_P(Controller, StepFactor, testing::ValuesIn(factor_cases), CaseName{});

Vector vector_of(std::initializer_list<double> values) {
    Vector v{{}, values.size()};
    std::size_t i = 0;
    for (double value : values) {
        v[i++] = value;
    }
    return v;
}

// The error against sk_i = tol + tol max(|y_i|, |y_new_i|), by hand.
struct NormCase {
    const char* name;
    Vector e, y, y_new;
    double tol;
    double err;
};

const NormCase norm_cases[] = {
    {"scalar_scaled_by_the_larger_value", vector_of({1e-6}), vector_of({1}), vector_of({-3}), 1e-6,
     0.25},
    {"two_components_mean_square", vector_of({3e-6, 4e-6}), vector_of({0, 0}), vector_of({0, 0}),
     1e-6, std::sqrt(12.5)},
    {"large_finite_quotient_is_not_infinite", vector_of({1e200}), vector_of({0}), vector_of({0}),
     1e-10, 1e210},
    {"large_quotients_of_two_components", vector_of({1e200, -1e200}), vector_of({0, 0}),
     vector_of({0, 0}), 1e-10, 1e210},
    {"quotient_past_the_doubles_is_infinite", vector_of({1e300}), vector_of({0}), vector_of({0}),
     1e-300, inf},
};

class ErrorNorm : public testing::TestWithParam<NormCase> {};

TEST_P(ErrorNorm, IsTheRootMeanSquareOfTheScaledEstimate) {
    const NormCase& c = GetParam();
    const double err = calc::error_norm(c.e, c.y, c.y_new, c.tol);
    if (std::isinf(c.err)) {
        EXPECT_EQ(err, inf);
    } else {
        EXPECT_NEAR(err, c.err, c.err * 1e-14);
    }
    if (c.e.size() == 1) {
        EXPECT_EQ(calc::error_norm(c.e[0], c.y[0], c.y_new[0], c.tol), err);
    }
}

INSTANTIATE_TEST_SUITE_P(Controller, ErrorNorm, testing::ValuesIn(norm_cases), CaseName{});

using Slope = calc::SlopeOf<double>;

// f wrapped so that the test counts its calls itself.
struct Counted {
    Slope f;
    std::size_t calls = 0;
    Slope counting() {
        return [this](double x, double y) {
            ++calls;
            return f(x, y);
        };
    }
};

// What every run must show, whatever it solves: the attempts follow each other as the control
// says, and the evaluations are the calls of f.
void expect_consistent(const calc::AdaptiveRun& run, Pair pair, double og, std::size_t calls) {
    const calc::PairInfo& info = calc::pair_info(pair);
    ASSERT_FALSE(run.attempts.empty());
    EXPECT_EQ(run.accepted + run.rejected, run.attempts.size());
    EXPECT_EQ(run.evaluations, calls);
    const std::size_t per_attempt = static_cast<std::size_t>(info.stage_count) - 1;
    const std::size_t first_slopes = info.fsal ? 0 : run.accepted - 1;
    EXPECT_EQ(run.evaluations, 2 + per_attempt * run.attempts.size() + first_slopes);
    for (std::size_t i = 0; i < run.attempts.size(); ++i) {
        const auto& a = run.attempts[i];
        EXPECT_EQ(a.accepted, a.err <= 1) << i;
        if (i > 0 && a.accepted && !run.attempts[i - 1].accepted) {
            EXPECT_LE(a.fac, 1) << i;
        }
        EXPECT_GE(a.fac, 0.2) << i;
        EXPECT_LE(a.fac, 5) << i;
        if (i + 1 == run.attempts.size()) {
            break;
        }
        const auto& next = run.attempts[i + 1];
        EXPECT_EQ(next.x, a.accepted ? a.x + a.h : a.x) << i;
        // The step the control asked for, or the rest up to og where that would pass og.
        EXPECT_TRUE(next.h == a.h * a.fac || next.h == og - next.x) << i;
    }
    EXPECT_TRUE(run.attempts.back().accepted);
    const auto& last = run.attempts.back();
    EXPECT_TRUE(last.x + last.h == og || last.h == og - last.x);
}

struct RunCase {
    const char* name;
    Pair pair;
    Slope f;
    double ug, aw, og, tol;
    std::function<double(double)> exact;
    bool rejects; // the run has to reject attempts
};

const auto minus_x_y2 = [](double x, double y) { return (-x) * (y * y); };
const auto minus_x_y2_exact = [](double x) { return 2 / (x * x + 2); };
// Stiff: the step is held at the stability bound, and attempts beyond it are rejected.
const auto stiff = [](double x, double y) { return -1000 * (y - std::sin(x)); };

const RunCase run_cases[] = {
    {"bs23_forward", Pair::bs23, minus_x_y2, 0, 1, 1, 1e-8, minus_x_y2_exact, false},
    {"rkf45_forward", Pair::rkf45, minus_x_y2, 0, 1, 1, 1e-8, minus_x_y2_exact, false},
    {"dopri5_forward", Pair::dopri5, minus_x_y2, 0, 1, 1, 1e-8, minus_x_y2_exact, false},
    {"bs23_backward", Pair::bs23, minus_x_y2, 1, 2.0 / 3, 0, 1e-8, minus_x_y2_exact, false},
    {"rkf45_backward", Pair::rkf45, minus_x_y2, 1, 2.0 / 3, -0.5, 1e-8, minus_x_y2_exact, false},
    {"dopri5_backward", Pair::dopri5, minus_x_y2, 1, 2.0 / 3, -2, 1e-8, minus_x_y2_exact, false},
    {"bs23_stiff", Pair::bs23, stiff, 0, 0, 1, 1e-4, {}, true},
    {"rkf45_stiff", Pair::rkf45, stiff, 0, 0, 1, 1e-4, {}, true},
    {"dopri5_stiff", Pair::dopri5, stiff, 0, 0, 1, 1e-4, {}, true},
};

class AdaptiveRun : public testing::TestWithParam<RunCase> {};

TEST_P(AdaptiveRun, ReachesTheUpperBoundExactly) {
    const RunCase& c = GetParam();
    Counted counted{c.f};
    const auto run =
        calc::adaptive_run<double>(c.pair, counted.counting(), {c.ug, c.aw}, c.og, c.tol, true);
    ASSERT_EQ(run.stop, AdaptiveStop::reached);
    EXPECT_TRUE(run.end.finite);
    EXPECT_EQ(run.end.point.x, c.og);
    expect_consistent(run, c.pair, c.og, counted.calls);
    for (const auto& a : run.attempts) {
        EXPECT_EQ(a.h > 0, c.og > c.ug);
    }
    if (c.exact) {
        EXPECT_NEAR(run.end.point.y, c.exact(c.og), 1e-6);
    }
    if (c.rejects) {
        EXPECT_GT(run.rejected, 0U);
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, AdaptiveRun, testing::ValuesIn(run_cases), CaseName{});

// The first step, by hand, seen as the first attempt's h; q = 4 for dopri5.
struct FirstStepCase {
    const char* name;
    Slope f;
    double ug, aw, og, tol;
    double h;
};

const FirstStepCase first_step_cases[] = {
    // sk = 2e-6, d0 = d1 = 5e5: h0 = 0.01; f1 = 1.01, d2 = 5e5: h1 = (0.01 / 5e5)^(1/5).
    {"exponential", [](double, double y) { return y; }, 0, 1, 1, 1e-6, std::pow(2e-8, 0.2)},
    {"exponential_backward", [](double, double y) { return y; }, 0, 1, -1, 1e-6,
     -std::pow(2e-8, 0.2)},
    // y0 = 0: h0 = 1e-6, d1 = 1e6, d2 = 0: h1 = (1e-8)^(1/5), larger than 100 h0.
    {"zero_start_is_held_at_a_hundred_h0", [](double, double) { return 1.0; }, 0, 0, 1, 1e-6, 1e-4},
    // f = 0: d1 = d2 = 0, h1 = max(1e-6, 1e-3 h0) = 1e-6.
    {"constant_solution", [](double, double) { return 0.0; }, 0, 1, 1, 1e-6, 1e-6},
    // The span is shorter than every guess.
    {"short_span", [](double, double y) { return y; }, 0, 1, 1e-3, 1e-6, 1e-3},
};

class FirstStep : public testing::TestWithParam<FirstStepCase> {};

TEST_P(FirstStep, IsTheFirstAttemptsStep) {
    const FirstStepCase& c = GetParam();
    const auto run = calc::adaptive_run<double>(Pair::dopri5, c.f, {c.ug, c.aw}, c.og, c.tol, true);
    ASSERT_FALSE(run.attempts.empty());
    EXPECT_NEAR(run.attempts.front().h, c.h, std::fabs(c.h) * 1e-13);
}

INSTANTIATE_TEST_SUITE_P(Controller, FirstStep, testing::ValuesIn(first_step_cases), CaseName{});

// Runs that end before og, or make no attempt at all.
struct StopCase {
    const char* name;
    Pair pair;
    Slope f;
    double ug, aw, og, tol;
    AdaptiveStop stop;
    calc::Failure failure;
    double stop_x_min, stop_x_max; // where the run ended
};

const auto pole = [](double x, double) { return 1 / (x - 0.5); };
const auto root = [](double x, double) { return std::sqrt(1 - x); };
const double nan = std::numeric_limits<double>::quiet_NaN();

const StopCase stop_cases[] = {
    {"bs23_pole_step_too_small", Pair::bs23, pole, 0, 0, 1, 1e-6, AdaptiveStop::step_too_small,
     calc::Failure::none, 0.49, 0.5},
    {"rkf45_pole_step_too_small", Pair::rkf45, pole, 0, 0, 1, 1e-6, AdaptiveStop::step_too_small,
     calc::Failure::none, 0.49, 0.5},
    {"dopri5_pole_step_too_small", Pair::dopri5, pole, 0, 0, 1, 1e-6, AdaptiveStop::step_too_small,
     calc::Failure::none, 0.49, 0.5},
    {"bs23_stiff_too_many_attempts", Pair::bs23, stiff, 0, 0, 1000, 1e-13,
     AdaptiveStop::too_many_attempts, calc::Failure::none, 0, 1000},
    {"dopri5_root_undefined_past_one", Pair::dopri5, root, 0, 0, 2, 1e-6, AdaptiveStop::failed,
     calc::Failure::undefined, 1, 2},
    {"rkf45_root_undefined_past_one", Pair::rkf45, root, 0, 0, 2, 1e-6, AdaptiveStop::failed,
     calc::Failure::undefined, 1, 2},
    {"infinite_start_overflows", Pair::dopri5, minus_x_y2, 0, inf, 1, 1e-6, AdaptiveStop::failed,
     calc::Failure::overflow, 0, 0},
    {"blow_up_overflows", Pair::bs23, [](double, double y) { return y * y; }, 0, 1e200, 1, 1e-6,
     AdaptiveStop::failed, calc::Failure::overflow, 0, 1},
    {"zero_tolerance_is_refused", Pair::dopri5, minus_x_y2, 0, 1, 1, 0, AdaptiveStop::invalid,
     calc::Failure::none, 0, 0},
    {"negative_tolerance_is_refused", Pair::bs23, minus_x_y2, 0, 1, 1, -1e-6, AdaptiveStop::invalid,
     calc::Failure::none, 0, 0},
    {"nan_tolerance_is_refused", Pair::rkf45, minus_x_y2, 0, 1, 1, nan, AdaptiveStop::invalid,
     calc::Failure::none, 0, 0},
    {"infinite_bound_is_refused", Pair::dopri5, minus_x_y2, 0, 1, inf, 1e-6, AdaptiveStop::invalid,
     calc::Failure::none, 0, 0},
};

class AdaptiveStopCase : public testing::TestWithParam<StopCase> {};

TEST_P(AdaptiveStopCase, EndsWithoutAResult) {
    const StopCase& c = GetParam();
    Counted counted{c.f};
    const auto run =
        calc::adaptive_run<double>(c.pair, counted.counting(), {c.ug, c.aw}, c.og, c.tol, true);
    EXPECT_EQ(run.stop, c.stop);
    EXPECT_EQ(run.end.failure, c.failure);
    EXPECT_EQ(run.evaluations, counted.calls);
    EXPECT_LE(run.attempts.size(), calc::max_attempts);
    const double x = c.failure == calc::Failure::undefined ? run.end.where.x : run.end.point.x;
    EXPECT_GE(x, c.stop_x_min);
    EXPECT_LE(x, c.stop_x_max);
    if (c.stop == AdaptiveStop::too_many_attempts) {
        EXPECT_EQ(run.attempts.size(), calc::max_attempts);
        EXPECT_LT(run.end.point.x, c.og);
    }
    if (c.stop == AdaptiveStop::step_too_small) {
        EXPECT_TRUE(run.end.finite);
        EXPECT_LT(std::fabs(run.attempts.back().h * run.attempts.back().fac),
                  1e-12); // the step shrank to the last places of x
    }
    if (c.stop == AdaptiveStop::invalid) {
        EXPECT_EQ(run.evaluations, 0U);
        EXPECT_TRUE(run.attempts.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, AdaptiveStopCase, testing::ValuesIn(stop_cases), CaseName{});

// A NaN of the default f is not an undefined f but an overflow, as for the fixed run.
TEST(AdaptiveRunFailure, NanOfTheDefaultSlopeIsAnOverflow) {
    const auto run = calc::adaptive_run<double>(Pair::dopri5, root, {0, 0}, 2, 1e-6, false);
    EXPECT_EQ(run.stop, AdaptiveStop::failed);
    EXPECT_EQ(run.end.failure, calc::Failure::overflow);
}

// From ug == og nothing is integrated: the start is the end, and f is never called.
TEST(AdaptiveRunFailure, EqualBoundsEndAtTheStart) {
    Counted counted{minus_x_y2};
    const auto run =
        calc::adaptive_run<double>(Pair::bs23, counted.counting(), {0.5, 3}, 0.5, 1e-6, true);
    EXPECT_EQ(run.stop, AdaptiveStop::reached);
    EXPECT_EQ(run.end.point.x, 0.5);
    EXPECT_EQ(run.end.point.y, 3);
    EXPECT_TRUE(run.attempts.empty());
    EXPECT_EQ(counted.calls, 0U);
}

using SystemSlope = calc::SlopeOf<Vector>;

struct SystemCase {
    const char* name;
    Pair pair;
};

const SystemCase system_cases[] = {
    {"bs23", Pair::bs23}, {"rkf45", Pair::rkf45}, {"dopri5", Pair::dopri5}};

class SystemAdaptiveRun : public testing::TestWithParam<SystemCase> {};

// The oscillator y1' = y2, y2' = -y1 from (1; 0) to x = 1: (cos 1; -sin 1).
TEST_P(SystemAdaptiveRun, OscillatorOfTwoComponents) {
    const SystemSlope f = [](double, const Vector& y) { return vector_of({y[1], -y[0]}); };
    const auto run =
        calc::adaptive_run<Vector>(GetParam().pair, f, {0, vector_of({1, 0})}, 1, 1e-9, true);
    ASSERT_EQ(run.stop, AdaptiveStop::reached);
    EXPECT_EQ(run.end.point.x, 1);
    EXPECT_NEAR(run.end.point.y[0], std::cos(1.0), 1e-7);
    EXPECT_NEAR(run.end.point.y[1], -std::sin(1.0), 1e-7);
    EXPECT_EQ(run.end.point.y.size(), 2U);
}

// A system of one component makes the scalar's attempts, to the bit.
TEST_P(SystemAdaptiveRun, OneComponentMakesTheScalarsAttempts) {
    const SystemSlope f = [](double x, const Vector& y) { return vector_of({stiff(x, y[0])}); };
    const auto system =
        calc::adaptive_run<Vector>(GetParam().pair, f, {0, vector_of({0.5})}, 1, 1e-5, true);
    const auto scalar = calc::adaptive_run<double>(GetParam().pair, stiff, {0, 0.5}, 1, 1e-5, true);
    ASSERT_EQ(system.attempts.size(), scalar.attempts.size());
    for (std::size_t i = 0; i < scalar.attempts.size(); ++i) {
        EXPECT_EQ(system.attempts[i].h, scalar.attempts[i].h) << i;
        EXPECT_EQ(system.attempts[i].err, scalar.attempts[i].err) << i;
    }
    EXPECT_EQ(system.end.point.y[0], scalar.end.point.y);
    EXPECT_EQ(system.evaluations, scalar.evaluations);
}

// An undefined component is named: f gives a NaN in y2' only, past x = 1.
TEST_P(SystemAdaptiveRun, UndefinedComponentIsNamed) {
    const SystemSlope f = [](double x, const Vector& y) {
        return vector_of({y[1], std::sqrt(1 - x)});
    };
    const auto run =
        calc::adaptive_run<Vector>(GetParam().pair, f, {0, vector_of({0, 0})}, 2, 1e-6, true);
    EXPECT_EQ(run.stop, AdaptiveStop::failed);
    EXPECT_EQ(run.end.failure, calc::Failure::undefined);
    EXPECT_EQ(run.end.component, 1U);
    EXPECT_GT(run.end.where.x, 1);
}

INSTANTIATE_TEST_SUITE_P(Pairs, SystemAdaptiveRun, testing::ValuesIn(system_cases), CaseName{});

TEST(AdaptiveWarning, TextsOfTheStops) {
    const calc::NumberLocale german{",", ".", "-"};
    EXPECT_EQ(calc::adaptive_warning_text::step_too_small(0.4999999, german),
              "Die Schrittweite wird bei x = 0,4999999 zu klein.");
    EXPECT_EQ(calc::adaptive_warning_text::step_too_small(-2.5, calc::NumberLocale{}),
              "Die Schrittweite wird bei x = -2.5 zu klein.");
    EXPECT_NE(std::string(calc::adaptive_warning_text::too_many_attempts)
                  .find(std::to_string(calc::max_attempts)),
              std::string::npos);
}

} // namespace
