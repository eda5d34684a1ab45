// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/stability.h"
#include "calc/analysis/system_course.h"
#include "calc/text/labels.h"

#include "tests/calc/analysis/system_problems.h"
#include "tests/named_case.h"
#include "tests/split_text.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using named_case::PrintTo;

using calc::Method;
using calc::SystemForm;
using system_problems::numbers;
using system_problems::vector_of;

std::uint64_t bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

using split_text::split;

std::string joined(const std::vector<std::string>& cells, char separator) {
    std::string out;
    for (const std::string& cell : cells) {
        if (!out.empty() || &cell != &cells.front()) {
            out.push_back(separator);
        }
        out += cell;
    }
    return out;
}

struct CourseCase {
    const char* name;
    calc::SystemProblem (*problem)();
    calc::SystemNumbers numbers;
    Method method;
};

calc::SystemProblem oscillator() {
    return system_problems::oscillator();
}

const CourseCase courses[] = {
    {"OscillatorEuler", oscillator, numbers(100, 0, 10, {1, 0}), Method::euler},
    {"OscillatorRK4", oscillator, numbers(100, 0, 10, {1, 0}), Method::rk4},
    {"CircuitHeun", system_problems::circuit, numbers(5, 0, 0.5, {0, 0}), Method::heun},
    {"CircuitMidpoint", system_problems::circuit, numbers(5, 0, 0.5, {0, 0}), Method::midpoint},
    {"PendulumRK3", system_problems::pendulum, numbers(200, 0, 20, {1, 0}), Method::rk3},
    {"ThreeComponentsBackwardsRK4", system_problems::three_components,
     numbers(37, 2, -1.5, {0.5, -1, 2}), Method::rk4},
    {"FractionalCountHeun", system_problems::pendulum, numbers(7.5, -1, 2, {0.25, 1}),
     Method::heun},
    {"EqualBounds", oscillator, numbers(5, 3, 3, {1, 2}), Method::rk4},
};

class SystemCourseRows : public testing::TestWithParam<CourseCase> {};

// Row i is where a run of i passes ends, to the bit, and its k are that pass's increments.
TEST_P(SystemCourseRows, AreTheRunsPointsToTheBit) {
    const CourseCase& c = GetParam();
    const calc::SystemProblem problem = c.problem();
    const calc::SystemCourse course = calc::build_system_course(c.numbers, problem, c.method);
    const calc::Steps steps = calc::system_steps_of(c.numbers);
    ASSERT_EQ(course.rows.size(), static_cast<std::size_t>(steps.passes) + 1);
    const auto stage_count = static_cast<std::size_t>(calc::method_info(c.method).stage_count);
    for (std::size_t i = 0; i < course.rows.size(); ++i) {
        const calc::SystemCourseRow& row = course.rows[i];
        EXPECT_EQ(row.index, static_cast<int>(i));
        const auto end = calc::passes::checked_run(c.method, problem.f, stage_count, true,
                                                   calc::SystemPoint{c.numbers.ug, c.numbers.aw},
                                                   steps.h, static_cast<int>(i));
        ASSERT_TRUE(end.finite);
        ASSERT_EQ(row.point.y.size(), c.numbers.aw.size());
        EXPECT_EQ(bits(row.point.x), bits(end.point.x)) << "row " << i;
        for (std::size_t j = 0; j < row.point.y.size(); ++j) {
            EXPECT_EQ(bits(row.point.y[j]), bits(end.point.y[j])) << "row " << i << " y" << j + 1;
        }
        if (i + 1 == course.rows.size()) {
            EXPECT_FALSE(row.k.has_value());
            continue;
        }
        ASSERT_TRUE(row.k.has_value());
        const auto pass = calc::passes::pass_of(c.method, problem.f, row.point, steps.h);
        for (std::size_t s = 0; s < 4; ++s) {
            for (std::size_t j = 0; j < row.point.y.size(); ++j) {
                EXPECT_EQ(bits((*row.k)[s][j]), bits(pass.k[s][j]));
            }
        }
    }
}

