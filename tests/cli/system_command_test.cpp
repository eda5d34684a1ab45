// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built program with systems: -g two to four times, or once with --zweite-ordnung, and
// -a once a component; checks the line on stdout, the warnings on stderr and the exit statuses.
#include "calc/problem/system_examples.h"
#include "calc/system_calculate.h"
#include "cli/command_line.h"
#include "tests/cli/program_run.h"
#include "tests/named_case.h"
#include "tests/system_task.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace {

using cli_test::english;
using cli_test::Finished;
using cli_test::german;
using cli_test::PrintTo;
using cli_test::runProgram;
using cli_test::Variables;

QStringList systemArguments(const std::vector<std::string>& formulas,
                            const std::vector<std::string>& initial, const std::string& ug,
                            const std::string& og, const std::string& count) {
    QStringList arguments;
    for (const std::string& formula : formulas) {
        arguments << "-g" << QString::fromStdString(formula);
    }
    for (const std::string& value : initial) {
        arguments << "-a" << QString::fromStdString(value);
    }
    return arguments << "-u" << QString::fromStdString(ug) << "-o" << QString::fromStdString(og)
                     << "-n" << QString::fromStdString(count);
}

// --- Lines -----------------------------------------------------------------------------------

struct LineCase {
    std::string name;
    Variables variables;
    QStringList arguments; // besides the system's own
    calc::SystemTask task; // what the arguments amount to
    calc::NumberLocale locale;
};

class SystemLine : public testing::TestWithParam<LineCase> {};

TEST_P(SystemLine, PrintsTheSystemWindowsLineAndExitsZero) {
    const LineCase& row = GetParam();
    const calc::SystemOutcome outcome = calc::calculate_system(row.task, row.locale);
    const auto* line = std::get_if<calc::SystemLine>(&outcome);
    ASSERT_NE(line, nullptr) << std::get<calc::SystemWarning>(outcome).text;
    const Finished run =
        runProgram(row.arguments + systemArguments(row.task.formulas, row.task.initial, row.task.ug,
                                                   row.task.og, row.task.count),
                   row.variables);
    EXPECT_EQ(run.exit_code, cli::success);
    EXPECT_EQ(run.out, line->text + "\n");
    EXPECT_EQ(run.err, "");
}

const calc::SystemExample& example(calc::SystemExampleId id) {
    return calc::system_example(id);
}

INSTANTIATE_TEST_SUITE_P(
    Systems, SystemLine,
    testing::Values(LineCase{"circuit_with_the_decimal_comma",
                             german,
                             {},
                             taskOf(calc::SystemForm::first_order,
                                    calc::example_formulas(example(calc::SystemExampleId::circuit),
                                                           test_locales::german),
                                    {"0", "0"}, "0", "0,5", "5"),
                             test_locales::german},
                    LineCase{"pendulum_with_heun",
                             english,
                             {"--zweite-ordnung", "-m", "heun"},
                             taskOf(calc::SystemForm::second_order, {"-sin(y)"}, {"1", "0"}, "0",
                                    "20", "200", calc::Method::heun),
                             test_locales::english},
                    LineCase{"three_components_with_euler",
                             english,
                             {"--verfahren=euler"},
                             taskOf(calc::SystemForm::first_order, {"-y1", "y1 - y2", "y2"},
                                    {"1", "0", "0"}, "0", "1", "10", calc::Method::euler),
                             test_locales::english},
                    LineCase{"lorenz_at_the_largest_count",
                             english,
                             {"-m", "rk3"},
                             taskOf(calc::SystemForm::first_order,
                                    calc::example_formulas(example(calc::SystemExampleId::lorenz),
                                                           test_locales::english),
                                    {"1", "1", "1"}, "0", "20", "9999", calc::Method::rk3),
                             test_locales::english},
                    LineCase{"kepler_of_four_components",
                             german,
                             {},
                             taskOf(calc::SystemForm::first_order,
                                    calc::example_formulas(example(calc::SystemExampleId::kepler),
                                                           test_locales::german),
                                    {"1", "0", "0", "1"}, "0", "20", "2000"),
                             test_locales::german},
                    LineCase{"second_order_with_the_decimal_comma",
                             german,
                             {"--zweite-ordnung"},
                             taskOf(calc::SystemForm::second_order, {"-0,25*y + 0,1*y'"},
                                    {"1", "-0,5"}, "0", "2", "20"),
                             test_locales::german}),
    CaseName{});

