// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built program with --stabilität, and with --verlauf for the h·λ columns at its end.
#include "calc/analysis/stability.h"
#include "calc/calculate.h"
#include "cli/command_line.h"
#include "tests/cli/program_run.h"
#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace {

using cli_test::Finished;
using cli_test::PrintTo;
using cli_test::runProgram;
using cli_test::Variables;

struct StabilityCase {
    std::string name;
    Variables variables;
    QStringList arguments;
    std::string out;
};

class StabilityOption : public testing::TestWithParam<StabilityCase> {};

TEST_P(StabilityOption, PrintsTheIntervalAndThePassesOutside) {
    const StabilityCase& row = GetParam();
    const Finished run =
        runProgram(QStringList{QStringLiteral("--stabilit\u00e4t")} + row.arguments, row.variables);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exit_code, cli::success);
    EXPECT_EQ(run.out, row.out);
}

// y' = -50 (y - cos x) has λ = -50: Euler's z = -2.5 at h = 0.05 is outside [-2; 0], every pass;
// at 99 steps none. The stiff system's eigenvalues -1 and -1000 put RK4's z = -100 outside
// at h = 0.1; implicit Euler is stable for every z of the left half-plane.
INSTANTIATE_TEST_SUITE_P(
    Stability, StabilityOption,
    testing::Values(
        StabilityCase{
            "euler_outside_at_twenty_steps",
            cli_test::german,
            {"-n", "20", "-u", "0", "-o", "1", "-a", "1", "-g", "-50*(y-cos(x))", "-m", "euler"},
            "Verfahren;Intervall;au\u00dferhalb;Schritte\neuler;-2,0000;20;20\n"},
        StabilityCase{
            "euler_inside_at_ninety_nine_steps_in_english",
            cli_test::english,
            {"-n", "99", "-u", "0", "-o", "1", "-a", "1", "-g", "-50*(y-cos(x))", "-m", "euler"},
            "Verfahren,Intervall,au\u00dferhalb,Schritte\neuler,-2.0000,0,99\n"},
        StabilityCase{"rk4_on_the_stiff_system",
                      cli_test::german,
                      {"-n", "10", "-u", "0", "-o", "1", "-a", "1", "-a", "0", "-g",
                       "998*y1+1998*y2", "-g", "-999*y1-1999*y2"},
                      "Verfahren;Intervall;au\u00dferhalb;Schritte\nrk4;-2,7853;10;10\n"},
        StabilityCase{"implicit_euler_is_unbounded",
                      cli_test::german,
                      {"-n", "10", "-u", "0", "-o", "1", "-a", "1", "-g", "-50*(y-cos(x))", "-m",
                       "impl-euler"},
                      "Verfahren;Intervall;au\u00dferhalb;Schritte\nimpl-euler;-inf;0;10\n"}),
    CaseName{});

// An adaptive line counts its attempts, as the analysis does.
TEST(StabilityOption, CountsTheAttemptsOfAPair) {
    const QStringList arguments{"-u", "0",      "-o", "1",   "-a", "1", "-g", "-50*(y-cos(x))",
                                "-m", "dopri5", "-t", "1E-3"};
    const Finished run =
        runProgram(QStringList{QStringLiteral("--stabilit\u00e4t")} + arguments, cli_test::german);
    ASSERT_EQ(run.exit_code, cli::success) << run.err;
    calc::Task task(calc::EntryTexts{"", "0", "1", "1"});
    task.equation = "-50*(y-cos(x))";
    task.pair = calc::Pair::dopri5;
    task.tolerance = "1E-3";
    const auto line = std::get<calc::ResultLine>(calc::calculate(task, test_locales::german));
    const calc::StabilityView view = calc::stability_of(calc::build_adaptive_course(line));
    EXPECT_EQ(run.out, "Verfahren;Intervall;au\u00dferhalb;Schritte\ndopri5;-3,3066;" +
                           std::to_string(view.outside) + ";" + std::to_string(view.passes) + "\n");
    EXPECT_GT(view.passes, 0U);
}

TEST(StabilityOption, ExcludesTheCourseAndTheStudy) {
    for (const char* other : {"--verlauf", "--konvergenz"}) {
        const Finished run = runProgram(
            {QStringLiteral("--stabilit\u00e4t"), QString::fromLatin1(other)}, cli_test::german);
        EXPECT_EQ(run.exit_code, cli::usage_error) << other;
        EXPECT_NE(run.err.find("--stabilit\u00e4t"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

// --verlauf ends each row with Re(h·λ), Im(h·λ) and |R(h·λ)|: for Euler at z = -2.5, |1 + z| = 1.5.
TEST(CourseOption, EndsWithTheStepsHLambda) {
    const Finished run = runProgram({"--verlauf", "-n", "20", "-u", "0", "-o", "1", "-a", "1", "-g",
                                     "-50*(y-cos(x))", "-m", "euler"},
                                    cli_test::german);
    ASSERT_EQ(run.exit_code, cli::success) << run.err;
    const std::string header = run.out.substr(0, run.out.find('\n'));
    EXPECT_TRUE(header.ends_with(";Fehler;Re(h\u00b7\u03bb);Im(h\u00b7\u03bb);|R(h\u00b7\u03bb)|"))
        << header;
    const std::size_t second = run.out.find('\n') + 1;
    const std::string first_row = run.out.substr(second, run.out.find('\n', second) - second);
    // z = -2.5 to the central difference of the typed formula.
    const std::size_t im_at = first_row.rfind(';', first_row.rfind(';') - 1);
    const std::size_t re_at = first_row.rfind(';', im_at - 1);
    const double re =
        calc::read_number(first_row.substr(re_at + 1, im_at - re_at - 1), test_locales::german)
            .value_or(0);
    EXPECT_NEAR(re, -2.5, 1e-6) << first_row;
    EXPECT_EQ(first_row.substr(im_at + 1, first_row.rfind(';') - im_at - 1), "0") << first_row;
    EXPECT_TRUE(first_row.substr(first_row.rfind(';') + 1).starts_with("1,4999999")) << first_row;
    // The last row starts no pass.
    const std::string body = run.out.substr(0, run.out.size() - 1);
    EXPECT_TRUE(body.substr(body.rfind('\n') + 1).ends_with(";;;")) << body;
}

} // namespace
