// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built program with --verlauf and --konvergenz for systems: the course's and the
// study's CSV on stdout, every digit as the analysis writes it, and the exit statuses.
#include "calc/analysis/system_course.h"
#include "calc/analysis/system_study.h"
#include "calc/problem/system_examples.h"
#include "calc/system_calculate.h"
#include "cli/command_line.h"
#include "tests/cli/program_run.h"
#include "tests/named_case.h"
#include "tests/split_text.h"
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

using split_text::split;

struct CourseCase {
    std::string name;
    Variables variables;
    calc::NumberLocale locale;
    calc::SystemTask task;
    std::string captions; // the CSV's first line
};

QStringList argumentsOf(const calc::SystemTask& task) {
    QStringList arguments;
    if (task.form == calc::SystemForm::second_order) {
        arguments << "--zweite-ordnung";
    }
    for (const std::string& formula : task.formulas) {
        arguments << "-g" << QString::fromStdString(formula);
    }
    for (const std::string& value : task.initial) {
        arguments << "-a" << QString::fromStdString(value);
    }
    return arguments << "-u" << QString::fromStdString(task.ug) << "-o"
                     << QString::fromStdString(task.og) << "-n"
                     << QString::fromStdString(task.count) << "-m"
                     << QString::fromUtf8(calc::method_info(task.method).cli_name);
}

std::vector<std::string> circuit(const calc::NumberLocale& locale) {
    return calc::example_formulas(calc::system_example(calc::SystemExampleId::circuit), locale);
}

const CourseCase course_cases[] = {
    {"oscillator_of_second_order", german, test_locales::german,
     taskOf(calc::SystemForm::second_order, {"-y"}, {"1", "0"}, "0", "10", "100"),
     "Schritt;x;y;y';k1 (y);k1 (y');k2 (y);k2 (y');k3 (y);k3 (y');k4 (y);k4 (y');y exakt;"
     "y' exakt;Fehler;Re(h\u00b7\u03bb);Im(h\u00b7\u03bb);|R(h\u00b7\u03bb)|"},
    {"oscillator_as_two_equations_with_euler", english, test_locales::english,
     taskOf(calc::SystemForm::first_order, {"y2", "-y1"}, {"1", "0"}, "0", "1", "10",
            calc::Method::euler),
     "Schritt,x,y1,y2,k1 (y1),k1 (y2),y1 exakt,y2 "
     "exakt,Fehler,Re(h\u00b7\u03bb),Im(h\u00b7\u03bb),|R(h\u00b7\u03bb)|"},
    {"circuit_with_the_decimal_comma_and_heun", german, test_locales::german,
     taskOf(calc::SystemForm::first_order, circuit(test_locales::german), {"0", "0"}, "0", "0,5",
            "5", calc::Method::heun),
     "Schritt;x;y1;y2;k1 (y1);k1 (y2);k2 (y1);k2 (y2);y1 exakt;y2 "
     "exakt;Fehler;Re(h\u00b7\u03bb);Im(h\u00b7\u03bb);|R(h\u00b7\u03bb)|"},
    {"three_components_without_an_exact_solution", english, test_locales::english,
     taskOf(calc::SystemForm::first_order, {"-y1", "y1 - y2", "y2*x"}, {"1", "0", "0"}, "0", "1",
            "7", calc::Method::rk3),
     "Schritt,x,y1,y2,y3,k1 (y1),k1 (y2),k1 (y3),k2 (y1),k2 (y2),k2 (y3),k3 (y1),k3 (y2),"
     "k3 (y3),y1 exakt,y2 exakt,y3 "
     "exakt,Fehler,Re(h\u00b7\u03bb),Im(h\u00b7\u03bb),|R(h\u00b7\u03bb)|"},
    {"typed_second_order_with_the_midpoint_rule", german, test_locales::german,
     taskOf(calc::SystemForm::second_order, {"-0,25*y + 0,1*y'"}, {"1", "-0,5"}, "0", "2", "20",
            calc::Method::midpoint),
     "Schritt;x;y;y';k1 (y);k1 (y');k2 (y);k2 (y');y exakt;y' "
     "exakt;Fehler;Re(h\u00b7\u03bb);Im(h\u00b7\u03bb);|R(h\u00b7\u03bb)|"},
    {"lorenz_at_the_largest_count", english, test_locales::english,
     taskOf(calc::SystemForm::first_order,
            calc::example_formulas(calc::system_example(calc::SystemExampleId::lorenz),
                                   test_locales::english),
            {"1", "1", "1"}, "0", "20", "9999"),
     "Schritt,x,y1,y2,y3,k1 (y1),k1 (y2),k1 (y3),k2 (y1),k2 (y2),k2 (y3),k3 (y1),k3 (y2),"
     "k3 (y3),k4 (y1),k4 (y2),k4 (y3),y1 exakt,y2 exakt,y3 "
     "exakt,Fehler,Re(h\u00b7\u03bb),Im(h\u00b7\u03bb),|R(h\u00b7\u03bb)|"},
};

