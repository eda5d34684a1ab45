// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/system_comparison.h"

#include "tests/calc/analysis/system_problems.h"
#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using named_case::PrintTo;

using calc::Method;
using system_problems::numbers;

const calc::SystemComparison& oscillator_comparison() {
    static const calc::SystemComparison comparison =
        calc::compare_system_methods(numbers(100, 0, 10, {1, 0}), system_problems::oscillator());
    return comparison;
}

const calc::SystemCourse& course_of(const calc::SystemComparison& comparison, Method method) {
    return comparison.courses[static_cast<std::size_t>(method)];
}

// Euler multiplies E by 1 + h² a pass, so from E = 1/2 it reaches 1/2 · 1.01^100 after 100
// passes; RK4 multiplies it by 1 - h⁶/72 + O(h⁸) and so loses about 1.4e-6 of it.
TEST(SystemDrift, EulerGainsEnergyThatGrowsWhileRK4LosesATinyBit) {
    const calc::SystemComparison& comparison = oscillator_comparison();
    const calc::SystemCourse& euler = course_of(comparison, Method::euler);
    const auto half_way = calc::drift_at(euler, 50);
    const auto at_end = calc::conserved_drift(euler);
    ASSERT_TRUE(half_way && half_way->change && at_end && at_end->change);
    EXPECT_GT(*half_way->change, 0);
    EXPECT_GT(*at_end->change, *half_way->change);
    EXPECT_NEAR(*at_end->change, 0.5 * (std::pow(1.01, 100) - 1), 1e-9);
    EXPECT_NEAR(*at_end->relative, std::pow(1.01, 100) - 1, 2e-9);
    // The row's x is 9.99999999999998 after 100 additions of 0.1; the drift is told up to 10.
    EXPECT_EQ(at_end->x, 10);
    EXPECT_EQ(calc::drift_text(*at_end, test_locales::german).substr(0, 40),
              "Drift der Erhaltungsgr\u00f6\u00dfe bis x = 10: ");

    const auto rk4 = calc::conserved_drift(course_of(comparison, Method::rk4));
    ASSERT_TRUE(rk4 && rk4->change && rk4->relative);
    EXPECT_LT(*rk4->change, 0);
    EXPECT_NEAR(*rk4->relative, -100 * 1e-6 / 72, 1e-7);

    const std::vector<calc::Point> drift = calc::drift_over_x(euler);
    ASSERT_EQ(drift.size(), euler.rows.size());
    EXPECT_EQ(drift.front().y, 0);
    for (std::size_t i = 1; i < drift.size(); ++i) {
        EXPECT_GT(drift[i].y, drift[i - 1].y) << "row " << i;
    }
}

TEST(SystemDrift, ConservedQuantityOverXIsItsValueAtEachRow) {
    const calc::SystemCourse& heun = course_of(oscillator_comparison(), Method::heun);
    const std::vector<calc::Point> values = calc::conserved_over_x(heun);
    ASSERT_EQ(values.size(), heun.rows.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const calc::Vector& y = heun.rows[i].point.y;
        EXPECT_EQ(values[i].x, heun.rows[i].point.x);
        EXPECT_EQ(values[i].y, (y[0] * y[0] + y[1] * y[1]) / 2);
    }
    const calc::SystemCourse circuit = calc::build_system_course(
        numbers(5, 0, 0.5, {0, 0}), system_problems::circuit(), Method::rk4);
    EXPECT_TRUE(calc::conserved_over_x(circuit).empty());
    EXPECT_TRUE(calc::drift_over_x(circuit).empty());
    EXPECT_FALSE(calc::conserved_drift(circuit).has_value());
}

struct DriftTextCase {
    const char* name;
    calc::Drift drift;
    calc::NumberLocale locale;
    const char* text;
};

const DriftTextCase drift_texts[] = {
    {"WithRelative",
     {10, 0.0123, 0.0246},
     test_locales::german,
     "Drift der Erhaltungsgr\u00f6\u00dfe bis x = 10: 0,0123 (relativ 0,0246)"},
    {"English",
     {2.5, -1.5e-7, -3e-7},
     test_locales::english,
     "Drift der Erhaltungsgr\u00f6\u00dfe bis x = 2.5: -1.5E-07 (relativ -3E-07)"},
    {"WithoutRelative",
     {20, 0.5, std::nullopt},
     test_locales::german,
     "Drift der Erhaltungsgr\u00f6\u00dfe bis x = 20: 0,5"},
    {"Unknown",
     {20, std::nullopt, std::nullopt},
     test_locales::german,
     "Drift der Erhaltungsgr\u00f6\u00dfe bis x = 20: \u2013"},
};

class SystemDriftText : public testing::TestWithParam<DriftTextCase> {};

TEST_P(SystemDriftText, IsWrittenInTheLocale) {
    const DriftTextCase& c = GetParam();
    EXPECT_EQ(calc::drift_text(c.drift, c.locale), c.text);
}

INSTANTIATE_TEST_SUITE_P(SystemDrift, SystemDriftText, testing::ValuesIn(drift_texts), CaseName{});