// The oscillator from 0 to 1 in 10 steps of RK4 under German, typed in either form.
TEST(SystemLineText, IsTheOscillatorsLineInEitherForm) {
    const std::string line = "x-Wert   01,0   y-Wert   (0,540302967116884; -0,841470477800274)\n";
    const Finished system =
        runProgram(systemArguments({"y2", "-y1"}, {"1", "0"}, "0", "1", "10"), german);
    EXPECT_EQ(system.exit_code, cli::success);
    EXPECT_EQ(system.out, line);
    const Finished second = runProgram(QStringList{"--zweite-ordnung"} +
                                           systemArguments({"-y"}, {"1", "0"}, "0", "1", "10"),
                                       german);
    EXPECT_EQ(second.exit_code, cli::success);
    EXPECT_EQ(second.out, line);
    const Finished point = runProgram(QStringList{"--zweite-ordnung"} +
                                          systemArguments({"-y"}, {"1", "0"}, "0", "1", "10"),
                                      english);
    EXPECT_EQ(point.out, "x-Wert   01.0   y-Wert   (0.540302967116884, -0.841470477800274)\n");
}

// --- Warnings on stderr, exit 1 --------------------------------------------------------------

struct WarningCase {
    std::string name;
    QStringList arguments;
    std::string warning;
};

class SystemRefusal : public testing::TestWithParam<WarningCase> {};

TEST_P(SystemRefusal, PrintsTheSystemWindowsWarningOnStderrOnlyAndExitsOne) {
    const WarningCase& row = GetParam();
    const Finished run = runProgram(row.arguments, german);
    EXPECT_EQ(run.exit_code, cli::refused);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, row.warning + "\n");
}

const QStringList second_order{"--zweite-ordnung"};

INSTANTIATE_TEST_SUITE_P(
    Checks, SystemRefusal,
    testing::Values(
        WarningCase{"count_of_ten_thousand",
                    systemArguments({"y2", "-y1"}, {"1", "0"}, "0", "1", "10000"),
                    "Bitte Anzahl < 10000 eingeben!"},
        WarningCase{"lower_bound_missing",
                    {"-g", "y2", "-g", "-y1", "-a", "1", "-a", "0", "-n", "10", "-o", "1"},
                    "Bitte Untere Grenze eingeben!"},
        WarningCase{"second_initial_value_empty",
                    systemArguments({"y2", "-y1"}, {"1", ""}, "0", "1", "10"),
                    "Bitte Anfangswert für y2 eingeben!"},
        WarningCase{"name_beyond_the_components",
                    systemArguments({"y2", "y3"}, {"1", "0"}, "0", "1", "10"),
                    "Die Differentialgleichung für y2' ist fehlerhaft: unbekannter Name „y3“ "
                    "(Zeichen 1)."},
        WarningCase{"second_derivative_in_the_second_order_form",
                    second_order + systemArguments({"y''"}, {"1", "0"}, "0", "1", "10"),
                    "Die Differentialgleichung ist fehlerhaft: unbekannter Name „y''“ (Zeichen "
                    "1)."},
        WarningCase{"undefined_of_second_order",
                    second_order + systemArguments({"sqrt(-y)"}, {"1", "0"}, "0", "1", "10"),
                    "Die Differentialgleichung ist bei x = 0, y = 1, y' = 0 nicht definiert."},
        WarningCase{"undefined_component",
                    systemArguments({"y2", "ln(y1-2)"}, {"1", "0"}, "0", "1", "10"),
                    "Die Differentialgleichung für y2' ist bei x = 0, y = (1; 0) nicht "
                    "definiert."},
        WarningCase{"overflow",
                    systemArguments({"exp(exp(y1))", "y2"}, {"10", "0"}, "0", "1", "10"),
                    "Überlauf bei der Berechnung!"},
        // One -g stays the equation of today, with its limit of fewer than 100 steps.
        WarningCase{"one_equation_keeps_its_count_limit",
                    {"-g", "y", "-a", "1", "-u", "0", "-o", "1", "-n", "100"},
                    "Bitte Anzahl < 100 eingeben!"}),
    CaseName{});

// --- Usage errors, exit 2 ----------------------------------------------------------------------

struct UsageCase {
    std::string name;
    QStringList arguments;
    std::string message;
};

class SystemUsageError : public testing::TestWithParam<UsageCase> {};

