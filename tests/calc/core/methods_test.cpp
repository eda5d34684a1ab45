// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/course.h"
#include "calc/calculate.h"
#include "calc/core/methods.h"

#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <tuple>

// The rows of MethodOnEquation hold calc's MethodInfo, which prints as its name.
namespace calc {
using named_case::PrintTo;
} // namespace calc

namespace {

using named_case::PrintTo;

using calc::Method;
using Slope = std::function<double(double, double)>;

// The passes written out again from the formulas, apart from calc, for the result to match bit
// for bit. By hand, for y' = x + y from (0, 1) with h = 0.1:
//   Euler:    k1 = 0.1                                       y = 1.1
//   Heun:     k1 = 0.1, k2 = 0.1 (0.1 + 1.1) = 0.12          y = 1 + 0.22 / 2 = 1.11
//   midpoint: k1 = 0.1, k2 = 0.1 (0.05 + 1.05) = 0.11        y = 1.11
//   RK3:      k1 = 0.1, k2 = 0.11, k3 = 0.1 (0.1 + 0.9 + 0.22) = 0.122
//                                                            y = 1 + 0.662 / 6 = 1.110333...
//   RK4:      k1 = 0.1, k2 = 0.11, k3 = 0.1 (0.05 + 1.055) = 0.1105,
//             k4 = 0.1 (0.1 + 1.1105) = 0.12105              y = 1 + 0.66205 / 6 = 1.1103416...
// The implicit passes are solved here by the secant method on g(Y) = Y - (y + h·F(Y)) to the last
// bits, apart from calc's Newton iterations and their central differences.
double secant_root(const std::function<double(double)>& g, double start) {
    double a = start;
    double b = start + 1e-3 * (1 + std::fabs(start));
    for (int i = 0; i < 100 && g(b) != g(a); ++i) {
        const double next = b - g(b) * (b - a) / (g(b) - g(a));
        a = b;
        b = next;
        if (std::fabs(b - a) <= 1e-15 * (1 + std::fabs(b))) {
            break;
        }
    }
    return b;
}

double reference_pass(Method method, const Slope& f, double x, double y, double h) {
    const double k1 = h * f(x, y);
    switch (method) {
    case Method::implicit_euler:
        return secant_root([&](double y1) { return y1 - (y + h * f(x + h, y1)); }, y + k1);
    case Method::trapezoid:
        return secant_root([&](double y1) { return y1 - (y + h / 2 * (f(x, y) + f(x + h, y1))); },
                           y + k1);
    case Method::implicit_midpoint:
        return secant_root([&](double y1) { return y1 - (y + h * f(x + h / 2, (y + y1) / 2)); },
                           y + k1);
    case Method::euler:
        return y + k1;
    case Method::heun:
        return y + (k1 + h * f(x + h, y + k1)) / 2;
    case Method::midpoint:
        return y + h * f(x + h / 2, y + k1 / 2);
    case Method::rk3: {
        const double k2 = h * f(x + h / 2, y + k1 / 2);
        const double k3 = h * f(x + h, (y - k1) + 2 * k2);
        return y + (1.0 / 6.0) * ((k1 + 4 * k2) + k3);
    }
    case Method::rk4:
        break;
    }
    const double k2 = h * f(x + h / 2, y + k1 / 2);
    const double k3 = h * f(x + h / 2, y + k2 / 2);
    const double k4 = h * f(x + h, y + k3);
    return y + (1.0 / 6.0) * (((k1 + 2 * k2) + 2 * k3) + k4);
}

struct EquationCase {
    const char* name;
    const char* typed;
    calc::NumberLocale locale;
    Slope f;
};

const EquationCase equations[] = {
    {"Default", "-x*y^2", test_locales::german, [](double x, double y) { return (-x) * (y * y); }},
    {"Linear", "x + y", test_locales::english, [](double x, double y) { return x + y; }},
    {"Logistic", "y*(1-y)", test_locales::german, [](double, double y) { return y * (1 - y); }},
    {"Cosine", "cos(x)-y", test_locales::english,
     [](double x, double y) { return std::cos(x) - y; }},
    {"DecimalComma", "0,5*y - x", test_locales::german,
     [](double x, double y) { return 0.5 * y - x; }},
};

class MethodOnEquation : public testing::TestWithParam<std::tuple<calc::MethodInfo, EquationCase>> {
};

TEST_P(MethodOnEquation, GivesTheLineThePassesWrittenOutGive) {
    const auto& [method, equation] = GetParam();
    const calc::Outcome outcome = calc::calculate(
        calc::Task({"10", "0", "1", "1"}, equation.typed, method.id), equation.locale);
    const auto* line = std::get_if<calc::ResultLine>(&outcome);
    ASSERT_NE(line, nullptr) << std::get<calc::Warning>(outcome).text;
    double x = 0;
    double y = 1;
    for (int pass = 0; pass < 10; ++pass) {
        y = reference_pass(method.id, equation.f, x, y, 0.1);
        x += 0.1;
    }
    if (method.implicit) {
        // Newton stops within 1E-12 of the root, so the last digits of the line may differ.
        const calc::RunEnd end = calc::run_passes(method.id, line->equation, {0, 1}, 0.1, 10);
        EXPECT_NEAR(end.point.y, y, 1e-10 * (1 + std::fabs(y)));
        return;
    }
    EXPECT_EQ(line->text, "x-Wert   " + calc::format_00_0(x, equation.locale) + "   y-Wert   " +
                              calc::format_general(y, equation.locale));
    EXPECT_EQ(calc::line_tooltip(*line), std::string("y' = ") +
                                             calc::trimmed(equation.typed).data() + ", " +
                                             std::string(method.name));
}

INSTANTIATE_TEST_SUITE_P(Methods, MethodOnEquation,
                         testing::Combine(testing::ValuesIn(calc::method_table),
                                          testing::ValuesIn(equations)),
                         [](const auto& row) {
                             std::string name(std::get<0>(row.param).cli_name);
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name + "_" + std::get<1>(row.param).name;
                         });

TEST(FirstPass, MatchesTheHandCalculationOnXPlusY) {
    // Implicit Euler: Y = 1 + 0.1 (0.1 + Y); trapezoid: Y = 1 + 0.05 (1 + 0.1 + Y); implicit
    // midpoint: Y = 1 + 0.1 (0.05 + (1 + Y) / 2).
    const double by_hand[] = {
        1.1,        1.11,         1.11,        1.1 + 0.01 + 1.0 / 3000, 1 + 0.66205 / 6,
        1.01 / 0.9, 1.055 / 0.95, 1.055 / 0.95};
    const auto f = std::get<calc::Equation>(calc::Equation::parse("x+y", test_locales::english));
    for (const calc::MethodInfo& method : calc::method_table) {
        const calc::Pass pass = calc::make_pass(method.id, f, {0, 1}, 0.1);
        EXPECT_NEAR(pass.next.y, by_hand[static_cast<int>(method.id)],
                    method.implicit ? 1e-12 : 1e-15)
            << method.name;
    }
}

TEST(DefaultEquation, KeepsItsCompiledBodyHoweverItIsSpaced) {
    for (const char* typed : {"-x*y^2", " - x * y ^ 2 ", "-x*y^2\t"}) {
        const auto parsed = calc::Equation::parse(typed, test_locales::german);
        ASSERT_TRUE(std::get<calc::Equation>(parsed).is_default()) << typed;
        EXPECT_EQ(std::get<calc::ResultLine>(
                      calc::calculate(calc::Task({"99", "-3", "3", "0,1"}, typed), {",", ".", "-"}))
                      .text,
                  std::get<calc::ResultLine>(
                      calc::calculate(calc::EntryTexts{"99", "-3", "3", "0,1"}, {",", ".", "-"}))
                      .text);
    }
}

struct RunWarningCase {
    const char* name;
    const char* typed;
    Method method;
    const char* aw;
    std::string warning;
};

class RunWarning : public testing::TestWithParam<RunWarningCase> {};

TEST_P(RunWarning, NamesWhereTheRunFailed) {
    const RunWarningCase& c = GetParam();
    const calc::Outcome outcome = calc::calculate(
        calc::Task({"10", "0", "1", c.aw}, c.typed, c.method), test_locales::german);
    const auto* warning = std::get_if<calc::Warning>(&outcome);
    ASSERT_NE(warning, nullptr) << std::get<calc::ResultLine>(outcome).text;
    EXPECT_EQ(warning->text, c.warning);
}

const std::string overflow(calc::warning_text::overflow);

const RunWarningCase run_warnings[] = {
    {"UndefinedRoot", "sqrt(-1)", Method::rk4, "1",
     "Die Differentialgleichung ist bei x = 0, y = 1 nicht definiert."},
    // The second pass's second stage: x = 0.2, y = 2 + (k1 + k2) / 2 + k1' = 2.0529...
    {"UndefinedAtALaterStage", "sqrt(0,15-x)", Method::heun, "2",
     "Die Differentialgleichung ist bei x = 0,2, y = 2,05290593639353 nicht definiert."},
    {"DivisionByZero", "1/0", Method::euler, "1", overflow},
    {"LogarithmOfZero", "ln(y-1)", Method::rk3, "1", overflow},
    {"HugePower", "y^1e308", Method::rk4, "2", overflow},
    // k1 is infinite, yet the midpoint's k2 at an infinite stage point is 0.
    {"InfiniteStageHiddenFromThePoint", "1/(y-1)", Method::midpoint, "1", overflow},
    {"DefaultKeepsOverflowForNaN", "-x*y^2", Method::rk4, "1E200", overflow},
};
INSTANTIATE_TEST_SUITE_P(Methods, RunWarning, testing::ValuesIn(run_warnings), CaseName{});

// The observed order of each method on y' = x + y from 0 to 1 in 40 steps, against its exact
// solution and from three runs when that is withheld.
TEST(ObservedOrder, ApproachesEachMethodsOrder) {
    const double orders[] = {1, 2, 2, 3, 4, 1, 2, 2};
    const auto f = std::get<calc::Equation>(calc::Equation::parse("x+y", test_locales::english));
    for (const calc::MethodInfo& method : calc::method_table) {
        const double p = orders[static_cast<int>(method.id)];
        const calc::Numbers numbers{40, 0, 1, 1};
        EXPECT_NEAR(*calc::observed_order(numbers, f, method.id, calc::ExactSolution::of(f)), p,
                    0.05)
            << method.name;
        EXPECT_NEAR(*calc::observed_order(numbers, f, method.id, std::nullopt), p, 0.1)
            << method.name;
    }
}

TEST(MethodCourse, ShowsOnlyTheMethodsOwnStages) {
    const auto line = std::get<calc::ResultLine>(calc::calculate(
        calc::Task({"2", "0", "1", "1"}, "cos(x)-y", Method::heun), test_locales::english));
    const calc::Course course = calc::build_course(line);
    EXPECT_EQ(calc::course_csv(course, test_locales::english).substr(0, 51),
              "Schritt,x,y,k1,k2,y exakt,Fehler,h\u00b7\u03bb,|R(h\u00b7\u03bb)|\n0");
    EXPECT_EQ(calc::course_cells(course, course.rows[0], test_locales::english).size(), 9u);
    EXPECT_EQ(
        calc::course_heading(course, test_locales::german),
        "y' = cos(x)-y, y(0) = 1, 2 Schritte mit h = 0,5 von x = 0 bis x = 1, Heun (2. Ord.)");
    EXPECT_EQ(calc::order_text(course, test_locales::german).substr(0, 24),
              "Beobachtete Ordnung p = ");
    EXPECT_TRUE(calc::order_text(course, test_locales::german).ends_with(" (aus h, h/2 und h/4)"));
    EXPECT_EQ(course.rows[1].exact, std::nullopt);
}

} // namespace
