// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/system_calculate.h"

#include "calc/problem/system_examples.h"
#include "calc/text/warnings.h"
#include "tests/named_case.h"
#include "tests/system_task.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

using named_case::PrintTo;

using calc::Method;
using calc::SystemField;
using calc::SystemForm;
using calc::SystemTask;
using namespace test_locales;

// The abscissa and the components of a result line "x-Wert   01,0   y-Wert   (a; b)", read back
// as the locale writes them.
struct ReadLine {
    std::string abscissa;
    std::vector<double> components;
};

std::optional<ReadLine> read_line(const std::string& text, const calc::NumberLocale& locale) {
    const std::string x_lead = "x-Wert   ";
    const std::string y_lead = "   y-Wert   (";
    const std::size_t y_at = text.find(y_lead);
    if (text.rfind(x_lead, 0) != 0 || y_at == std::string::npos || text.back() != ')') {
        return std::nullopt;
    }
    ReadLine line{text.substr(x_lead.size(), y_at - x_lead.size()), {}};
    const std::string separator = locale.decimal_separator == "," ? "; " : ", ";
    std::string rest = text.substr(y_at + y_lead.size());
    rest.pop_back();
    for (std::size_t end = 0; !rest.empty(); rest.erase(0, end + separator.size())) {
        end = std::min(rest.find(separator), rest.size());
        const auto number = calc::read_number(rest.substr(0, end), locale);
        if (!number) {
            return std::nullopt;
        }
        line.components.push_back(*number);
        if (end == rest.size()) {
            break;
        }
    }
    return line;
}

// --- Result lines: method × system against values derived without the program ----------------

struct LineCase {
    const char* name;
    SystemTask task;
    calc::NumberLocale locale;
    std::string abscissa;
    std::vector<double> expected;
    double tolerance;
};

class SystemLine : public testing::TestWithParam<LineCase> {};

TEST_P(SystemLine, EndsWhereAnIndependentCalculationDoes) {
    const LineCase& c = GetParam();
    const calc::SystemOutcome outcome = calc::calculate_system(c.task, c.locale);
    const auto* line = std::get_if<calc::SystemLine>(&outcome);
    ASSERT_NE(line, nullptr) << std::get<calc::SystemWarning>(outcome).text;
    const std::optional<ReadLine> read = read_line(line->text, c.locale);
    ASSERT_TRUE(read) << line->text;
    EXPECT_EQ(read->abscissa, c.abscissa);
    ASSERT_EQ(read->components.size(), c.expected.size()) << line->text;
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
        EXPECT_NEAR(read->components[i], c.expected[i], c.tolerance) << "component " << i;
    }
}

// The first pass from x = 0 with h = 0.1 of the oscillator y1' = y2, y2' = -y1 from (1; 0):
// k1 = 0.1 (0; -1) = (0; -0.1) for every method, then
//   Euler:    y = (1; -0.1)
//   Heun:     k2 = 0.1 f(1; -0.1) = (-0.01; -0.1),        y = y + (k1 + k2)/2 = (0.995; -0.1)
//   midpoint: k2 = 0.1 f(1; -0.05) = (-0.005; -0.1),      y = y + k2 = (0.995; -0.1)
//   RK3:      k2 = (-0.005; -0.1), k3 = 0.1 f((1; 0) - k1 + 2 k2) = 0.1 f(0.99; -0.1)
//             = (-0.01; -0.099),                           y = y + (k1 + 4 k2 + k3)/6
//                                                            = (1 - 0.03/6; -0.599/6)
//   RK4:      k2 = (-0.005; -0.1), k3 = 0.1 f(0.9975; -0.05) = (-0.005; -0.09975),
//             k4 = 0.1 f(0.995; -0.09975) = (-0.009975; -0.0995),
//             y = y + (k1 + 2 k2 + 2 k3 + k4)/6 = (1 - 0.029975/6; -0.599/6)
// The pendulum y'' = -sin(y) from y = 1, y' = 0.5 (y1 = y, y2 = y'), where Heun and the midpoint
// rule differ: k1 = (0.05; -0.1 sin 1), then
//   Heun:     k2 = 0.1 (0.5 - 0.1 sin 1; -sin 1.05),
//             y = (1 + (0.1 - 0.01 sin 1)/2; 0.5 - 0.05 (sin 1 + sin 1.05))
//   midpoint: k2 = 0.1 (0.5 - 0.05 sin 1; -sin 1.025),
//             y = (1.05 - 0.005 sin 1; 0.5 - 0.1 sin 1.025)
const double s1 = std::sin(1.0);

