// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built program with --verlauf for a pair: every attempt of the run as CSV on stdout,
// as the analysis writes it, for a scalar equation and for a system.
#include "calc/analysis/adaptive_course.h"
#include "calc/calculate.h"
#include "calc/system_calculate.h"
#include "cli/command_line.h"
#include "tests/cli/program_run.h"
#include "tests/named_case.h"
#include "tests/system_task.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

namespace {

using cli_test::Finished;
using cli_test::PrintTo;
using cli_test::runProgram;
using cli_test::Variables;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines(1);
    for (const char c : text) {
        if (c == '\n') {
            lines.emplace_back();
        } else {
            lines.back().push_back(c);
        }
    }
    return lines;
}

// How many lines end with the status, given the cells after it.
std::size_t withStatus(const std::vector<std::string>& lines, const std::string& status,
                       char separator) {
    const std::string cell = separator + status + separator;
    return static_cast<std::size_t>(
        std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(cell) != std::string::npos;
        }));
}

struct ScalarCase {
    std::string name;
    Variables variables;
    calc::NumberLocale locale;
    calc::Pair pair;
    std::string equation, ug, og, aw, tolerance;
};

const ScalarCase scalar_cases[] = {
    {"dormand_prince_of_the_default_equation", cli_test::german, test_locales::german,
     calc::Pair::dopri5, "", "0", "1", "1", "1E-6"},
    {"bogacki_shampine_in_english", cli_test::english, test_locales::english, calc::Pair::bs23,
     "x+y", "0", "2", "1", "1e-5"},
    {"fehlberg_backwards", cli_test::german, test_locales::german, calc::Pair::rkf45, "-2*y", "1",
     "-1", "0,5", "1E-8"},
};

class AdaptiveCourseOption : public testing::TestWithParam<ScalarCase> {};

TEST_P(AdaptiveCourseOption, PrintsEveryAttemptOfTheLine) {
    const ScalarCase& row = GetParam();
    calc::Task task(calc::EntryTexts{"", row.ug, row.og, row.aw});
    if (!row.equation.empty()) {
        task.equation = row.equation;
    }
    task.pair = row.pair;
    task.tolerance = row.tolerance;
    const calc::Outcome outcome = calc::calculate(task, row.locale);
    const auto* line = std::get_if<calc::ResultLine>(&outcome);
    ASSERT_NE(line, nullptr) << std::get<calc::Warning>(outcome).text;

    QStringList arguments{"-u",       QString::fromStdString(row.ug),
                          "-o",       QString::fromStdString(row.og),
                          "-a",       QString::fromStdString(row.aw),
                          "-m",       QString::fromUtf8(calc::pair_info(row.pair).cli_name),
                          "-t",       QString::fromStdString(row.tolerance),
                          "--verlauf"};
    if (!row.equation.empty()) {
        arguments << "-g" << QString::fromStdString(row.equation);
    }
    const Finished run = runProgram(arguments, row.variables);
    EXPECT_EQ(run.exit_code, cli::success);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, calc::adaptive_csv(calc::build_adaptive_course(*line), row.locale,
                                          calc::StabilityCsv::parts));

    const std::vector<std::string> lines = linesOf(run.out);
    const calc::AdaptiveTotals& totals = line->adaptive->totals;
    ASSERT_EQ(lines.size(), totals.accepted + totals.rejected + 3);
    const char separator = calc::list_separator(row.locale);
    EXPECT_EQ(withStatus(lines, "angenommen", separator), totals.accepted);
    EXPECT_EQ(withStatus(lines, "verworfen", separator), totals.rejected);
    // The end row: no number, x = og as typed, and the y that the line prints.
    const std::string end = lines[lines.size() - 2];
    const std::string lead = std::string(1, separator) + row.og + separator + separator;
    EXPECT_EQ(end.substr(0, lead.size()), lead) << end;
    const std::string y = end.substr(lead.size(), end.find(separator, lead.size()) - lead.size());
    EXPECT_TRUE(line->text.ends_with(y)) << line->text << " / " << y;
}

INSTANTIATE_TEST_SUITE_P(Pairs, AdaptiveCourseOption, testing::ValuesIn(scalar_cases), CaseName{});

struct SystemCase {
    std::string name;
    Variables variables;
    calc::NumberLocale locale;
    calc::SystemTask task;
};

calc::SystemTask withPair(calc::SystemTask task, calc::Pair pair, std::string tolerance) {
    task.pair = pair;
    task.tolerance = std::move(tolerance);
    return task;
}

const SystemCase system_cases[] = {
    {"oscillator_of_second_order_with_bogacki_shampine", cli_test::german, test_locales::german,
     withPair(taskOf(calc::SystemForm::second_order, {"-y"}, {"1", "0"}, "0", "10", ""),
              calc::Pair::bs23, "1E-4")},
    {"van_der_pol_with_dormand_prince_in_english", cli_test::english, test_locales::english,
     withPair(taskOf(calc::SystemForm::first_order, {"y2", "5*(1-y1^2)*y2-y1"}, {"2", "0"}, "0",
                     "6", ""),
              calc::Pair::dopri5, "1e-4")},
};

class SystemAdaptiveCourseOption : public testing::TestWithParam<SystemCase> {};

TEST_P(SystemAdaptiveCourseOption, PrintsEveryAttemptOfTheLine) {
    const SystemCase& row = GetParam();
    const calc::SystemOutcome outcome = calc::calculate_system(row.task, row.locale);
    const auto* line = std::get_if<calc::SystemLine>(&outcome);
    ASSERT_NE(line, nullptr) << std::get<calc::SystemWarning>(outcome).text;
    QStringList arguments;
    if (row.task.form == calc::SystemForm::second_order) {
        arguments << "--zweite-ordnung";
    }
    for (const std::string& formula : row.task.formulas) {
        arguments << "-g" << QString::fromStdString(formula);
    }
    for (const std::string& value : row.task.initial) {
        arguments << "-a" << QString::fromStdString(value);
    }
    arguments << "-u" << QString::fromStdString(row.task.ug) << "-o"
              << QString::fromStdString(row.task.og) << "-m"
              << QString::fromUtf8(calc::pair_info(*row.task.pair).cli_name) << "-t"
              << QString::fromStdString(row.task.tolerance) << "--verlauf";
    const Finished run = runProgram(arguments, row.variables);
    EXPECT_EQ(run.exit_code, cli::success);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, calc::system_adaptive_csv(calc::build_system_adaptive_course(*line),
                                                 row.locale, calc::StabilityCsv::parts));
    const calc::AdaptiveTotals& totals = line->adaptive->totals;
    EXPECT_EQ(linesOf(run.out).size(), totals.accepted + totals.rejected + 3);
}

INSTANTIATE_TEST_SUITE_P(Pairs, SystemAdaptiveCourseOption, testing::ValuesIn(system_cases),
                         CaseName{});

} // namespace