// Where the exact solution is known each row has it and Fehler is max |y_i - exact_i|.
TEST_P(SystemCourseRows, ErrorIsTheMaximumNormAgainstTheExactSolution) {
    const CourseCase& c = GetParam();
    const calc::SystemProblem problem = c.problem();
    const calc::SystemCourse course = calc::build_system_course(c.numbers, problem, c.method);
    for (const calc::SystemCourseRow& row : course.rows) {
        if (!problem.exact) {
            EXPECT_FALSE(row.exact.has_value());
            EXPECT_FALSE(row.error.has_value());
            continue;
        }
        const calc::Vector exact = *problem.exact(c.numbers.ug, c.numbers.aw, row.point.x);
        ASSERT_TRUE(row.exact.has_value());
        double largest = 0;
        for (std::size_t j = 0; j < exact.size(); ++j) {
            EXPECT_EQ(bits((*row.exact)[j]), bits(exact[j]));
            largest = std::max(largest, std::fabs(row.point.y[j] - exact[j]));
        }
        ASSERT_TRUE(row.error.has_value());
        EXPECT_EQ(*row.error, largest);
    }
    EXPECT_EQ(course.order_from_runs, !problem.exact);
}

// Every cell of the CSV reads back to the table's value; the k cells of the last row, the exact
// cells and Fehler without an exact solution are empty.
TEST_P(SystemCourseRows, CsvCellsReadBackToTheTableInEveryLocale) {
    const CourseCase& c = GetParam();
    const calc::SystemCourse course = calc::build_system_course(c.numbers, c.problem(), c.method);
    for (const calc::NumberLocale& locale :
         {test_locales::german, test_locales::english, test_locales::french, test_locales::swiss}) {
        const char separator = locale.decimal_separator == "," ? ';' : ',';
        const std::string csv = calc::system_course_csv(course, locale);
        ASSERT_TRUE(csv.ends_with('\n'));
        const std::vector<std::string> lines = split(csv.substr(0, csv.size() - 1), '\n');
        ASSERT_EQ(lines.size(), course.rows.size() + 1);
        EXPECT_EQ(split(lines[0], separator), calc::system_course_columns(course));
        for (std::size_t r = 0; r < course.rows.size(); ++r) {
            const std::vector<std::string> cells = split(lines[r + 1], separator);
            const std::vector<std::string> table =
                calc::system_course_cells(course, course.rows[r], locale);
            ASSERT_EQ(cells.size(), table.size()) << lines[r + 1];
            ASSERT_EQ(cells.size(), calc::system_course_columns(course).size());
            // h·λ, second to last, is written "a + bi" as in the table.
            const std::size_t h_lambda = cells.size() - 2;
            EXPECT_EQ(cells[h_lambda], table[h_lambda]);
            for (std::size_t k = 1; k < cells.size(); ++k) {
                if (table[k].empty() || table[k] == calc::no_value) {
                    EXPECT_EQ(cells[k], "") << "row " << r << " column " << k;
                    continue;
                }
                if (k == h_lambda) {
                    continue;
                }
                const auto read = calc::read_number(cells[k], locale);
                ASSERT_TRUE(read.has_value()) << cells[k];
                EXPECT_EQ(bits(*read), bits(*calc::read_number(table[k], locale)));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SystemCourse, SystemCourseRows, testing::ValuesIn(courses), CaseName{});

struct CaptionCase {
    const char* name;
    SystemForm form;
    std::size_t size;
    Method method;
    calc::NumberLocale locale;
    const char* captions;
};

const CaptionCase captions[] = {
    {"SecondOrderRK4", SystemForm::second_order, 2, Method::rk4, test_locales::german,
     "Schritt;x;y;y';k1 (y);k1 (y');k2 (y);k2 (y');k3 (y);k3 (y');k4 (y);k4 (y');y exakt;"
     "y' exakt;Fehler;h\u00b7\u03bb;|R(h\u00b7\u03bb)|"},
    {"SecondOrderEulerEnglish", SystemForm::second_order, 2, Method::euler, test_locales::english,
     "Schritt,x,y,y',k1 (y),k1 (y'),y exakt,y' exakt,Fehler,h\u00b7\u03bb,|R(h\u00b7\u03bb)|"},
    {"TwoEquationsHeun", SystemForm::first_order, 2, Method::heun, test_locales::german,
     "Schritt;x;y1;y2;k1 (y1);k1 (y2);k2 (y1);k2 (y2);y1 exakt;y2 "
     "exakt;Fehler;h\u00b7\u03bb;|R(h\u00b7\u03bb)|"},
    {"ThreeEquationsRK3Swiss", SystemForm::first_order, 3, Method::rk3, test_locales::swiss,
     "Schritt,x,y1,y2,y3,k1 (y1),k1 (y2),k1 (y3),k2 (y1),k2 (y2),k2 (y3),k3 (y1),k3 (y2),"
     "k3 (y3),y1 exakt,y2 exakt,y3 exakt,Fehler,h\u00b7\u03bb,|R(h\u00b7\u03bb)|"},
    {"FourEquationsEuler", SystemForm::first_order, 4, Method::euler, test_locales::french,
     "Schritt;x;y1;y2;y3;y4;k1 (y1);k1 (y2);k1 (y3);k1 (y4);y1 exakt;y2 exakt;y3 exakt;"
     "y4 exakt;Fehler;h\u00b7\u03bb;|R(h\u00b7\u03bb)|"},
};

class SystemCourseCaptions : public testing::TestWithParam<CaptionCase> {};

TEST_P(SystemCourseCaptions, AreTheCommandLinesColumns) {
    const CaptionCase& c = GetParam();
    const char separator = calc::list_separator(c.locale);
    EXPECT_EQ(joined(calc::system_course_columns(c.form, c.size, c.method), separator), c.captions);
}

INSTANTIATE_TEST_SUITE_P(SystemCourse, SystemCourseCaptions, testing::ValuesIn(captions),
                         CaseName{});

// The oscillator from (1; 0) with h = 0.1: k1 = h (y2; -y1) = (0; -0.1), so Euler reaches
// (1; -0.1); the exact solution at 0 is (1; 0) and at 0.1 (cos 0.1; -sin 0.1).
TEST(SystemCourseCsv, WritesTheOscillatorsFirstRowsAndEmptyCells) {
    const calc::SystemCourse course = calc::build_system_course(
        numbers(2, 0, 0.2, {1, 0}), system_problems::oscillator(), Method::euler);
    const std::string csv = calc::system_course_csv(course, test_locales::german);
    const std::vector<std::string> lines = split(csv, '\n');
    ASSERT_EQ(lines.size(), 5u);
    // h·λ = ±0.1i to the central difference, |1 + 0.1i| = √1.01 for Euler.
    const std::string z = calc::z_cell(course.stability[0], test_locales::german);
    EXPECT_TRUE(z.starts_with("0 + 0,0999999999") && z.ends_with("i")) << z;
    EXPECT_NEAR(course.stability[0]->magnitude[course.stability[0]->worst], std::sqrt(1.01), 1e-12);
    const std::string stability =
        ";" + z + ";" + calc::magnitude_cell(course.stability[0], test_locales::german);
    EXPECT_EQ(lines[1], "0;0;1;0;0;-0,1;1;0;0" + stability);
    EXPECT_EQ(split(lines[2], ';').size(), 11u);
    EXPECT_TRUE(lines[2].starts_with(
        "1;0,1;1;-0,1;-0,01;-0,1;" + calc::format_general(std::cos(0.1), test_locales::german) +
        ";" + calc::format_general(-std::sin(0.1), test_locales::german) + ";" +
        calc::format_general(1 - std::cos(0.1), test_locales::german) + ";0 + 0,"))
        << lines[2];
    EXPECT_EQ(split(lines[3], ';')[3], "-0,2");
    EXPECT_EQ(split(lines[3], ';')[4], "");
    EXPECT_EQ(split(lines[3], ';')[5], "");
    EXPECT_EQ(lines[4], "");

    const calc::SystemCourse unknown = calc::build_system_course(
        numbers(1, 0, 1, {0, 0, 0}), system_problems::three_components(), Method::euler);
    // Its J has the eigenvalues ±i and -1; Euler's |R(i)| = |1 + i| = √2 is the largest.
    EXPECT_EQ(calc::system_course_csv(unknown, test_locales::english),
              "Schritt,x,y1,y2,y3,k1 (y1),k1 (y2),k1 (y3),y1 exakt,y2 exakt,y3 exakt,Fehler,"
              "h\u00b7\u03bb,|R(h\u00b7\u03bb)|\n"
              "0,0,0,0,0,0,0,1,,,,,0 + 1i,1.4142135623731\n"
              "1,1,0,0,1,,,,,,,,,\n");
    const std::vector<std::string> cells =
        calc::system_course_cells(unknown, unknown.rows[1], test_locales::english);
    EXPECT_EQ(cells, (std::vector<std::string>{"1", "1", "0", "0", "1", "", "", "", "\u2013",
                                               "\u2013", "\u2013", "\u2013", "", ""}));
}

struct HeadingCase {
    const char* name;
    calc::SystemProblem problem;
    calc::SystemNumbers numbers;
    Method method;
    calc::NumberLocale locale;
    const char* heading;
};

const HeadingCase headings[] = {
    {"SecondOrder", system_problems::oscillator(), numbers(100, 0, 10, {1, 0}), Method::rk4,
     test_locales::german,
     "y'' = -y, y(0) = 1, y'(0) = 0, 100 Schritte mit h = 0,1 von x = 0 bis x = 10, "
     "Runge-Kutta-4. Ord."},
    {"FirstOrder", system_problems::oscillator(SystemForm::first_order),
     numbers(100, 0, 10, {1, 0}), Method::rk4, test_locales::german,
     "y1' = y2, y2' = -y1, y1(0) = 1, y2(0) = 0, 100 Schritte mit h = 0,1 von x = 0 bis x = 10, "
     "Runge-Kutta-4. Ord."},
    {"OneStepEnglish", system_problems::three_components(), numbers(1, 0.5, 1, {1.5, -2, 0}),
     Method::heun, test_locales::english,
     "y1' = y2, y2' = -y1+y3, y3' = cos(x)-y3, y1(0.5) = 1.5, y2(0.5) = -2, y3(0.5) = 0, "
     "1 Schritt mit h = 0.5 von x = 0.5 bis x = 1, Heun (2. Ord.)"},
};

class SystemCourseHeading : public testing::TestWithParam<HeadingCase> {};

TEST_P(SystemCourseHeading, NamesTheSystemTheStartAndTheMethod) {
    const HeadingCase& c = GetParam();
    const calc::SystemCourse course = calc::build_system_course(c.numbers, c.problem, c.method);
    EXPECT_EQ(calc::system_course_heading(course, c.locale), c.heading);
}

INSTANTIATE_TEST_SUITE_P(SystemCourse, SystemCourseHeading, testing::ValuesIn(headings),
                         CaseName{});

struct OrderCase {
    const char* name;
    calc::SystemProblem problem;
    calc::SystemNumbers numbers;
    bool from_runs;
};

const OrderCase order_cases[] = {
    {"OscillatorExact", system_problems::oscillator(), numbers(200, 0, 10, {1, 0}), false},
    {"CircuitExact", system_problems::circuit(), numbers(5, 0, 0.5, {0, 0}), false},
    {"OscillatorFromRuns",
     [] {
         calc::SystemProblem p = system_problems::oscillator();
         p.exact = {};
         return p;
     }(),
     numbers(200, 0, 10, {1, 0}), true},
    {"CircuitFromRuns",
     [] {
         calc::SystemProblem p = system_problems::circuit();
         p.exact = {};
         return p;
     }(),
     numbers(10, 0, 0.5, {0, 0}), true},
};

class SystemObservedOrder : public testing::TestWithParam<OrderCase> {};

// The maximum norm's ratio at h and h/2 shows each method's order: 1, 2, 2, 3, 4, 1, 2, 2.
TEST_P(SystemObservedOrder, ApproachesEachMethodsOrder) {
    const OrderCase& c = GetParam();
    const double orders[] = {1, 2, 2, 3, 4, 1, 2, 2};
    for (const calc::MethodInfo& method : calc::method_table) {
        const calc::SystemCourse course =
            calc::build_system_course(c.numbers, c.problem, method.id);
        ASSERT_TRUE(course.order.has_value()) << method.name;
        EXPECT_NEAR(*course.order, orders[static_cast<int>(method.id)], 0.2) << method.name;
        EXPECT_EQ(course.order_from_runs, c.from_runs);
        EXPECT_EQ(calc::system_observed_order(c.numbers, c.problem, method.id), course.order);
    }
}

INSTANTIATE_TEST_SUITE_P(SystemCourse, SystemObservedOrder, testing::ValuesIn(order_cases),
                         CaseName{});

TEST(SystemObservedOrderText, SaysWhetherItComesFromThreeRuns) {
    const calc::SystemCourse exact = calc::build_system_course(
        numbers(10, 0, 1, {1, 0}), system_problems::oscillator(), Method::rk4);
    // RK4's error at x = 1 is 6.6e-7 with h = 0.1 and 4.3e-8 with h = 0.05.
    EXPECT_EQ(calc::system_order_text(exact, test_locales::german), "Beobachtete Ordnung p = 3,96");
    const calc::SystemCourse runs = calc::build_system_course(
        numbers(10, 0, 1, {1, 0}), system_problems::pendulum(), Method::euler);
    const std::string text = calc::system_order_text(runs, test_locales::german);
    ASSERT_TRUE(runs.order.has_value());
    EXPECT_NEAR(*runs.order, 1, 0.2);
    EXPECT_TRUE(text.starts_with("Beobachtete Ordnung p = ")) << text;
    EXPECT_TRUE(text.ends_with(" (aus h, h/2 und h/4)")) << text;
    // No pass, no order.
    const calc::SystemCourse none = calc::build_system_course(
        numbers(3, 1, 1, {1, 0}), system_problems::oscillator(), Method::rk4);
    EXPECT_EQ(calc::system_order_text(none, test_locales::german),
              "Beobachtete Ordnung p = \u2013");
}

// A system whose run overflows keeps its rows (as the scalar course does) but has no order.
TEST(SystemCourseOverflow, HasNoOrderAndNoErrorWhereTheRunLeftTheFiniteDoubles) {
    calc::SystemProblem blowing = system_problems::oscillator();
    blowing.f = [](double, const calc::Vector& y) { return vector_of({y[0] * y[0], y[1]}); };
    const calc::SystemCourse course =
        calc::build_system_course(numbers(50, 0, 10, {10, 1}), blowing, Method::euler);
    EXPECT_EQ(course.rows.size(), 51u);
    EXPECT_FALSE(calc::finite(course.rows.back().point));
    EXPECT_FALSE(course.rows.back().error.has_value());
    EXPECT_FALSE(course.order.has_value());
    EXPECT_EQ(split(calc::system_course_csv(course, test_locales::german), '\n').size(), 53u);
}

} // namespace

namespace {

// Left out at first, the order computed later is the one the course would have had.
TEST(SystemCourseOrder, LeftOutIsComputedLaterToTheSameValue) {
    for (const calc::SystemProblem& problem :
         {system_problems::oscillator(), system_problems::pendulum()}) {
        const calc::SystemNumbers n = numbers(20, 0, 2, {1, 0.5});
        const calc::SystemCourse with = calc::build_system_course(n, problem, Method::rk3);
        const calc::SystemCourse without =
            calc::build_system_course(n, problem, Method::rk3, calc::CourseOrder::left_out);
        ASSERT_TRUE(with.order.has_value());
        EXPECT_FALSE(without.order.has_value());
        EXPECT_EQ(without.order_from_runs, with.order_from_runs);
        EXPECT_EQ(calc::system_observed_order(without), with.order);
        ASSERT_EQ(without.rows.size(), with.rows.size());
        EXPECT_EQ(without.rows.back().point.y[1], with.rows.back().point.y[1]);
        EXPECT_EQ(without.exact_samples.size(), with.exact_samples.size());
    }
}

} // namespace