SystemTask oscillator_pass(Method method) {
    return taskOf(SystemForm::first_order, {"y2", "-y1"}, {"1", "0"}, "0", "0.1", "1", method);
}

SystemTask pendulum_pass(Method method) {
    return taskOf(SystemForm::second_order, {"-sin(y)"}, {"1", "0.5"}, "0", "0.1", "1", method);
}

// The circuit from (0; 0) over 0 … 0.5 in 5 steps, typed with the decimal comma.
SystemTask circuit(Method method) {
    return taskOf(
        SystemForm::first_order,
        calc::example_formulas(calc::system_example(calc::SystemExampleId::circuit), german),
        {"0", "0"}, "0", "0,5", "5", method);
}

// The exact end of the circuit: y* = (1.5; 0), d = (-1.5; 0), c1 = -9/8, c2 = 3/8.
const std::vector<double> circuit_end = {
    1.5 - 9.0 / 8 * 3 * std::exp(-1.0) + 3.0 / 8 * 5 * std::exp(-0.2),
    -9.0 / 8 * 2 * std::exp(-1.0) + 3.0 / 8 * 6 * std::exp(-0.2)};

// y1' = -y1, y2' = y1 - y2, y3' = y2 from (1; 0; 0): y = (e^-x; x e^-x; 1 - (1 + x) e^-x).
SystemTask chain(Method method) {
    return taskOf(SystemForm::first_order, {"-y1", "y1 - y2", "y2"}, {"1", "0", "0"}, "0", "1",
                  "10", method);
}
const std::vector<double> chain_end = {std::exp(-1.0), std::exp(-1.0), 1 - 2 * std::exp(-1.0)};

// y'' = -y/4 typed with the decimal comma, from y = 1, y' = 0: y = cos(x/2), y' = -sin(x/2)/2.
SystemTask quarter_oscillator(Method method) {
    return taskOf(SystemForm::second_order, {"-0,25*y"}, {"1", "0"}, "0", "1", "10", method);
}
const std::vector<double> quarter_end = {std::cos(0.5), -std::sin(0.5) / 2};

// Within the error of the method of order p at h = 0.1: 2 h^p.
double within_order(int p) {
    return 2 * std::pow(0.1, p);
}

INSTANTIATE_TEST_SUITE_P(
    Systems, SystemLine,
    testing::Values(
        LineCase{"oscillator_pass_euler",
                 oscillator_pass(Method::euler),
                 english,
                 "00.1",
                 {1, -0.1},
                 1e-15},
        LineCase{"oscillator_pass_heun",
                 oscillator_pass(Method::heun),
                 english,
                 "00.1",
                 {0.995, -0.1},
                 1e-15},
        LineCase{"oscillator_pass_midpoint",
                 oscillator_pass(Method::midpoint),
                 english,
                 "00.1",
                 {0.995, -0.1},
                 1e-15},
        LineCase{"oscillator_pass_rk3",
                 oscillator_pass(Method::rk3),
                 english,
                 "00.1",
                 {1 - 0.03 / 6, -0.599 / 6},
                 1e-15},
        LineCase{"oscillator_pass_rk4",
                 oscillator_pass(Method::rk4),
                 english,
                 "00.1",
                 {1 - 0.029975 / 6, -0.599 / 6},
                 1e-15},
        LineCase{"pendulum_pass_heun",
                 pendulum_pass(Method::heun),
                 english,
                 "00.1",
                 {1 + (0.1 - 0.01 * s1) / 2, 0.5 - 0.05 * (s1 + std::sin(1.05))},
                 1e-15},
        LineCase{"pendulum_pass_midpoint",
                 pendulum_pass(Method::midpoint),
                 english,
                 "00.1",
                 {1.05 - 0.005 * s1, 0.5 - 0.1 * std::sin(1.025)},
                 1e-15},
        LineCase{"circuit_euler", circuit(Method::euler), german, "00,5", circuit_end,
                 within_order(1)},
        LineCase{"circuit_heun", circuit(Method::heun), german, "00,5", circuit_end,
                 within_order(2)},
        LineCase{"circuit_midpoint", circuit(Method::midpoint), german, "00,5", circuit_end,
                 within_order(2)},
        LineCase{"circuit_rk3", circuit(Method::rk3), german, "00,5", circuit_end, within_order(3)},
        LineCase{"circuit_rk4", circuit(Method::rk4), german, "00,5", circuit_end, within_order(4)},
        LineCase{"three_components_euler", chain(Method::euler), english, "01.0", chain_end,
                 within_order(1)},
        LineCase{"three_components_rk4", chain(Method::rk4), english, "01.0", chain_end,
                 within_order(4)},
        LineCase{"second_order_decimal_comma_midpoint", quarter_oscillator(Method::midpoint),
                 german, "01,0", quarter_end, within_order(2)},
        LineCase{"second_order_decimal_comma_rk4", quarter_oscillator(Method::rk4), german, "01,0",
                 quarter_end, within_order(4)},
        LineCase{"count_below_one_shows_the_start",
                 taskOf(SystemForm::first_order, {"y2", "-y1"}, {"1", "-2"}, "3", "4", "0,5"),
                 german,
                 "03,0",
                 {1, -2},
                 0}),
    CaseName{});

