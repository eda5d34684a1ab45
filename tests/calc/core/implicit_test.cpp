// SPDX-License-Identifier: GPL-3.0-or-later
// The implicit methods: their pass on y' = λ y against the stability function, Newton's stop, the
// evaluations a run counts, and the warning of a pass that Newton does not solve.
#include "calc/calculate.h"
#include "calc/core/methods.h"
#include "calc/core/passes.h"
#include "calc/system_calculate.h"
#include "calc/text/warnings.h"

#include "tests/named_case.h"
#include "tests/system_task.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <variant>

namespace {

using calc::Method;
using named_case::PrintTo;

struct LinearCase {
    const char* name;
    Method method;
    double lambda;
    double h;
    int iterations;
};

class ImplicitLinearPass : public testing::TestWithParam<LinearCase> {};

// On y' = λ y each implicit pass is y ↦ R(h λ) y: 1 / (1 - z) for implicit Euler and
// (1 + z/2) / (1 - z/2) for the trapezoid and the implicit midpoint. Newton's first update lands
// on that root up to J's error, the rounding of its central difference (about 1E-11 of λ); the
// second is below the tolerance and stops it, unless |h λ| is so large that this error still
// counts: then a third update is needed.
TEST_P(ImplicitLinearPass, IsTheStabilityFunctionTimesY) {
    const LinearCase& c = GetParam();
    const double z = c.h * c.lambda;
    const double r = c.method == Method::implicit_euler ? 1 / (1 - z) : (1 + z / 2) / (1 - z / 2);
    int evaluations = 0;
    auto f = [&](double, double y) {
        ++evaluations;
        return c.lambda * y;
    };
    const calc::PointOf<double> start{0, 1.5};
    const calc::PassOf<double> pass = calc::passes::pass_of(c.method, f, start, c.h);
    EXPECT_NEAR(pass.next.y, r * 1.5, 1e-13 * std::fabs(r * 1.5));
    EXPECT_DOUBLE_EQ(pass.next.x, c.h);
    EXPECT_TRUE(pass.converged);
    EXPECT_EQ(pass.iterations, c.iterations);
    // The evaluations that a run counts are the ones the pass made.
    EXPECT_EQ(static_cast<std::size_t>(evaluations),
              calc::evaluations_of(c.method, 1, static_cast<std::size_t>(pass.iterations), 1));
}

const LinearCase linear_cases[] = {
    {"ImplicitEulerDecay", Method::implicit_euler, -3, 0.1, 2},
    {"ImplicitEulerStiff", Method::implicit_euler, -50, 0.05, 3},
    {"ImplicitEulerGrowth", Method::implicit_euler, 2, 0.1, 2},
    {"TrapezoidDecay", Method::trapezoid, -3, 0.1, 2},
    {"TrapezoidStiffFlipsTheSign", Method::trapezoid, -1000, 0.05, 3},
    {"MidpointDecay", Method::implicit_midpoint, -3, 0.1, 2},
    {"MidpointGrowth", Method::implicit_midpoint, 4, 0.2, 2},
};
INSTANTIATE_TEST_SUITE_P(Methods, ImplicitLinearPass, testing::ValuesIn(linear_cases), CaseName{});

// Over a whole run the evaluations of a system's passes are counted as evaluations_of counts them
// from the run's Newton iterations: the Jacobian's central differences cost two a component.
TEST(ImplicitRun, CountsEveryEvaluationOfAComponentsSystem) {
    for (const Method method :
         {Method::implicit_euler, Method::trapezoid, Method::implicit_midpoint}) {
        std::size_t evaluations = 0;
        auto f = [&](double x, const calc::Vector& y) {
            ++evaluations;
            return calc::Vector{{y[1], -y[0] + 0.1 * std::sin(x) * y[0] * y[0]}, 2};
        };
        const calc::RunEndOf<calc::Vector> end = calc::passes::checked_run(
            method, f, static_cast<std::size_t>(calc::method_info(method).stage_count), true,
            calc::PointOf<calc::Vector>{0, calc::Vector{{1, 0}, 2}}, 0.1, 25);
        ASSERT_TRUE(end.finite) << calc::method_info(method).name;
        EXPECT_GE(end.iterations, 2u * 25u);
        EXPECT_EQ(evaluations, calc::evaluations_of(method, 25, end.iterations, 2))
            << calc::method_info(method).name;
    }
}

struct NewtonCase {
    const char* name;
    const char* typed;
    Method method;
    calc::EntryTexts entries; // Anzahl, Untergrenze, Obergrenze, Anfangswert
    std::string warning;
};

class NewtonFailure : public testing::TestWithParam<NewtonCase> {};

TEST_P(NewtonFailure, WarnsWhereThePassStarts) {
    const NewtonCase& c = GetParam();
    const calc::Outcome outcome =
        calc::calculate(calc::Task(c.entries, c.typed, c.method), test_locales::german);
    const auto* warning = std::get_if<calc::Warning>(&outcome);
    ASSERT_NE(warning, nullptr) << std::get<calc::ResultLine>(outcome).text;
    EXPECT_EQ(warning->text, c.warning);
}

const std::string at_start = "Das Newton-Verfahren konvergiert bei x = 0 nicht.";

const NewtonCase newton_cases[] = {
    // h λ = 1: G' = 1 - h J is zero up to the rounding of J, and Y = y + Y has no solution.
    {"NoSolutionAtHLambdaOne", "10*y", Method::implicit_euler, {"10", "0", "1", "1"}, at_start},
    {"TrapezoidAtHLambdaTwo", "10*y", Method::trapezoid, {"5", "0", "1", "1"}, at_start},
    {"MidpointAtHLambdaTwo", "10*y", Method::implicit_midpoint, {"5", "0", "1", "1"}, at_start},
    // Newton starts from the Euler step y + h f = -9, where the root is not defined.
    {"RootOfANegativeIterate",
     "-10*sqrt(y)",
     Method::implicit_euler,
     {"1", "0", "1", "1"},
     at_start},
    // At y = 0 the central difference takes sqrt(-δ): J is NaN.
    {"JacobianOfNaN", "sqrt(y)", Method::implicit_euler, {"10", "0", "1", "0"}, at_start},
    // f jumps from -1E307 to 1E307 across y = 1: the difference quotient overflows.
    {"InfiniteJacobian",
     "1e307*tanh(1e10*(y-1))",
     Method::trapezoid,
     {"10", "0", "1", "1"},
     at_start},
    // h = 1: Y = 0,5 + Y³ has a single, negative root, which Newton from the Euler step 0,625
    // across the turning points of G does not reach.
    {"CubeWithALargeStep", "y^3", Method::implicit_euler, {"2", "0", "2", "0,5"}, at_start},
    // f not finite at the pass's own start keeps the warning every method gives there.
    {"UndefinedAtTheStart",
     "sqrt(-1)",
     Method::implicit_midpoint,
     {"10", "0", "1", "1"},
     "Die Differentialgleichung ist bei x = 0, y = 1 nicht definiert."},
};
INSTANTIATE_TEST_SUITE_P(Methods, NewtonFailure, testing::ValuesIn(newton_cases), CaseName{});

// A system gets the same warning, without pointing at an entry.
TEST(NewtonFailure, OfASystemNamesThePassStart) {
    const calc::SystemTask task = taskOf(calc::SystemForm::first_order, {"10*y1", "y2"}, {"1", "1"},
                                         "0", "1", "10", Method::implicit_euler);
    const calc::SystemOutcome outcome = calc::calculate_system(task, test_locales::german);
    const auto* warning = std::get_if<calc::SystemWarning>(&outcome);
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(warning->text, at_start);
}

} // namespace