class SystemCourseOption : public testing::TestWithParam<CourseCase> {};

// The CSV is the analysis' course of the system's line; its last row holds the components that
// the line prints.
TEST_P(SystemCourseOption, PrintsTheCourseOfTheLineAndExitsZero) {
    const CourseCase& row = GetParam();
    const calc::SystemOutcome outcome = calc::calculate_system(row.task, row.locale);
    const auto* line = std::get_if<calc::SystemLine>(&outcome);
    ASSERT_NE(line, nullptr) << std::get<calc::SystemWarning>(outcome).text;
    const Finished run = runProgram(argumentsOf(row.task) << "--verlauf", row.variables);
    EXPECT_EQ(run.exit_code, cli::success);
    EXPECT_EQ(run.err, "");
    const calc::SystemCourse course = calc::build_system_course(*line, calc::CourseOrder::left_out);
    EXPECT_EQ(run.out, calc::system_course_csv(course, row.locale, calc::StabilityCsv::parts));

    const std::vector<std::string> lines = split(run.out, '\n');
    ASSERT_EQ(lines.size(), course.rows.size() + 2);
    EXPECT_EQ(lines.front(), row.captions);
    EXPECT_EQ(lines.back(), "");
    const char separator = calc::list_separator(row.locale);
    const std::vector<std::string> last = split(lines[lines.size() - 2], separator);
    const std::string joint = separator == ';' ? "; " : ", ";
    std::string components;
    for (std::size_t i = 0; i < line->numbers.aw.size(); ++i) {
        components += (i == 0 ? "(" : joint) + last[2 + i];
    }
    EXPECT_TRUE(line->text.ends_with(components + ")")) << line->text << " / " << components;
}

INSTANTIATE_TEST_SUITE_P(Systems, SystemCourseOption, testing::ValuesIn(course_cases), CaseName{});

struct StudyCase {
    std::string name;
    Variables variables;
    calc::NumberLocale locale;
    calc::SystemTask task;
    std::string captions;
    double order; // of the method, which the EOC approaches
};

const StudyCase study_cases[] = {
    {"oscillator_against_its_exact_solution_with_rk4", german, test_locales::german,
     taskOf(calc::SystemForm::second_order, {"-y"}, {"1", "0"}, "0", "1", "10"),
     "Verfahren;Schritte;h;x;y;y';Fehler;EOC", 4},
    {"circuit_against_its_exact_solution_with_heun", english, test_locales::english,
     taskOf(calc::SystemForm::first_order, circuit(test_locales::english), {"0", "0"}, "0", "0.5",
            "5", calc::Method::heun),
     "Verfahren,Schritte,h,x,y1,y2,Fehler,EOC", 2},
    {"three_components_against_finer_runs_with_euler", english, test_locales::english,
     taskOf(calc::SystemForm::first_order, {"-y1", "y1 - y2", "y2*x"}, {"1", "0", "0"}, "0", "1",
            "10", calc::Method::euler),
     "Verfahren,Schritte,h,x,y1,y2,y3,Fehler,EOC", 1},
};

class SystemStudyOption : public testing::TestWithParam<StudyCase> {};

