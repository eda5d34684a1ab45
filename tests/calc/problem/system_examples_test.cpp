// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/problem/system_examples.h"

#include "calc/core/passes.h"
#include "calc/problem/system.h"
#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace {

using named_case::PrintTo;

using calc::SystemExampleId;
using calc::SystemForm;
using calc::Vector;
using test_locales::english;
using test_locales::german;

calc::System system_of(const calc::SystemExample& example, const calc::NumberLocale& locale) {
    auto system =
        calc::System::parse(example.form, calc::example_formulas(example, locale), locale);
    if (const auto* error = std::get_if<calc::SystemParseError>(&system)) {
        ADD_FAILURE() << example.name << ", formula " << error->formula << ": "
                      << error->error.reason;
        return std::get<calc::System>(calc::System::parse(SystemForm::first_order, {"0", "0"}, {}));
    }
    return std::get<calc::System>(std::move(system));
}

Vector start_of(const calc::SystemExample& example) {
    Vector start{{}, example.size};
    for (std::size_t i = 0; i < example.size; ++i) {
        start[i] = example.start[i];
    }
    return start;
}

// --- Every example reads in its form, in every locale, and is known as itself -------------------

// One row an example, named after it: each character that is not a letter an underscore.
struct ExampleRow {
    std::string name;
    SystemExampleId id;
};