struct TextCase {
    const char* name;
    SystemTask task;
    calc::NumberLocale locale;
    std::string text;
    std::string tooltip;
};

class SystemLineText : public testing::TestWithParam<TextCase> {};

TEST_P(SystemLineText, WritesTheComponentsInParenthesesAndTheFormulasInTheTooltip) {
    const TextCase& c = GetParam();
    const calc::SystemOutcome outcome = calc::calculate_system(c.task, c.locale);
    const auto* line = std::get_if<calc::SystemLine>(&outcome);
    ASSERT_NE(line, nullptr) << std::get<calc::SystemWarning>(outcome).text;
    EXPECT_EQ(line->text, c.text);
    EXPECT_EQ(calc::system_tooltip(*line), c.tooltip);
}

// The oscillator from 0 to 1 in 10 steps of RK4 under German, either way it is typed.
const std::string oscillator_line =
    "x-Wert   01,0   y-Wert   (0,540302967116884; -0,841470477800274)";

INSTANTIATE_TEST_SUITE_P(
    Lines, SystemLineText,
    testing::Values(
        TextCase{"oscillator_as_two_equations",
                 taskOf(SystemForm::first_order, {"y2", "-y1"}, {"1", "0"}, "0", "1", "10"), german,
                 oscillator_line, "y1' = y2, y2' = -y1, Runge-Kutta-4. Ord."},
        TextCase{"oscillator_of_second_order",
                 taskOf(SystemForm::second_order, {"-y"}, {"1", "0"}, "0", "1", "10"), german,
                 oscillator_line, "y'' = -y, Runge-Kutta-4. Ord."},
        TextCase{"blanks_around_the_formulas_are_left_out_and_a_point_written_under_english",
                 taskOf(SystemForm::first_order, {"  y2 ", "\t-y1"}, {"1", "0"}, "0", "1", "10"),
                 english, "x-Wert   01.0   y-Wert   (0.540302967116884, -0.841470477800274)",
                 "y1' = y2, y2' = -y1, Runge-Kutta-4. Ord."},
        // Formulas of 0 keep the initial values: the line shows them as they were typed.
        TextCase{"four_components_under_a_typographic_minus",
                 taskOf(SystemForm::first_order, {"0", "0 ", "0", "0"},
                        {"\u22121", "2", "0,5", "\u22123"}, "0", "1", "1", Method::euler),
                 typographic_minus, "x-Wert   01,0   y-Wert   (\u22121; 2; 0,5; \u22123)",
                 "y1' = 0, y2' = 0, y3' = 0, y4' = 0, Euler-Cauchy (1. Ord.)"}),
    CaseName{});

// --- The checks, in their order, with their texts ----------------------------------------------

struct WarningCase {
    const char* name;
    SystemTask task;
    std::string text;
    std::optional<SystemField> field;
    std::size_t index;
};

class SystemWarns : public testing::TestWithParam<WarningCase> {};

