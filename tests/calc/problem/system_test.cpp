// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/problem/system.h"

#include "calc/core/methods.h"
#include "calc/core/passes.h"
#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <cstring>
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

calc::System parsed(SystemForm form, const std::vector<std::string>& formulas,
                    const calc::NumberLocale& locale = english) {
    auto system = calc::System::parse(form, formulas, locale);
    if (const auto* error = std::get_if<calc::SystemParseError>(&system)) {
        ADD_FAILURE() << "formula " << error->formula << ": " << error->error.reason;
        return std::get<calc::System>(calc::System::parse(form, {"0", "0"}, locale));
    }
    return std::get<calc::System>(std::move(system));
}

bool same_bits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// --- The names each form has -------------------------------------------------------------------

struct RefusedCase {
    const char* name;
    SystemForm form;
    std::vector<std::string> formulas;
    std::size_t formula;
    std::string reason;
    int position;
};

class SystemRefusesName : public testing::TestWithParam<RefusedCase> {};

TEST_P(SystemRefusesName, AsAnUnknownNameOfItsFormula) {
    const RefusedCase& c = GetParam();
    const auto system = calc::System::parse(c.form, c.formulas, english);
    const auto* error = std::get_if<calc::SystemParseError>(&system);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->formula, c.formula);
    EXPECT_EQ(error->error.reason, c.reason);
    EXPECT_EQ(error->error.position, c.position);
}

std::string unknown(const char* name) {
    return std::string("unbekannter Name \u201e") + name + "\u201c";
}

const RefusedCase refused_names[] = {
    {"y3_in_a_system_of_two", SystemForm::first_order, {"y1", "y2*y3"}, 1, unknown("y3"), 4},
    {"y0_in_a_system", SystemForm::first_order, {"y0", "y1"}, 0, unknown("y0"), 1},
    {"y5_in_a_system_of_four",
     SystemForm::first_order,
     {"y1", "y2", "y3", "y4+y5"},
     3,
     unknown("y5"),
     4},
    {"y_prime_in_a_first_order_system", SystemForm::first_order, {"y2", "y'"}, 1, unknown("y'"), 1},
    {"y1_prime_in_a_first_order_system",
     SystemForm::first_order,
     {"y1'", "y2"},
     0,
     unknown("y1'"),
     1},
    {"plain_y_in_a_first_order_system", SystemForm::first_order, {"y2", "-y"}, 1, unknown("y"), 2},
    {"y1_in_the_second_order_form", SystemForm::second_order, {"-y1"}, 0, unknown("y1"), 2},
    {"y2_in_the_second_order_form", SystemForm::second_order, {"y2"}, 0, unknown("y2"), 1},
    {"y_double_prime_in_the_second_order_form",
     SystemForm::second_order,
     {"y+y''"},
     0,
     unknown("y''"),
     3},
    {"y_triple_prime_in_the_second_order_form",
     SystemForm::second_order,
     {"y'''"},
     0,
     unknown("y'''"),
     1},
    {"prime_after_a_number", SystemForm::second_order, {"2'"}, 0, unknown("'"), 2},
};

INSTANTIATE_TEST_SUITE_P(Forms, SystemRefusesName, testing::ValuesIn(refused_names), CaseName{});

struct SlopeCase {
    const char* name;
    SystemForm form;
    std::vector<std::string> formulas;
    double x;
    Vector y;
    Vector slope;
};

class SystemSlope : public testing::TestWithParam<SlopeCase> {};

TEST_P(SystemSlope, ReadsEachNameFromItsComponent) {
    const SlopeCase& c = GetParam();
    const calc::System system = parsed(c.form, c.formulas);
    EXPECT_EQ(system.size(), c.slope.size());
    const Vector slope = system(c.x, c.y);
    ASSERT_EQ(slope.size(), c.slope.size());
    for (std::size_t i = 0; i < slope.size(); ++i) {
        EXPECT_EQ(slope[i], c.slope[i]) << "component " << i;
    }
}

