// SPDX-License-Identifier: GPL-3.0-or-later
// The stiff examples at the step they fill in: the explicit methods oscillate, implicit Euler
// follows the solution, and the trapezoid and the implicit midpoint let the fast component of
// the system flip its sign from pass to pass.
#include "calc/analysis/course.h"
#include "calc/analysis/system_course.h"
#include "calc/calculate.h"
#include "calc/system_calculate.h"

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

constexpr char stiff_equation[] = "-50*(y-cos(x))";

calc::Course stiff_course(Method method, const char* count) {
    const calc::Outcome outcome = calc::calculate(
        calc::Task({count, "0", "1", "1"}, stiff_equation, method), test_locales::german);
    return calc::build_course(std::get<calc::ResultLine>(outcome));
}

TEST(StiffScalar, ExplicitEulerOscillatesWhereImplicitEulerFollows) {
    // h λ = -2,5: each explicit pass multiplies the departure from the smooth solution by -1,5.
    const calc::Course explicit_run = stiff_course(Method::euler, "20");
    ASSERT_TRUE(explicit_run.exact.has_value());
    for (std::size_t row = 10; row + 1 < explicit_run.rows.size(); ++row) {
        const double now = *explicit_run.rows[row].error;
        const double next = *explicit_run.rows[row + 1].error;
        EXPECT_LT(now * next, 0) << "row " << row;
        EXPECT_GT(std::fabs(next), std::fabs(now)) << "row " << row;
    }
    EXPECT_GT(std::fabs(*explicit_run.rows.back().error), 0.1);

    const calc::Course implicit_run = stiff_course(Method::implicit_euler, "20");
    for (const calc::CourseRow& row : implicit_run.rows) {
        EXPECT_LT(std::fabs(*row.error), 0.005) << "row " << row.index;
    }
    // The course shows each pass's Newton iterations: on an equation linear in y two, or at
    // this h λ a third for the rounding of J's central difference.
    const std::vector<std::string> cells =
        calc::course_cells(implicit_run, implicit_run.rows[0], test_locales::german);
    const auto columns = calc::course_columns_of(Method::implicit_euler);
    ASSERT_EQ(cells.size(), columns.size());
    EXPECT_EQ(columns[4], "Newton-Schritte");
    const int iterations = implicit_run.rows[0].iterations;
    EXPECT_TRUE(iterations == 2 || iterations == 3) << iterations;
    EXPECT_EQ(cells[4], std::to_string(iterations));
    EXPECT_EQ(calc::course_cells(implicit_run, implicit_run.rows.back(), test_locales::german)[4],
              "");
}

struct ColumnsCase {
    const char* name;
    Method method;
    std::string header;
};

class ImplicitColumns : public testing::TestWithParam<ColumnsCase> {};

TEST_P(ImplicitColumns, HoldTheIncrementsAndTheNewtonSteps) {
    const ColumnsCase& c = GetParam();
    const calc::Course course = stiff_course(c.method, "10");
    const std::string csv = calc::course_csv(course, test_locales::german);
    EXPECT_EQ(csv.substr(0, csv.find('\n') + 1), c.header);
}

const ColumnsCase columns_cases[] = {
    {"ImplicitEuler", Method::implicit_euler,
     "Schritt;x;y;k1;Newton-Schritte;y exakt;Fehler;h\u00b7\u03bb;|R(h\u00b7\u03bb)|\n"},
    {"Trapezoid", Method::trapezoid,
     "Schritt;x;y;k1;k2;Newton-Schritte;y exakt;Fehler;h\u00b7\u03bb;|R(h\u00b7\u03bb)|\n"},
    {"ImplicitMidpoint", Method::implicit_midpoint,
     "Schritt;x;y;k1;Newton-Schritte;y exakt;Fehler;h\u00b7\u03bb;|R(h\u00b7\u03bb)|\n"},
    {"ExplicitEulerHasNone", Method::euler,
     "Schritt;x;y;k1;y exakt;Fehler;h\u00b7\u03bb;|R(h\u00b7\u03bb)|\n"},
};
INSTANTIATE_TEST_SUITE_P(Methods, ImplicitColumns, testing::ValuesIn(columns_cases), CaseName{});

struct SystemCase {
    const char* name;
    Method method;
    bool flips;          // whether the fast component changes its sign in every pass; a fast
                         // component damped below Newton's tolerance has no sign to check
    double largest_fast; // a bound of |fast| over the last ten rows
};

class StiffSystem : public testing::TestWithParam<SystemCase> {};

// y = s (2; -1) + q (1; -1) with the slow s = y1 + y2 and the fast q = -y1 - 2 y2; at h = 0,05
// h λ = -50 for q: explicit Euler multiplies it by -49, implicit Euler by 1/51, the trapezoid and
// the implicit midpoint by R(-50) = -12/13.
TEST_P(StiffSystem, FastComponentAtTheFilledInStep) {
    const SystemCase& c = GetParam();
    const calc::SystemOutcome outcome = calc::calculate_system(
        taskOf(calc::SystemForm::first_order, {"998*y1+1998*y2", "-999*y1-1999*y2"}, {"1", "0"},
               "0", "1", "20", c.method),
        test_locales::german);
    ASSERT_TRUE(std::holds_alternative<calc::SystemLine>(outcome));
    const calc::SystemCourse course =
        calc::build_system_course(std::get<calc::SystemLine>(outcome));
    ASSERT_EQ(course.rows.size(), 21u);
    const auto fast = [&](std::size_t row) {
        const calc::Vector& y = course.rows[row].point.y;
        return -y[0] - 2 * y[1];
    };
    for (std::size_t row = 10; row < 20; ++row) {
        if (c.flips) {
            EXPECT_LT(fast(row) * fast(row + 1), 0) << "row " << row;
        }
        EXPECT_LE(std::fabs(fast(row + 1)), c.largest_fast) << "row " << row;
    }
    if (c.method == Method::implicit_euler) {
        // It follows the exact solution; its error is that of a first-order method.
        for (const calc::SystemCourseRow& row : course.rows) {
            ASSERT_TRUE(row.error.has_value());
            EXPECT_LT(*row.error, 0.03) << "row " << row.index;
        }
    }
}

const SystemCase system_cases[] = {
    {"ExplicitEulerBlowsUp", Method::euler, true, 1e40},
    {"ImplicitEulerDampsIt", Method::implicit_euler, false, 1e-10},
    {"TrapezoidFlipsIt", Method::trapezoid, true, 0.5},
    {"ImplicitMidpointFlipsIt", Method::implicit_midpoint, true, 0.5},
};
INSTANTIATE_TEST_SUITE_P(Methods, StiffSystem, testing::ValuesIn(system_cases), CaseName{});

} // namespace