void expectWarning(const WarningCase& c) {
    const calc::SystemOutcome outcome = calc::calculate_system(c.task, german);
    const auto* warning = std::get_if<calc::SystemWarning>(&outcome);
    ASSERT_NE(warning, nullptr) << std::get<calc::SystemLine>(outcome).text;
    EXPECT_EQ(warning->text, c.text);
    EXPECT_EQ(warning->field, c.field);
    EXPECT_EQ(warning->index, c.index);
}

TEST_P(SystemWarns, WithTheFirstFailedCheckOnly) {
    expectWarning(GetParam());
}

// A task that computes, with one entry changed.
SystemTask with(void (*change)(SystemTask&)) {
    SystemTask task = taskOf(SystemForm::first_order, {"y2", "-y1"}, {"1", "0"}, "0", "1", "10");
    change(task);
    return task;
}

SystemTask second_order_with(void (*change)(SystemTask&)) {
    SystemTask task = taskOf(SystemForm::second_order, {"-y"}, {"1", "0"}, "0", "1", "10");
    change(task);
    return task;
}

const std::string count_missing = "Bitte Anzahl eingeben!";
const std::string overflow = "\u00dcberlauf bei der Berechnung!";

INSTANTIATE_TEST_SUITE_P(
    Entries, SystemWarns,
    testing::Values(
        WarningCase{"count_empty", with([](SystemTask& task) { task.count = ""; }), count_missing,
                    SystemField::count, 0},
        WarningCase{"count_first_of_all_empty_fields", with([](SystemTask& task) {
                        task = SystemTask{};
                        task.formulas = {"", ""};
                    }),
                    count_missing, SystemField::count, 0},
        WarningCase{"count_not_a_number", with([](SystemTask& task) { task.count = "zehn"; }),
                    "Bitte eine Zahl f\u00fcr Schrittanzahl eingeben!", SystemField::count, 0},
        WarningCase{"count_of_ten_thousand", with([](SystemTask& task) { task.count = "10000"; }),
                    "Bitte Anzahl < 10000 eingeben!", SystemField::count, 0},
        WarningCase{"count_just_below_the_limit_rounds_to_it",
                    with([](SystemTask& task) { task.count = "9999,9999999999999999"; }),
                    "Bitte Anzahl < 10000 eingeben!", SystemField::count, 0},
        WarningCase{"count_of_zero", with([](SystemTask& task) { task.count = "0"; }),
                    "Bitte Anzahl > 0 eingeben!", SystemField::count, 0},
        WarningCase{"count_before_the_bounds", with([](SystemTask& task) {
                        task.count = "-1";
                        task.ug = "";
                    }),
                    "Bitte Anzahl > 0 eingeben!", SystemField::count, 0},
        WarningCase{"lower_bound_empty_before_upper", with([](SystemTask& task) {
                        task.ug = "";
                        task.og = "";
                    }),
                    "Bitte Untere Grenze eingeben!", SystemField::ug, 0},
        WarningCase{"lower_bound_not_a_number", with([](SystemTask& task) { task.ug = "abc"; }),
                    "Bitte eine Zahl f\u00fcr Untere Grenze eingeben!", SystemField::ug, 0},
        WarningCase{"upper_bound_empty", with([](SystemTask& task) { task.og = ""; }),
                    "Bitte Obere Grenze eingeben!", SystemField::og, 0},
        WarningCase{"upper_bound_with_a_point_under_german",
                    with([](SystemTask& task) { task.og = "1.5"; }),
                    "Bitte eine Zahl f\u00fcr Obere Grenze eingeben!", SystemField::og, 0},
        WarningCase{"bounds_before_initial_values", with([](SystemTask& task) {
                        task.og = "x";
                        task.initial = {"", ""};
                    }),
                    "Bitte eine Zahl f\u00fcr Obere Grenze eingeben!", SystemField::og, 0},
        WarningCase{"second_initial_value_empty", with([](SystemTask& task) {
                        task.initial = {"1", ""};
                    }),
                    "Bitte Anfangswert f\u00fcr y2 eingeben!", SystemField::initial, 1},
        WarningCase{"first_initial_value_before_the_second", with([](SystemTask& task) {
                        task.initial = {"1x", ""};
                    }),
                    "Bitte eine Zahl f\u00fcr Anfangswert y1 eingeben!", SystemField::initial, 0},
        WarningCase{"initial_value_the_task_lacks", with([](SystemTask& task) {
                        task.formulas = {"y2", "y3", "y1"};
                    }),
                    "Bitte Anfangswert f\u00fcr y3 eingeben!", SystemField::initial, 2},
        WarningCase{"initial_values_before_formulas", with([](SystemTask& task) {
                        task.initial = {"1", "zwei"};
                        task.formulas = {"(", "("};
                    }),
                    "Bitte eine Zahl f\u00fcr Anfangswert y2 eingeben!", SystemField::initial, 1},
        WarningCase{"initial_value_of_y_empty", second_order_with([](SystemTask& task) {
                        task.initial = {"", ""};
                    }),
                    "Bitte Anfangswert f\u00fcr y eingeben!", SystemField::initial, 0},
        WarningCase{"initial_value_of_y_prime_not_a_number",
                    second_order_with([](SystemTask& task) {
                        task.initial = {"1", "0.5"};
                    }),
                    "Bitte eine Zahl f\u00fcr Anfangswert y' eingeben!", SystemField::initial, 1},
        WarningCase{"initial_value_with_a_nul_byte", with([](SystemTask& task) {
                        task.initial = {std::string("1\0", 2), "0"};
                    }),
                    "Bitte eine Zahl f\u00fcr Anfangswert y1 eingeben!", SystemField::initial, 0}),
    CaseName{});

