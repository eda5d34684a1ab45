// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis of the lines that calculate_system computes: the examples read from their typed
// formulas, with what the program knows of them.
#include "calc/analysis/phase_plane.h"
#include "calc/analysis/system_comparison.h"
#include "calc/analysis/system_course.h"
#include "calc/analysis/system_study.h"
#include "calc/problem/system_examples.h"
#include "calc/system_calculate.h"

#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace {

using named_case::PrintTo;

using calc::Method;
using calc::SystemExampleId;

std::uint64_t bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

calc::SystemTask example_task(SystemExampleId id, Method method, const calc::NumberLocale& locale,
                              std::string count = {}) {
    const calc::SystemExample& example = calc::system_example(id);
    calc::SystemTask task;
    task.form = example.form;
    task.formulas = calc::example_formulas(example, locale);
    for (std::size_t i = 0; i < example.size; ++i) {
        task.initial.push_back(calc::format_general(example.start[i], locale));
    }
    task.ug = calc::format_general(example.ug, locale);
    task.og = calc::format_general(example.og, locale);
    task.count = count.empty() ? std::to_string(example.count) : count;
    task.method = method;
    return task;
}

calc::SystemLine line_of(const calc::SystemTask& task, const calc::NumberLocale& locale) {
    calc::SystemOutcome outcome = calc::calculate_system(task, locale);
    if (auto* warning = std::get_if<calc::SystemWarning>(&outcome)) {
        ADD_FAILURE() << warning->text;
    }
    return std::get<calc::SystemLine>(std::move(outcome));
}

struct ExampleCase {
    const char* name;
    SystemExampleId id;
    Method method;
};

const ExampleCase examples[] = {
    {"OscillatorRK4", SystemExampleId::oscillator, Method::rk4},
    {"PendulumEuler", SystemExampleId::pendulum, Method::euler},
    {"VanDerPolHeun", SystemExampleId::van_der_pol, Method::heun},
    {"PredatorPreyMidpoint", SystemExampleId::predator_prey, Method::midpoint},
    {"CircuitRK3", SystemExampleId::circuit, Method::rk3},
    {"LorenzRK4", SystemExampleId::lorenz, Method::rk4},
    {"KeplerHeun", SystemExampleId::kepler, Method::heun},
};

class ExampleCourse : public testing::TestWithParam<ExampleCase> {};

// The course of an example's line ends where the line's run ends, to the bit, and knows what
// the example knows.
TEST_P(ExampleCourse, EndsOnTheLinesPointAndKnowsTheExample) {
    const ExampleCase& c = GetParam();
    const calc::SystemExample& example = calc::system_example(c.id);
    const calc::SystemLine line =
        line_of(example_task(c.id, c.method, test_locales::german), test_locales::german);
    const calc::SystemCourse course = calc::build_system_course(line, calc::CourseOrder::left_out);
    ASSERT_EQ(course.rows.size(), static_cast<std::size_t>(example.count) + 1);
    const auto stage_count = static_cast<std::size_t>(calc::method_info(c.method).stage_count);
    const auto end = calc::passes::checked_run(c.method, line.system, stage_count, true,
                                               calc::SystemPoint{line.numbers.ug, line.numbers.aw},
                                               course.steps.h, course.steps.passes);
    ASSERT_TRUE(end.finite);
    std::string components;
    for (std::size_t i = 0; i < example.size; ++i) {
        EXPECT_EQ(bits(course.rows.back().point.y[i]), bits(end.point.y[i])) << "y" << i + 1;
        components += (i == 0 ? "(" : "; ") +
                      calc::format_general(course.rows.back().point.y[i], test_locales::german);
    }
    EXPECT_TRUE(line.text.ends_with(components + ")")) << line.text;
    EXPECT_EQ(static_cast<bool>(course.problem.exact), example.has_exact);
    EXPECT_EQ(static_cast<bool>(course.problem.conserved), example.has_conserved);
    EXPECT_EQ(course.rows.back().error.has_value(), example.has_exact);
    EXPECT_EQ(calc::conserved_drift(course).has_value(), example.has_conserved);
    EXPECT_EQ(calc::system_course_columns(course).size(), 5 + example.size * (stage_count + 2));
}

INSTANTIATE_TEST_SUITE_P(SystemLine, ExampleCourse, testing::ValuesIn(examples), CaseName{});

TEST(SystemLineCourse, HeadsTheOscillatorAsTheCourseWindowDoes) {
    const calc::SystemLine line =
        line_of(example_task(SystemExampleId::oscillator, Method::rk4, test_locales::german),
                test_locales::german);
    EXPECT_EQ(calc::system_course_heading(calc::build_system_course(line), test_locales::german),
              "y'' = -y, y(0) = 1, y'(0) = 0, 100 Schritte mit h = 0,1 von x = 0 bis x = 10, "
              "Runge-Kutta-4. Ord.");
    // Typed as two equations it is still the oscillator, with its exact solution.
    calc::SystemTask typed;
    typed.formulas = {" y2", "- y1 "};
    typed.initial = {"1", "0"};
    typed.ug = "0";
    typed.og = "10";
    typed.count = "100";
    const calc::SystemCourse course =
        calc::build_system_course(line_of(typed, test_locales::german));
    EXPECT_EQ(calc::system_course_heading(course, test_locales::german),
              "y1' = y2, y2' = - y1, y1(0) = 1, y2(0) = 0, 100 Schritte mit h = 0,1 von x = 0 bis "
              "x = 10, Runge-Kutta-4. Ord.");
    EXPECT_FALSE(course.order_from_runs);
    ASSERT_TRUE(course.order.has_value());
    EXPECT_NEAR(*course.order, 4, 0.1);
}

