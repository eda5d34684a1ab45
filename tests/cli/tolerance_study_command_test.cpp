// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built program with --konvergenz and a pair: the tolerance study of that pair, or of
// all three with -m adaptiv, for an equation and for a system.
#include "calc/analysis/tolerance_study.h"
#include "calc/system_calculate.h"
#include "cli/command_line.h"
#include "tests/cli/program_run.h"
#include "tests/named_case.h"
#include "tests/system_task.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

using calc::Pair;
using cli_test::english;
using cli_test::Finished;
using cli_test::german;
using cli_test::runProgram;
using cli_test::Variables;

struct StudyCase {
    std::string name;
    Variables variables;
    calc::NumberLocale locale;
    QStringList arguments;
    std::vector<Pair> pairs;                // studied, in order
    std::optional<calc::SystemTask> system; // the task of a system, else the scalar's below
    std::string header;
};

using cli_test::PrintTo;

// What the scalar rows compute: y' = -x*y^2 from (0; 1) to 1.
calc::ResultLine scalarLine(const calc::NumberLocale& locale) {
    calc::Task task({"", "0", "1", "1"});
    task.choose(Pair::dopri5);
    return std::get<calc::ResultLine>(calc::calculate(task, locale));
}

class ToleranceStudyOption : public testing::TestWithParam<StudyCase> {};

TEST_P(ToleranceStudyOption, PrintsThePairsStudyAndExitsZero) {
    const StudyCase& row = GetParam();
    const Finished run = runProgram(row.arguments, row.variables);
    ASSERT_EQ(run.exit_code, cli::success) << run.err;
    EXPECT_EQ(run.err, "");
    std::string expected;
    if (row.system) {
        calc::SystemTask task = *row.system;
        task.pair = Pair::dopri5;
        const auto line = std::get<calc::SystemLine>(calc::calculate_system(task, row.locale));
        expected =
            calc::tolerance_study_csv(*calc::run_tolerance_study(line, row.pairs), row.locale);
    } else {
        expected = calc::tolerance_study_csv(
            *calc::run_tolerance_study(scalarLine(row.locale), row.pairs), row.locale);
    }
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), row.header);
    EXPECT_EQ(static_cast<std::size_t>(std::count(run.out.begin(), run.out.end(), '\n')),
              1 + 11 * row.pairs.size());
}

const QStringList scalar_entries = {"-u", "0", "-o", "1", "-a", "1"};

INSTANTIATE_TEST_SUITE_P(
    Pairs, ToleranceStudyOption,
    testing::Values(
        StudyCase{"dopri5_under_german",
                  german,
                  test_locales::german,
                  QStringList{"-m", "dopri5", "--konvergenz"} + scalar_entries,
                  {Pair::dopri5},
                  std::nullopt,
                  "Verfahren;Toleranz;Schritte;verworfen;Auswertungen;x;y;Fehler"},
        StudyCase{"adaptiv_studies_all_three_pairs",
                  english,
                  test_locales::english,
                  QStringList{"-m", "adaptiv", "--konvergenz"} + scalar_entries,
                  {Pair::bs23, Pair::rkf45, Pair::dopri5},
                  std::nullopt,
                  "Verfahren,Toleranz,Schritte,verworfen,Auswertungen,x,y,Fehler"},
        StudyCase{"a_bad_tolerance_is_ignored",
                  german,
                  test_locales::german,
                  QStringList{"-m", "bs23", "-t", "keine", "--konvergenz"} + scalar_entries,
                  {Pair::bs23},
                  std::nullopt,
                  "Verfahren;Toleranz;Schritte;verworfen;Auswertungen;x;y;Fehler"},
        StudyCase{"oscillator_system_with_rkf45",
                  german,
                  test_locales::german,
                  {"--zweite-ordnung", "-g", "-y", "-a", "1", "-a", "0", "-u", "0", "-o", "1", "-m",
                   "rkf45", "--konvergenz"},
                  {Pair::rkf45},
                  taskOf(calc::SystemForm::second_order, {"-y"}, {"1", "0"}, "0", "1", ""),
                  "Verfahren;Toleranz;Schritte;verworfen;Auswertungen;x;y;y';Fehler"}),
    CaseName{});

} // namespace