TEST_P(SystemUsageError, SaysWhichOptionsDoNotGoTogetherAndExitsTwo) {
    const UsageCase& row = GetParam();
    const Finished run = runProgram(row.arguments, german);
    EXPECT_EQ(run.exit_code, cli::usage_error);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "numer-integration: " + row.message);
    EXPECT_NE(run.err.find("\nAufruf: numer-integration "), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Options, SystemUsageError,
    testing::Values(
        UsageCase{"fewer_initial_values_than_equations",
                  systemArguments({"y2", "-y1", "y3"}, {"1", "0"}, "0", "1", "10"),
                  "Ein System braucht „-a“ so oft wie „-g“: „-g“ steht 3-mal da, „-a“ 2-mal."},
        UsageCase{"two_initial_values_for_one_equation",
                  systemArguments({"y"}, {"1", "0"}, "0", "1", "10"),
                  "Ein System braucht „-a“ so oft wie „-g“: „-g“ steht 1-mal da, „-a“ 2-mal."},
        UsageCase{"two_equations_without_initial_values",
                  {"-g", "y2", "-g", "-y1", "-n", "10"},
                  "Ein System braucht „-a“ so oft wie „-g“: „-g“ steht 2-mal da, „-a“ 0-mal."},
        UsageCase{"five_equations",
                  systemArguments({"y2", "y3", "y4", "y1", "1"}, {"1", "0", "0", "0", "0"}, "0",
                                  "1", "10"),
                  "Ein System hat höchstens vier Gleichungen, „-g“ steht 5-mal da."},
        UsageCase{"second_order_with_two_equations",
                  second_order + systemArguments({"-y", "y"}, {"1", "0"}, "0", "1", "10"),
                  "Mit „--zweite-ordnung“ ist genau eine Gleichung „-g“ anzugeben, nicht 2."},
        UsageCase{"second_order_without_an_equation",
                  second_order + systemArguments({}, {"1", "0"}, "0", "1", "10"),
                  "Mit „--zweite-ordnung“ ist genau eine Gleichung „-g“ anzugeben, nicht 0."},
        UsageCase{"second_order_with_one_initial_value",
                  second_order + systemArguments({"-y"}, {"1"}, "0", "1", "10"),
                  "Mit „--zweite-ordnung“ sind genau zwei Anfangswerte „-a“ anzugeben, y(ug) und "
                  "y'(ug), nicht 1."},
        UsageCase{"second_order_with_three_initial_values",
                  second_order + systemArguments({"-y"}, {"1", "0", "2"}, "0", "1", "10"),
                  "Mit „--zweite-ordnung“ sind genau zwei Anfangswerte „-a“ anzugeben, y(ug) und "
                  "y'(ug), nicht 3."},
        UsageCase{"exact_solution_for_a_system",
                  QStringList{"--exakt", "cos(x)"} +
                      systemArguments({"y2", "-y1"}, {"1", "0"}, "0", "1", "10"),
                  "Die Option „--exakt“ gilt nur für eine einzelne Gleichung, nicht für ein "
                  "System."},
        UsageCase{
            "system_beside_an_unknown_method",
            QStringList{"-m", "rk5"} + systemArguments({"y2", "-y1"}, {"1", "0"}, "0", "1", "10"),
            "Unbekanntes Verfahren „rk5“ (bekannt: euler, heun, mittelpunkt, rk3, rk4, impl-euler, "
            "trapez, impl-mittelpunkt, bs23, rkf45, dopri5, adaptiv)."}),
    CaseName{});

// --- Help ----------------------------------------------------------------------------------

// The help describes systems and the second-order form, and writes each example's formulas as
// its -g options, with the decimal separator of the locale.
TEST(SystemHelp, DescribesSystemsAndWritesEachExampleAsItsOptions) {
    const Finished help = runProgram({"--help"}, german);
    ASSERT_EQ(help.exit_code, cli::success);
    for (const char* text : {"--zweite-ordnung", "Systeme:", "y'' = f(x, y, y')",
                             "kleiner als 10000", "-g \"-2,4*y1+1,6*y2+3,6\"", "-o 0,5"}) {
        EXPECT_NE(help.out.find(text), std::string::npos) << "lacks " << text;
    }
    for (const calc::SystemExample& example : calc::system_examples) {
        const std::size_t at = help.out.find("\n  " + std::string(example.name));
        ASSERT_NE(at, std::string::npos) << example.name;
        for (const std::string& formula : calc::example_formulas(example, test_locales::german)) {
            EXPECT_NE(help.out.find("-g \"" + formula + "\"", at), std::string::npos) << formula;
        }
    }
}

} // namespace