// -m names the one method studied: n, 2n, … passes up to 2^20, each row's Fehler the maximum
// norm and its EOC near the method's order in the middle rows.
TEST_P(SystemStudyOption, PrintsTheStudyOfTheMethodAndExitsZero) {
    const StudyCase& row = GetParam();
    const Finished run = runProgram(argumentsOf(row.task) << "--konvergenz", row.variables);
    ASSERT_EQ(run.exit_code, cli::success) << run.err;
    EXPECT_EQ(run.err, "");
    const calc::SystemLine line =
        std::get<calc::SystemLine>(calc::calculate_system(row.task, row.locale));
    const auto study = calc::run_system_study(line, {row.task.method});
    ASSERT_TRUE(study.has_value());
    EXPECT_EQ(run.out, calc::study_csv(*study, row.locale));

    const std::vector<std::string> lines = split(run.out, '\n');
    EXPECT_EQ(lines.front(), row.captions);
    const int passes = std::stoi(row.task.count);
    std::size_t runs = 0;
    for (long long p = passes; p <= calc::study_pass_limit; p *= 2) {
        ++runs;
    }
    ASSERT_EQ(lines.size(), runs + 2);
    const char separator = calc::list_separator(row.locale);
    const std::vector<std::string> fourth = split(lines[4], separator);
    EXPECT_EQ(fourth[0], calc::method_info(row.task.method).cli_name);
    EXPECT_EQ(fourth[1], std::to_string(passes * 8));
    const auto eoc = calc::read_number(fourth.back(), row.locale);
    ASSERT_TRUE(eoc.has_value()) << lines[4];
    EXPECT_NEAR(*eoc, row.order, 0.1);
}

INSTANTIATE_TEST_SUITE_P(Systems, SystemStudyOption, testing::ValuesIn(study_cases), CaseName{});

// Without -m every method is studied, in the window's order.
TEST(SystemStudyOptionMethods, StudiesEveryMethodWithoutM) {
    const Finished run = runProgram({"-g", "y2", "-g", "-y1", "-a", "0", "-a", "1", "-u", "0", "-o",
                                     "1", "-n", "9999", "--konvergenz"},
                                    english);
    ASSERT_EQ(run.exit_code, cli::success) << run.err;
    const std::vector<std::string> lines = split(run.out, '\n');
    // 9999, 19998, …, 639936 passes: seven runs for each of the eight methods.
    ASSERT_EQ(lines.size(), 1u + 56u + 1u);
    const char* names[] = {"euler", "heun",       "mittelpunkt", "rk3",
                           "rk4",   "impl-euler", "trapez",      "impl-mittelpunkt"};
    for (std::size_t m = 0; m < 8; ++m) {
        EXPECT_TRUE(lines[1 + 7 * m].starts_with(std::string(names[m]) + ",9999,"))
            << lines[1 + 7 * m];
    }
}

struct RefusedCase {
    std::string name;
    QStringList arguments;
    int exit_code;
    std::string message; // the first line on stderr
};

class SystemCourseOptionRefused : public testing::TestWithParam<RefusedCase> {};

TEST_P(SystemCourseOptionRefused, PrintsNothingOnStdout) {
    const RefusedCase& row = GetParam();
    const Finished run = runProgram(row.arguments, german);
    EXPECT_EQ(run.exit_code, row.exit_code);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), row.message);
}

const QStringList oscillator{"-g", "y2", "-g", "-y1", "-a", "1", "-a", "0", "-u", "0", "-o", "1"};

INSTANTIATE_TEST_SUITE_P(
    Systems, SystemCourseOptionRefused,
    testing::Values(
        RefusedCase{"course_and_study_together",
                    oscillator + QStringList{"-n", "10", "--verlauf", "--konvergenz"},
                    cli::usage_error,
                    "numer-integration: Die Optionen „--verlauf“ und „--konvergenz“ schließen "
                    "einander aus."},
        RefusedCase{"course_with_an_exact_solution",
                    oscillator + QStringList{"-n", "10", "--verlauf", "--exakt", "cos(x)"},
                    cli::usage_error,
                    "numer-integration: Die Option „--exakt“ gilt nur für eine einzelne "
                    "Gleichung, nicht für ein System."},
        RefusedCase{"course_of_a_count_too_large",
                    oscillator + QStringList{"-n", "10000", "--verlauf"}, cli::refused,
                    "Bitte Anzahl < 10000 eingeben!"},
        RefusedCase{"study_of_an_undefined_formula",
                    QStringList{"-g", "y2", "-g", "ln(y1-2)", "-a", "1", "-a", "0", "-u", "0", "-o",
                                "1", "-n", "10", "--konvergenz"},
                    cli::refused,
                    "Die Differentialgleichung für y2' ist bei x = 0, y = (1; 0) nicht "
                    "definiert."},
        RefusedCase{"course_whose_run_overflows",
                    QStringList{"-g", "exp(exp(y1))", "-g", "y2", "-a", "10", "-a", "0", "-u", "0",
                                "-o", "1", "-n", "10", "--verlauf"},
                    cli::refused, "Überlauf bei der Berechnung!"}),
    CaseName{});

} // namespace