const SlopeCase slopes[] = {
    {"two_components", SystemForm::first_order, {"x*y1", "y2-y1"}, 2, {{3, 5}, 2}, {{6, 2}, 2}},
    {"three_components",
     SystemForm::first_order,
     {"y3", "y1", "x"},
     7,
     {{1, 2, 3}, 3},
     {{3, 1, 7}, 3}},
    {"four_components_reversed",
     SystemForm::first_order,
     {"y4", "y3", "y2", "y1"},
     0,
     {{1, 2, 3, 4}, 4},
     {{4, 3, 2, 1}, 4}},
    {"second_order_y_and_its_slope",
     SystemForm::second_order,
     {"y' - 10*y + x"},
     100,
     {{1, 2}, 2},
     {{2, 92}, 2}},
    {"second_order_slope_squared",
     SystemForm::second_order,
     {"y'*y'"},
     0,
     {{1, 3}, 2},
     {{3, 9}, 2}},
};

INSTANTIATE_TEST_SUITE_P(Forms, SystemSlope, testing::ValuesIn(slopes), CaseName{});

// --- The second-order form is the system y1' = y2, y2' = f(x, y1, y2) ---------------------------

struct RewriteCase {
    const char* name;
    std::string second_order;
    std::vector<std::string> system;
    Vector start;
};

class SecondOrderRewrite : public testing::TestWithParam<RewriteCase> {};

TEST_P(SecondOrderRewrite, RunsBitForBitAsTheTypedSystem) {
    const RewriteCase& c = GetParam();
    const calc::System second = parsed(SystemForm::second_order, {c.second_order});
    const calc::System system = parsed(SystemForm::first_order, c.system);
    for (const calc::MethodInfo& method : calc::method_table) {
        const auto stages = static_cast<std::size_t>(method.stage_count);
        const auto a = calc::passes::checked_run(method.id, second, stages, true,
                                                 calc::SystemPoint{0.5, c.start}, 0.0625, 80);
        const auto b = calc::passes::checked_run(method.id, system, stages, true,
                                                 calc::SystemPoint{0.5, c.start}, 0.0625, 80);
        ASSERT_TRUE(a.finite && b.finite) << method.name;
        EXPECT_TRUE(same_bits(a.point.y[0], b.point.y[0])) << method.name;
        EXPECT_TRUE(same_bits(a.point.y[1], b.point.y[1])) << method.name;
    }
}

const RewriteCase rewrites[] = {
    {"oscillator", "-y", {"y2", "-y1"}, {{1, 0}, 2}},
    {"van_der_pol", "(1-y^2)*y'-y", {"y2", "(1-y1^2)*y2-y1"}, {{2, 0}, 2}},
    {"forced_and_damped",
     "cos(x) - 0.5*y' - y^3",
     {"y2", "cos(x) - 0.5*y2 - y1^3"},
     {{0.25, -1}, 2}},
};

INSTANTIATE_TEST_SUITE_P(Equations, SecondOrderRewrite, testing::ValuesIn(rewrites), CaseName{});

// --- A typed system that is an example
// ------------------------------------------------------------

struct KnownCase {
    const char* name;
    SystemForm form;
    std::vector<std::string> formulas;
    calc::NumberLocale locale;
    std::optional<SystemExampleId> known;
};

class SystemKnown : public testing::TestWithParam<KnownCase> {};

TEST_P(SystemKnown, IsTheExampleWhoseFormulasItHasBlanksAside) {
    const KnownCase& c = GetParam();
    EXPECT_EQ(parsed(c.form, c.formulas, c.locale).known(), c.known);
}