// Euler's pendulum gains energy and spirals outwards; RK4's keeps it to a small share.
TEST(SystemLineDrift, EulersPendulumGainsEnergyWhileRK4sKeepsIt) {
    const calc::SystemLine line =
        line_of(example_task(SystemExampleId::pendulum, Method::rk4, test_locales::german),
                test_locales::german);
    const calc::SystemComparison comparison = calc::compare_system_methods(line);
    const auto euler = calc::conserved_drift(comparison.courses.front());
    const auto rk4 = calc::conserved_drift(comparison.courses.back());
    ASSERT_TRUE(euler && euler->change && euler->relative);
    ASSERT_TRUE(rk4 && rk4->change && rk4->relative);
    EXPECT_GT(*euler->change, 0);
    EXPECT_GT(*euler->relative, 0.1);
    EXPECT_LT(std::fabs(*rk4->relative), 1e-4);
    EXPECT_EQ(euler->x, 20);
    // The orbit in the phase plane: Euler's last swing reaches further out than its first.
    const std::vector<calc::Point> path = calc::plane_path(comparison.courses.front(), {});
    double first = 0;
    double last = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        (i < path.size() / 4 ? first : last) =
            std::max(i < path.size() / 4 ? first : last, std::fabs(path[i].x));
    }
    EXPECT_GT(last, first);
}

// Each worker of the study evaluates its own copy of the formulas: two threads give what one
// gives, to the bit.
TEST(SystemLineStudy, GivesOnTwoThreadsWhatItGivesOnOne) {
    const calc::SystemLine line = line_of(
        example_task(SystemExampleId::predator_prey, Method::rk4, test_locales::english, "20"),
        test_locales::english);
    const std::vector<Method> methods{Method::euler, Method::heun, Method::midpoint, Method::rk3,
                                      Method::rk4};
    const auto one = calc::run_system_study(line, methods, 1 << 14, {}, 1);
    const auto two = calc::run_system_study(line, methods, 1 << 14, {}, 2);
    ASSERT_TRUE(one && two);
    EXPECT_FALSE(one->against_exact);
    EXPECT_EQ(calc::study_csv(*one, test_locales::english),
              calc::study_csv(*two, test_locales::english));
    EXPECT_TRUE(calc::study_csv(*one, test_locales::english)
                    .starts_with("Verfahren,Schritte,h,x,y1,y2,Fehler,EOC\neuler,20,1,20,"));
}

struct FieldCase {
    const char* name;
    calc::SystemForm form;
    std::vector<std::string> formulas;
    std::vector<std::string> initial;
    bool shown;
};

const FieldCase fields[] = {
    {"Oscillator", calc::SystemForm::second_order, {"-y"}, {"1", "0"}, true},
    {"VanDerPol", calc::SystemForm::second_order, {"(1-y^2)*y'-y"}, {"2", "0"}, true},
    {"PredatorPrey", calc::SystemForm::first_order, {"y1-y1*y2", "y1*y2-y2"}, {"2", "1"}, true},
    {"ForcedSecondOrder", calc::SystemForm::second_order, {"-y+cos(x)"}, {"1", "0"}, false},
    {"XTimesZero", calc::SystemForm::first_order, {"y2+0*x", "-y1"}, {"1", "0"}, true},
    {"Lorenz",
     calc::SystemForm::first_order,
     {"10*(y2-y1)", "y1*(28-y3)-y2", "y1*y2-8/3*y3"},
     {"1", "1", "1"},
     false},
};

class SystemLineField : public testing::TestWithParam<FieldCase> {};

TEST_P(SystemLineField, StandsBehindTwoComponentsWhoseFormulasDoNotUseX) {
    const FieldCase& c = GetParam();
    calc::SystemTask task;
    task.form = c.form;
    task.formulas = c.formulas;
    task.initial = c.initial;
    task.ug = "0";
    task.og = "2";
    task.count = "50";
    const calc::SystemCourse course = calc::build_system_course(
        line_of(task, test_locales::english), calc::CourseOrder::left_out);
    const calc::PlotView view{-3, 3, -3, 3, 500, 400};
    EXPECT_EQ(calc::shows_phase_field(course, view), c.shown);
    EXPECT_EQ(calc::phase_field(course.problem.f, course.size(), 0, view).empty(),
              course.size() != 2);
}

INSTANTIATE_TEST_SUITE_P(SystemLine, SystemLineField, testing::ValuesIn(fields), CaseName{});

} // namespace