// From rest at y = 0 the oscillator's energy is 0: no share of it can be given, and the pendulum
// starts at E = -cos(0) = -1, whose size the relative drift divides by.
TEST(SystemDrift, LeavesTheRelativePartOutWhereTheStartsEnergyIsZero) {
    const calc::SystemCourse rest = calc::build_system_course(
        numbers(10, 0, 1, {0, 0}), system_problems::oscillator(), Method::euler);
    const auto none = calc::conserved_drift(rest);
    ASSERT_TRUE(none && none->change);
    EXPECT_EQ(*none->change, 0);
    EXPECT_FALSE(none->relative.has_value());
    EXPECT_EQ(calc::drift_text(*none, test_locales::german),
              "Drift der Erhaltungsgr\u00f6\u00dfe bis x = 1: 0");

    const calc::SystemCourse pendulum = calc::build_system_course(
        numbers(10, 0, 1, {0, 0.5}), system_problems::pendulum(), Method::euler);
    const auto drift = calc::conserved_drift(pendulum);
    ASSERT_TRUE(drift && drift->change && drift->relative);
    EXPECT_EQ(*drift->relative, *drift->change / 0.875);
}

TEST(SystemComparisonTable, HasEachMethodsComponentsTheExactOnesAndTheDrifts) {
    const calc::SystemComparison& comparison = oscillator_comparison();
    const std::vector<std::string> columns = calc::system_comparison_columns(comparison);
    const std::vector<std::string> expected{"Schritt",
                                            "x",
                                            "Euler-Cauchy (y)",
                                            "Euler-Cauchy (y')",
                                            "Heun (y)",
                                            "Heun (y')",
                                            "Mittelpunkt (y)",
                                            "Mittelpunkt (y')",
                                            "RK3 (y)",
                                            "RK3 (y')",
                                            "RK4 (y)",
                                            "RK4 (y')",
                                            "Impl. Euler (y)",
                                            "Impl. Euler (y')",
                                            "Trapez (y)",
                                            "Trapez (y')",
                                            "Impl. Mittelpunkt (y)",
                                            "Impl. Mittelpunkt (y')",
                                            "y exakt",
                                            "y' exakt",
                                            "Drift Euler-Cauchy",
                                            "Drift Heun",
                                            "Drift Mittelpunkt",
                                            "Drift RK3",
                                            "Drift RK4",
                                            "Drift Impl. Euler",
                                            "Drift Trapez",
                                            "Drift Impl. Mittelpunkt"};
    EXPECT_EQ(columns, expected);
    // Row 1: Euler (1; -0.1), Heun and the midpoint (0.995; -0.1), Euler's energy drift h²/2 =
    // 0.005; implicit Euler solves Y1 - 0.1 Y2 = 1, Y2 + 0.1 Y1 = 0, the trapezoid keeps the
    // energy: its drift is zero up to rounding.
    const std::vector<std::string> cells =
        calc::system_comparison_cells(comparison, 1, test_locales::german);
    ASSERT_EQ(cells.size(), columns.size());
    EXPECT_EQ(cells[0], "1");
    EXPECT_EQ(cells[1], "0,1");
    EXPECT_EQ(cells[2], "1");
    EXPECT_EQ(cells[3], "-0,1");
    EXPECT_EQ(cells[4], "0,995");
    EXPECT_EQ(cells[6], "0,995");
    const auto read = [](const std::string& cell) {
        return *calc::read_number(cell, test_locales::german);
    };
    EXPECT_NEAR(read(cells[12]), 1 / 1.01, 1e-14);
    EXPECT_NEAR(read(cells[13]), -0.1 / 1.01, 1e-14);
    EXPECT_EQ(cells[18], calc::format_general(std::cos(0.1), test_locales::german));
    EXPECT_EQ(cells[20], calc::format_general(0.005, test_locales::german));
    EXPECT_NEAR(read(cells[26]), 0, 1e-14);

    const calc::SystemComparison circuit =
        calc::compare_system_methods(numbers(5, 0, 0.5, {0, 0}), system_problems::circuit());
    const std::vector<std::string> circuit_columns = calc::system_comparison_columns(circuit);
    EXPECT_EQ(circuit_columns.size(), 2u + 16u + 2u);
    EXPECT_EQ(circuit_columns[2], "Euler-Cauchy (y1)");
    EXPECT_EQ(circuit_columns.back(), "y2 exakt");
    const calc::SystemComparison unknown = calc::compare_system_methods(
        numbers(4, 0, 1, {1, 0, 0}), system_problems::three_components());
    const std::vector<std::string> row =
        calc::system_comparison_cells(unknown, 4, test_locales::german);
    ASSERT_EQ(row.size(), 2u + 24u + 3u);
    EXPECT_EQ(row.back(), "\u2013");
    EXPECT_TRUE(calc::system_comparison_cells(unknown, 5, test_locales::german).empty());
}

TEST(SystemComparisonTable, ShowsAValueThatIsNotFiniteAsMissing) {
    calc::SystemProblem blowing = system_problems::oscillator();
    blowing.exact = {};
    blowing.f = [](double, const calc::Vector& y) {
        return system_problems::vector_of({y[0] * y[0] * y[0], -y[1]});
    };
    const calc::SystemComparison comparison =
        calc::compare_system_methods(numbers(40, 0, 4, {10, 1}), blowing);
    const std::vector<std::string> cells =
        calc::system_comparison_cells(comparison, 40, test_locales::german);
    EXPECT_EQ(cells[2], "\u2013");
    EXPECT_EQ(cells.back(), "\u2013");
}

TEST(SystemComparisonOrders, ListsEachMethodsObservedOrder) {
    const std::string text =
        calc::system_comparison_orders_text(oscillator_comparison(), test_locales::german);
    EXPECT_TRUE(text.starts_with("Beobachtete Ordnung: Euler-Cauchy ")) << text;
    EXPECT_NE(text.find(" \u00b7 RK4 4,0"), std::string::npos) << text;
}

} // namespace
