// SPDX-License-Identifier: GPL-3.0-or-later
// The command line with a pair: the line as the window's, the tolerance's checks, and the
// totals of --statistik on stderr.
#include "calc/calculate.h"
#include "calc/system_calculate.h"
#include "cli/command_line.h"
#include "tests/cli/program_run.h"
#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace {

using namespace cli_test;

// The line calc gives for the default equation with a pair, as the window would show it.
std::string windowLine(calc::Pair pair, const std::string& tolerance, const std::string& og) {
    calc::Task task({"", "0", og, "1"});
    task.choose(pair);
    task.tolerance = tolerance;
    const calc::Outcome outcome = calc::calculate(task, test_locales::german);
    return std::get<calc::ResultLine>(outcome).text + '\n';
}

// The warning calc gives for the equation with dopri5 at 1E-6, as the window would show it.
std::string windowWarning(const std::string& equation) {
    calc::Task task({"", "0", "1", "1"}, equation);
    task.choose(calc::Pair::dopri5);
    const calc::Outcome outcome = calc::calculate(task, test_locales::german);
    return std::get<calc::Warning>(outcome).text + '\n';
}

std::string heunLine() {
    calc::Task task({"10", "0", "1", "1"});
    task.choose(calc::Method::heun);
    return std::get<calc::ResultLine>(calc::calculate(task, test_locales::german)).text + '\n';
}

std::string oscillatorLine() {
    calc::SystemTask task;
    task.formulas = {"y2", "-y1"};
    task.initial = {"1", "0"};
    task.ug = std::string("0");
    task.og = std::string("1");
    task.pair = calc::Pair::dopri5;
    task.tolerance = std::string("1E-10");
    const calc::SystemOutcome outcome = calc::calculate_system(task, test_locales::german);
    return std::get<calc::SystemLine>(outcome).text + '\n';
}

struct PairRunCase {
    std::string name;
    QStringList arguments;
    int exit_code;
    std::string out; // empty: none
    std::string err;
};

class PairRun : public testing::TestWithParam<PairRunCase> {};

TEST_P(PairRun, PrintsWhatTheWindowShows) {
    const PairRunCase& row = GetParam();
    const Finished run = runProgram(row.arguments, german);
    EXPECT_EQ(run.exit_code, row.exit_code);
    EXPECT_EQ(run.out, row.out);
    EXPECT_EQ(run.err, row.err);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, PairRun,
    testing::Values(
        PairRunCase{"statistics_of_dopri5",
                    {"-m", "dopri5", "-u", "0", "-o", "1", "-a", "1", "--statistik"},
                    cli::success,
                    windowLine(calc::Pair::dopri5, "1E-6", "1"),
                    "9 Schritte, 1 verworfen, 62 Auswertungen von f\n"},
        PairRunCase{"without_t_the_start_tolerance",
                    {"-m", "bs23", "-u", "0", "-o", "2", "-a", "1"},
                    cli::success,
                    windowLine(calc::Pair::bs23, "1E-6", "2"),
                    ""},
        PairRunCase{"tolerance_as_typed",
                    {"-m", "rkf45", "-t", "2,5E-9", "-u", "0", "-o", "2", "-a", "1"},
                    cli::success,
                    windowLine(calc::Pair::rkf45, "2,5E-9", "2"),
                    ""},
        PairRunCase{"statistics_of_a_fixed_step",
                    {"-m", "heun", "-n", "10", "-u", "0", "-o", "1", "-a", "1", "--statistik"},
                    cli::success,
                    heunLine(),
                    "10 Schritte, 0 verworfen, 20 Auswertungen von f\n"},
        PairRunCase{"tolerance_empty",
                    {"-m", "dopri5", "-t", "", "-u", "0", "-o", "1", "-a", "1"},
                    cli::refused,
                    "",
                    "Bitte Toleranz eingeben!\n"},
        PairRunCase{"tolerance_out_of_range",
                    {"-m", "dopri5", "-t", "1E-20", "-u", "0", "-o", "1", "-a", "1"},
                    cli::refused,
                    "",
                    "Bitte eine Toleranz zwischen 1E-13 und 0,1 eingeben!\n"},
        PairRunCase{"tolerance_as_text",
                    {"-m", "dopri5", "--toleranz", "fein", "-u", "0", "-o", "1", "-a", "1"},
                    cli::refused,
                    "",
                    "Bitte eine Zahl für Toleranz eingeben!\n"},
        PairRunCase{"across_a_pole",
                    {"-m", "dopri5", "-g", "1/(x-0,5)", "-u", "0", "-o", "1", "-a", "1"},
                    cli::refused,
                    "",
                    windowWarning("1/(x-0,5)")},
        PairRunCase{"system_with_a_pair",
                    {"-g", "y2", "-g", "-y1", "-a", "1", "-a", "0", "-u", "0", "-o", "1", "-m",
                     "dopri5", "-t", "1E-10"},
                    cli::success,
                    oscillatorLine(),
                    ""}),
    CaseName{});

} // namespace