// Its texts are built when the test runs: a table's rows are copied into every process of the
// test binary, and twenty megabytes in each would slow them all.
TEST(SystemWarnsOnPaste, TenMegabytesInTheCountAndAFormula) {
    expectWarning({"ten_megabytes_pasted_into_the_count_and_a_formula", with([](SystemTask& task) {
                       task.count = std::string(10'000'000, '7');
                       task.formulas[1] = std::string(10'000'000, '(');
                   }),
                   "Bitte eine Zahl f\u00fcr Schrittanzahl eingeben!", SystemField::count, 0});
}

INSTANTIATE_TEST_SUITE_P(
    Formulas, SystemWarns,
    testing::Values(
        WarningCase{"first_formula_before_the_second", with([](SystemTask& task) {
                        task.formulas = {"y2+", "y3"};
                    }),
                    "Die Differentialgleichung f\u00fcr y1' ist fehlerhaft: Operand fehlt "
                    "(Zeichen 4).",
                    SystemField::formula, 0},
        WarningCase{"name_beyond_the_components", with([](SystemTask& task) {
                        task.formulas = {"y2", "-y1+y3"};
                    }),
                    "Die Differentialgleichung f\u00fcr y2' ist fehlerhaft: unbekannter Name "
                    "\u201ey3\u201c (Zeichen 5).",
                    SystemField::formula, 1},
        WarningCase{"second_derivative_in_the_second_order_form",
                    second_order_with([](SystemTask& task) { task.formulas = {"-y''"}; }),
                    "Die Differentialgleichung ist fehlerhaft: unbekannter Name \u201ey''\u201c "
                    "(Zeichen 2).",
                    SystemField::formula, 0},
        WarningCase{"one_formula_for_a_system",
                    with([](SystemTask& task) { task.formulas = {"y1"}; }),
                    "Die Differentialgleichung f\u00fcr y2' ist fehlerhaft: leer (Zeichen 1).",
                    SystemField::formula, 1},
        WarningCase{"blank_formula", with([](SystemTask& task) {
                        task.formulas = {"y2", "   "};
                    }),
                    "Die Differentialgleichung f\u00fcr y2' ist fehlerhaft: leer (Zeichen 1).",
                    SystemField::formula, 1},
        WarningCase{"hundred_thousand_parentheses", with([](SystemTask& task) {
                        task.formulas = {"y2", std::string(100000, '(')};
                    }),
                    "Die Differentialgleichung f\u00fcr y2' ist fehlerhaft: zu lang (Zeichen "
                    "1001).",
                    SystemField::formula, 1},
        WarningCase{"nul_byte_in_a_formula", with([](SystemTask& task) {
                        task.formulas = {std::string("y2\0", 3), "-y1"};
                    }),
                    "Die Differentialgleichung f\u00fcr y1' ist fehlerhaft: unerwartetes "
                    "Steuerzeichen (Zeichen 3).",
                    SystemField::formula, 0},
        WarningCase{"broken_utf8_in_a_formula", with([](SystemTask& task) {
                        task.formulas = {"y2", "-y1\xC3"};
                    }),
                    "Die Differentialgleichung f\u00fcr y2' ist fehlerhaft: ung\u00fcltige "
                    "Zeichenkodierung (Zeichen 4).",
                    SystemField::formula, 1},
        WarningCase{"parentheses_that_close_in_the_next_formula", with([](SystemTask& task) {
                        task.formulas = {"min(y1", "y2)"};
                    }),
                    "Die Differentialgleichung f\u00fcr y1' ist fehlerhaft: fehlende Klammer "
                    "(Zeichen 7).",
                    SystemField::formula, 0},
        WarningCase{"separator_outside_a_function", with([](SystemTask& task) {
                        task.formulas = {"y2", "y1; y2"};
                    }),
                    "Die Differentialgleichung f\u00fcr y2' ist fehlerhaft: Trennzeichen "
                    "au\u00dferhalb einer Funktion (Zeichen 3).",
                    SystemField::formula, 1}),
    CaseName{});