const KnownCase known_systems[] = {
    {"oscillator_of_second_order",
     SystemForm::second_order,
     {" - y "},
     english,
     SystemExampleId::oscillator},
    {"oscillator_as_two_equations",
     SystemForm::first_order,
     {"y2", "- y1"},
     german,
     SystemExampleId::oscillator},
    {"oscillator_with_its_equations_swapped",
     SystemForm::first_order,
     {"-y1", "y2"},
     english,
     std::nullopt},
    {"oscillator_written_otherwise", SystemForm::second_order, {"-1*y"}, english, std::nullopt},
    {"pendulum", SystemForm::second_order, {"-sin( y )"}, german, SystemExampleId::pendulum},
    {"pendulum_as_two_equations_is_not_listed",
     SystemForm::first_order,
     {"y2", "-sin(y1)"},
     english,
     std::nullopt},
    {"van_der_pol",
     SystemForm::second_order,
     {"(1 - y^2)*y' - y"},
     english,
     SystemExampleId::van_der_pol},
    {"predator_prey",
     SystemForm::first_order,
     {"y1-y1*y2", "y1*y2-y2"},
     german,
     SystemExampleId::predator_prey},
    {"circuit_with_the_decimal_comma",
     SystemForm::first_order,
     {"-4*y1 + 3*y2 + 6", "-2,4*y1 + 1,6*y2 + 3,6"},
     german,
     SystemExampleId::circuit},
    {"circuit_with_the_decimal_point",
     SystemForm::first_order,
     {"-4*y1+3*y2+6", "-2.4*y1+1.6*y2+3.6"},
     english,
     SystemExampleId::circuit},
    {"lorenz",
     SystemForm::first_order,
     {"10*(y2-y1)", "y1*(28-y3)-y2", "y1*y2-8/3*y3"},
     english,
     SystemExampleId::lorenz},
    {"lorenz_reordered",
     SystemForm::first_order,
     {"10*(y2-y1)", "y1*(28-y3)-y2", "y1*y2-y3*8/3"},
     english,
     std::nullopt},
    {"kepler",
     SystemForm::first_order,
     {"y3", "y4", "-y1/(y1^2+y2^2)^(3/2)", "-y2 / (y1^2 + y2^2)^(3/2)"},
     german,
     SystemExampleId::kepler},
};

INSTANTIATE_TEST_SUITE_P(Examples, SystemKnown, testing::ValuesIn(known_systems), CaseName{});

// Each copy has its own block of values: it evaluates after the original is gone, and the
// original's evaluations leave its values alone.
TEST(SystemCopy, EvaluatesOnItsOwnBlock) {
    std::optional<calc::System> original = parsed(SystemForm::first_order, {"x + y2", "y1*y2"});
    const calc::System copy = *original;
    calc::System assigned = parsed(SystemForm::second_order, {"y"});
    assigned = *original;
    const Vector a = (*original)(1, {{2, 3}, 2});
    original.reset();
    const Vector b = copy(10, {{4, 5}, 2});
    const Vector c = assigned(0, {{1, 1}, 2});
    EXPECT_EQ(a[0], 4);
    EXPECT_EQ(a[1], 6);
    EXPECT_EQ(b[0], 15);
    EXPECT_EQ(b[1], 20);
    EXPECT_EQ(c[0], 1);
    EXPECT_EQ(c[1], 1);
    calc::System moved = std::move(assigned);
    EXPECT_EQ(moved(1, {{1, 2}, 2})[0], 3);
    EXPECT_EQ(moved.size(), 2u);
}

// A count of formulas that the form does not have is refused, not read past.
TEST(SystemParse, RefusesMissingAndSurplusFormulas) {
    const auto one = calc::System::parse(SystemForm::first_order, {"y1"}, english);
    ASSERT_TRUE(std::holds_alternative<calc::SystemParseError>(one));
    EXPECT_EQ(std::get<calc::SystemParseError>(one).formula, 1u);
    EXPECT_EQ(std::get<calc::SystemParseError>(one).error.reason, "leer");
    const auto five =
        calc::System::parse(SystemForm::first_order, {"1", "1", "1", "1", "1"}, english);
    ASSERT_TRUE(std::holds_alternative<calc::SystemParseError>(five));
    EXPECT_EQ(std::get<calc::SystemParseError>(five).formula, 4u);
    const auto two = calc::System::parse(SystemForm::second_order, {"y", "y'"}, english);
    ASSERT_TRUE(std::holds_alternative<calc::SystemParseError>(two));
    EXPECT_EQ(std::get<calc::SystemParseError>(two).formula, 1u);
}

} // namespace