std::vector<ExampleRow> example_rows() {
    std::vector<ExampleRow> rows;
    for (const calc::SystemExample& example : calc::system_examples) {
        std::string name;
        for (const char c : example.name) {
            name += (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ? c : '_';
        }
        rows.push_back({name, example.id});
    }
    return rows;
}

class ExampleReads : public testing::TestWithParam<ExampleRow> {};

TEST_P(ExampleReads, InItsFormAndIsKnownAsItself) {
    const calc::SystemExample& example = calc::system_example(GetParam().id);
    EXPECT_EQ(example.id, GetParam().id);
    for (const calc::NumberLocale& locale : {english, german, test_locales::french}) {
        const calc::System system = system_of(example, locale);
        EXPECT_EQ(system.size(), example.size);
        EXPECT_EQ(system.form(), example.form);
        EXPECT_EQ(system.known(), example.id);
        // Its slope at its start is finite: the formulas use only the form's names.
        EXPECT_TRUE(calc::finite(system(example.ug, start_of(example)))) << example.name;
    }
    EXPECT_LT(example.ug, example.og);
    EXPECT_GT(example.count, 0);
    EXPECT_LT(example.count, 10000);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleReads, testing::ValuesIn(example_rows()), CaseName{});

TEST(ExampleFormulas, WriteTheDecimalSeparatorAsTheLocaleDoes) {
    const calc::SystemExample& circuit = calc::system_example(SystemExampleId::circuit);
    EXPECT_EQ(calc::example_formulas(circuit, german),
              (std::vector<std::string>{"-4*y1+3*y2+6", "-2,4*y1+1,6*y2+3,6"}));
    EXPECT_EQ(calc::example_formulas(circuit, english),
              (std::vector<std::string>{"-4*y1+3*y2+6", "-2.4*y1+1.6*y2+3.6"}));
    // A decimal separator the formula reader cannot read is written as the point it reads.
    const calc::NumberLocale arabic{"\u066b", "\u066c", "-"};
    EXPECT_EQ(calc::example_formulas(circuit, arabic)[1], "-2.4*y1+1.6*y2+3.6");
    EXPECT_EQ(calc::example_formulas(calc::system_example(SystemExampleId::pendulum), german),
              (std::vector<std::string>{"-sin(y)"}));
}

// --- The exact solutions solve their equations ---------------------------------------------------

struct ExactCase {
    const char* name;
    SystemExampleId id;
    SystemForm form;
    std::vector<std::string> formulas; // the equations the solution is checked against
    double ug;
    Vector aw;
};

class ExactSolution : public testing::TestWithParam<ExactCase> {};

// Through aw at ug, and its central difference quotient is f(x, y(x)) along the way.
TEST_P(ExactSolution, StartsAtTheInitialValuesAndSolvesTheEquations) {
    const ExactCase& c = GetParam();
    auto parsed = calc::System::parse(c.form, c.formulas, english);
    ASSERT_TRUE(std::holds_alternative<calc::System>(parsed));
    const calc::System& f = std::get<calc::System>(parsed);
    EXPECT_EQ(f.known(), c.id);

    const std::optional<Vector> start = calc::exact_system_solution(c.id, c.ug, c.aw, c.ug);
    ASSERT_TRUE(start);
    for (std::size_t i = 0; i < c.aw.size(); ++i) {
        EXPECT_NEAR((*start)[i], c.aw[i], 1e-15);
    }
    const double delta = 1e-5;
    for (const double t : {0.0, 0.3, 1.0, 2.5, 7.0}) {
        const double x = c.ug + t;
        const auto before = calc::exact_system_solution(c.id, c.ug, c.aw, x - delta);
        const auto at = calc::exact_system_solution(c.id, c.ug, c.aw, x);
        const auto after = calc::exact_system_solution(c.id, c.ug, c.aw, x + delta);
        ASSERT_TRUE(before && at && after);
        const Vector slope = f(x, *at);
        for (std::size_t i = 0; i < c.aw.size(); ++i) {
            const double quotient = ((*after)[i] - (*before)[i]) / (2 * delta);
            EXPECT_NEAR(quotient, slope[i], 1e-8) << "x = " << x << ", component " << i;
        }
    }
}

const ExactCase exact_cases[] = {
    {"oscillator",
     SystemExampleId::oscillator,
     SystemForm::second_order,
     {"-y"},
     0.5,
     {{0.3, -0.7}, 2}},
    {"oscillator_as_two_equations",
     SystemExampleId::oscillator,
     SystemForm::first_order,
     {"y2", "-y1"},
     -2,
     {{1, 0.25}, 2}},
    {"circuit",
     SystemExampleId::circuit,
     SystemForm::first_order,
     {"-4*y1+3*y2+6", "-2.4*y1+1.6*y2+3.6"},
     0,
     {{0, 0}, 2}},
    {"circuit_from_elsewhere",
     SystemExampleId::circuit,
     SystemForm::first_order,
     {"-4*y1+3*y2+6", "-2.4*y1+1.6*y2+3.6"},
     1,
     {{-2, 3}, 2}},
};

INSTANTIATE_TEST_SUITE_P(Examples, ExactSolution, testing::ValuesIn(exact_cases), CaseName{});

// The stiff system's fast component changes by a factor e within x = 0.001, so its difference
// quotients take a step of 1E-8 and are compared relative to the slope.
TEST(ExactSystemSolution, SolvesTheStiffSystemThroughItsFastStart) {
    const calc::SystemExample& example = calc::system_example(SystemExampleId::stiff);
    auto parsed =
        calc::System::parse(example.form, calc::example_formulas(example, english), english);
    ASSERT_TRUE(std::holds_alternative<calc::System>(parsed));
    const calc::System& f = std::get<calc::System>(parsed);
    EXPECT_EQ(f.known(), SystemExampleId::stiff);
    for (const Vector& aw : {Vector{{1, 0}, 2}, Vector{{-0.5, 2}, 2}}) {
        const auto start = calc::exact_system_solution(SystemExampleId::stiff, 0.25, aw, 0.25);
        ASSERT_TRUE(start);
        EXPECT_NEAR((*start)[0], aw[0], 1e-15);
        EXPECT_NEAR((*start)[1], aw[1], 1e-15);
        const double delta = 1e-8;
        for (const double t : {0.0, 0.001, 0.01, 0.5}) {
            const double x = 0.25 + t;
            const auto before =
                calc::exact_system_solution(SystemExampleId::stiff, 0.25, aw, x - delta);
            const auto at = calc::exact_system_solution(SystemExampleId::stiff, 0.25, aw, x);
            const auto after =
                calc::exact_system_solution(SystemExampleId::stiff, 0.25, aw, x + delta);
            ASSERT_TRUE(before && at && after);
            const Vector slope = f(x, *at);
            for (std::size_t i = 0; i < 2; ++i) {
                const double quotient = ((*after)[i] - (*before)[i]) / (2 * delta);
                EXPECT_NEAR(quotient, slope[i], 1e-5 * (1 + std::fabs(slope[i])))
                    << "x = " << x << ", component " << i;
            }
        }
    }
}

TEST(ExactSystemSolution, IsKnownForTheExamplesThatSayTheyHaveOne) {
    for (const calc::SystemExample& example : calc::system_examples) {
        EXPECT_EQ(calc::exact_system_solution(example.id, example.ug, start_of(example), example.og)
                      .has_value(),
                  example.has_exact)
            << example.name;
        EXPECT_EQ(calc::conserved_quantity(example.id, start_of(example)).has_value(),
                  example.has_conserved)
            << example.name;
    }
}

TEST(ExactSystemSolution, IsNoneWhereNotFinite) {
    const Vector two{{1, 0}, 2};
    // cos and sin of an infinite t are not numbers.
    EXPECT_FALSE(calc::exact_system_solution(SystemExampleId::oscillator, -1e308, two, 1e308));
    // The circuit's slow mode grows beyond every double backwards in x.
    EXPECT_FALSE(calc::exact_system_solution(SystemExampleId::circuit, 0, two, -2000));
    // A start of the wrong size is none, not read past.
    EXPECT_FALSE(calc::exact_system_solution(SystemExampleId::oscillator, 0, {{1, 0, 0}, 3}, 1));
}

// --- The conserved quantities stay constant along the solution -----------------------------------

struct ConservedCase {
    const char* name;
    SystemExampleId id;
    double at_start; // the quantity at the example's start, by hand
    double drift;    // the most it may move along a run of RK4 with h = 0.001
};

class ConservedQuantity : public testing::TestWithParam<ConservedCase> {};

// Along a fine RK4 run of the example over its interval the quantity keeps its start value, while
// Euler's run of the example's own count moves it: it measures the solution, not a constant.
TEST_P(ConservedQuantity, KeepsItsValueAlongAFineRun) {
    const ConservedCase& c = GetParam();
    const calc::SystemExample& example = calc::system_example(c.id);
    const calc::System f = system_of(example, english);
    const Vector start = start_of(example);
    const std::optional<double> e0 = calc::conserved_quantity(c.id, start);
    ASSERT_TRUE(e0);
    EXPECT_NEAR(*e0, c.at_start, 1e-15);

    const double h = 1e-3;
    const int passes = static_cast<int>((example.og - example.ug) / h);
    calc::SystemPoint p{example.ug, start};
    double largest = 0;
    for (int i = 0; i < passes; ++i) {
        p = calc::passes::rk4(f, p, h).next;
        if (i % 100 == 99) {
            const std::optional<double> e = calc::conserved_quantity(c.id, p.y);
            ASSERT_TRUE(e) << "x = " << p.x;
            largest = std::max(largest, std::fabs(*e - *e0));
        }
    }
    EXPECT_LT(largest, c.drift);

    const double coarse = (example.og - example.ug) / example.count;
    const auto euler =
        calc::passes::checked_run(calc::Method::euler, f, 1, true,
                                  calc::SystemPoint{example.ug, start}, coarse, example.count);
    const std::optional<double> moved = calc::conserved_quantity(c.id, euler.point.y);
    ASSERT_TRUE(moved);
    EXPECT_GT(std::fabs(*moved - *e0), 1000 * c.drift);
}

const ConservedCase conserved_cases[] = {
    {"oscillator", SystemExampleId::oscillator, 0.5, 1e-12},
    {"pendulum", SystemExampleId::pendulum, -std::cos(1.0), 1e-12},
    {"predator_prey", SystemExampleId::predator_prey, 3 - std::numbers::ln2, 1e-11},
    {"kepler", SystemExampleId::kepler, -0.5, 1e-11},
};

INSTANTIATE_TEST_SUITE_P(Examples, ConservedQuantity, testing::ValuesIn(conserved_cases),
                         CaseName{});

// Along the oscillator's exact solution its energy is (aw^2 + aw'^2) / 2 at every x.
TEST(ConservedQuantity, OfTheOscillatorIsConstantAlongItsExactSolution) {
    const Vector aw{{0.3, -0.7}, 2};
    for (double x = -3; x <= 30; x += 0.75) {
        const auto y = calc::exact_system_solution(SystemExampleId::oscillator, 1, aw, x);
        ASSERT_TRUE(y);
        const auto e = calc::conserved_quantity(SystemExampleId::oscillator, *y);
        ASSERT_TRUE(e);
        EXPECT_NEAR(*e, (0.09 + 0.49) / 2, 1e-15) << "x = " << x;
    }
}

TEST(ConservedQuantity, IsNoneWhereUnknownOrNotFinite) {
    EXPECT_FALSE(calc::conserved_quantity(SystemExampleId::van_der_pol, {{2, 0}, 2}));
    EXPECT_FALSE(calc::conserved_quantity(SystemExampleId::circuit, {{0, 0}, 2}));
    EXPECT_FALSE(calc::conserved_quantity(SystemExampleId::lorenz, {{1, 1, 1}, 3}));
    // ln of a population of none or fewer.
    EXPECT_FALSE(calc::conserved_quantity(SystemExampleId::predator_prey, {{0, 1}, 2}));
    EXPECT_FALSE(calc::conserved_quantity(SystemExampleId::predator_prey, {{2, -1}, 2}));
    // The centre of the Kepler orbit.
    EXPECT_FALSE(calc::conserved_quantity(SystemExampleId::kepler, {{0, 0, 0, 1}, 4}));
    EXPECT_FALSE(calc::conserved_quantity(SystemExampleId::oscillator, {{1e200, 1e200}, 2}));
    // A state of the wrong size is none, not read past.
    EXPECT_FALSE(calc::conserved_quantity(SystemExampleId::kepler, {{1, 0}, 2}));
}

} // namespace