INSTANTIATE_TEST_SUITE_P(
    Runs, SystemWarns,
    testing::Values(
        // y1' is infinite at once, y2' undefined: the undefined formula is named.
        WarningCase{"undefined_beside_an_infinite_component", with([](SystemTask& task) {
                        task.formulas = {"1/(x-x)", "sqrt(-1-y1)"};
                    }),
                    "Die Differentialgleichung f\u00fcr y2' ist bei x = 0, y = (1; 0) nicht "
                    "definiert.",
                    SystemField::formula, 1},
        // Euler's stage points are x = 0, 0.1, …, 0.9; the last pass's is the first past 0.85.
        WarningCase{"undefined_in_the_last_pass", with([](SystemTask& task) {
                        task.formulas = {"0*y2", "0*sqrt(0,85-x)"};
                        task.initial = {"1", "2"};
                        task.method = Method::euler;
                    }),
                    "Die Differentialgleichung f\u00fcr y2' ist bei x = 0,9, y = (1; 2) nicht "
                    "definiert.",
                    SystemField::formula, 1},
        WarningCase{"undefined_of_second_order", second_order_with([](SystemTask& task) {
                        task.formulas = {"ln(y'-1)"};
                        task.initial = {"2,5", "-1"};
                    }),
                    "Die Differentialgleichung ist bei x = 0, y = 2,5, y' = -1 nicht definiert.",
                    SystemField::formula, 0},
        WarningCase{"overflow_in_the_first_pass", with([](SystemTask& task) {
                        task.formulas = {"exp(exp(y1+10))", "y1"};
                    }),
                    overflow, std::nullopt, 0},
        WarningCase{"overflow_of_the_step", with([](SystemTask& task) {
                        task.ug = "-1E308";
                        task.og = "1E308";
                    }),
                    overflow, std::nullopt, 0},
        // y grows by e over the run, beyond the largest double.
        WarningCase{"overflow_of_a_huge_initial_value", with([](SystemTask& task) {
                        task.formulas = {"y1", "y2"};
                        task.initial = {"1E308", "1E308"};
                    }),
                    overflow, std::nullopt, 0}),
    CaseName{});

// The Lorenz example with the most passes the form accepts still computes its line.
TEST(SystemLorenz, RunsTheLargestCount) {
    const calc::SystemExample& lorenz = calc::system_example(calc::SystemExampleId::lorenz);
    const SystemTask task = taskOf(SystemForm::first_order, calc::example_formulas(lorenz, english),
                                   {"1", "1", "1"}, "0", "20", "9999");
    const calc::SystemOutcome outcome = calc::calculate_system(task, english);
    const auto* line = std::get_if<calc::SystemLine>(&outcome);
    ASSERT_NE(line, nullptr) << std::get<calc::SystemWarning>(outcome).text;
    EXPECT_EQ(line->system.known(), calc::SystemExampleId::lorenz);
    const calc::Steps steps = calc::system_steps_of(line->numbers);
    EXPECT_EQ(steps.passes, 9999);
    EXPECT_EQ(line->text.rfind("x-Wert   20.0   y-Wert   (", 0), 0u) << line->text;
}

} // namespace
