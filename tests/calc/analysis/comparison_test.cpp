// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/comparison.h"

#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using named_case::PrintTo;

calc::Equation equation(const char* typed) {
    return std::get<calc::Equation>(calc::Equation::parse(typed, test_locales::english));
}

double number(const std::string& cell) {
    return *calc::read_number(cell, test_locales::german);
}

TEST(Comparison, CaptionsNameTheMethodsInTheWindowsOrder) {
    const std::vector<std::string_view> expected{
        "Schritt",     "x",      "Euler-Cauchy",      "Heun",   "Mittelpunkt", "RK3", "RK4",
        "Impl. Euler", "Trapez", "Impl. Mittelpunkt", "y exakt"};
    EXPECT_EQ(calc::comparison_columns(), expected);
}

struct FirstPassCase {
    std::string name;
    const char* equation;
    bool exact;
    // y after one pass of h = 0,1 from y(0) = 1, per method in the table's order, and the exact
    // y(0,1) if known.
    std::vector<double> reached;
};

class ComparisonFirstPass : public testing::TestWithParam<FirstPassCase> {};

// x+y at (0, 1): Euler 1 + 0,1; Heun k2 = 0,1 (0,1 + 1,1) = 0,12; midpoint k2 = 0,1 (0,05 + 1,05)
// = 0,11; RK3 k3 = 0,1 (0,1 + 0,9 + 0,22) = 0,122; RK4 k3 = 0,1 (0,05 + 1,055), k4 = 0,1 (0,1 +
// 1,1105); implicit Euler Y = 1 + 0,1 (0,1 + Y), trapezoid and implicit midpoint
// Y = 1 + 0,05 (1,1 + Y); exact 2 e^0,1 - 1,1. cos(x)-y at (0, 1) has slope 0, so k1 = 0 for every
// explicit method; its implicit passes solve Y = 1 + 0,1 (cos 0,1 - Y),
// Y = 1 + 0,05 (cos 0,1 - Y) and Y = 1 + 0,1 (cos 0,05 - (1 + Y) / 2).
INSTANTIATE_TEST_SUITE_P(
    Rows, ComparisonFirstPass,
    testing::Values(
        FirstPassCase{"x_plus_y_with_its_exact_solution",
                      "x+y",
                      true,
                      {1.1, 1.11, 1.11, 1 + 0.662 / 6, 1 + (0.1 + 0.22 + 0.221 + 0.12105) / 6,
                       1.01 / 0.9, 1.055 / 0.95, 1.055 / 0.95, 2 * std::exp(0.1) - 1.1}},
        FirstPassCase{"cos_x_minus_y_typed_without_one",
                      "cos(x)-y",
                      false,
                      {1, 1 + 0.1 * (std::cos(0.1) - 1) / 2, 1 + 0.1 * (std::cos(0.05) - 1),
                       1 + (4 * 0.1 * (std::cos(0.05) - 1) +
                            0.1 * (std::cos(0.1) - 1 - 0.2 * (std::cos(0.05) - 1))) /
                               6,
                       [] {
                           const double k2 = 0.1 * (std::cos(0.05) - 1);
                           const double k3 = 0.1 * (std::cos(0.05) - 1 - k2 / 2);
                           const double k4 = 0.1 * (std::cos(0.1) - 1 - k3);
                           return 1 + (2 * k2 + 2 * k3 + k4) / 6;
                       }(),
                       (1 + 0.1 * std::cos(0.1)) / 1.1, (1 + 0.05 * std::cos(0.1)) / 1.05,
                       (0.95 + 0.1 * std::cos(0.05)) / 1.05, std::nan("")}}),
    CaseName{});

TEST_P(ComparisonFirstPass, EachMethodsColumnHoldsItsOwnPass) {
    const FirstPassCase& c = GetParam();
    const calc::Equation f = equation(c.equation);
    const auto comparison = calc::compare_methods(
        {10, 0, 1, 1}, f, c.exact ? calc::ExactSolution::of(f) : std::nullopt);
    const std::vector<std::string> cells =
        calc::comparison_cells(comparison, 1, test_locales::german);
    ASSERT_EQ(cells.size(), 11u);
    EXPECT_EQ(cells[0], "1");
    EXPECT_EQ(cells[1], "0,1");
    for (std::size_t method = 0; method < 8; ++method) {
        // Newton stops within 1E-12 of the implicit passes' roots.
        const double tolerance = calc::method_table[method].implicit ? 1e-12 : 1e-14;
        EXPECT_NEAR(number(cells[2 + method]), c.reached[method], tolerance) << method;
    }
    // Ten passes make eleven rows, and there is nothing past them.
    EXPECT_EQ(calc::comparison_cells(comparison, 10, test_locales::german).size(), 11u);
    EXPECT_TRUE(calc::comparison_cells(comparison, 11, test_locales::german).empty());
    if (c.exact) {
        EXPECT_NEAR(number(cells[10]), c.reached[8], 1e-14);
    } else {
        EXPECT_EQ(cells[10], "\u2013");
    }
}

struct OrdersCase {
    std::string name;
    calc::Numbers numbers;
    std::string text;
};

class ComparisonOrders : public testing::TestWithParam<OrdersCase> {};

INSTANTIATE_TEST_SUITE_P(
    Rows, ComparisonOrders,
    testing::Values(OrdersCase{"default_line_0_to_1_in_10_steps",
                               {10, 0, 1, 1},
                               "Beobachtete Ordnung: Euler-Cauchy 1,06 \u00b7 Heun 1,83 \u00b7 "
                               "Mittelpunkt 2,08 \u00b7 RK3 3,08 \u00b7 RK4 4,78 \u00b7 "
                               "Impl. Euler 0,95 \u00b7 Trapez 2,00 \u00b7 "
                               "Impl. Mittelpunkt 2,00"},
                    OrdersCase{"no_pass_has_no_order",
                               {0.5, 0, 1, 1},
                               "Beobachtete Ordnung: Euler-Cauchy \u2013 \u00b7 Heun \u2013 \u00b7 "
                               "Mittelpunkt \u2013 \u00b7 RK3 \u2013 \u00b7 RK4 \u2013 \u00b7 "
                               "Impl. Euler \u2013 \u00b7 Trapez \u2013 \u00b7 "
                               "Impl. Mittelpunkt \u2013"}),
    CaseName{});

TEST_P(ComparisonOrders, LabelNamesEachMethodsObservedOrder) {
    const calc::Equation f;
    const auto comparison =
        calc::compare_methods(GetParam().numbers, f, calc::ExactSolution::of(f));
    EXPECT_EQ(calc::comparison_orders_text(comparison, test_locales::german), GetParam().text);
}

} // namespace
