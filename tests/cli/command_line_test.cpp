// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built program as a script would, without a display, and checks what it prints on
// stdout and stderr and how it exits.
#include "calc/analysis/course.h"
#include "calc/analysis/study.h"
#include "calc/calculate.h"
#include "calc/core/methods.h"
#include "calc/problem/equation.h"
#include "cli/command_line.h"
#include "tests/cli/program_run.h"
#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

#include <unistd.h>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

using cli_test::cleanEnvironment;
using cli_test::english;
using cli_test::Finished;
using cli_test::german;
using cli_test::PrintTo;
using cli_test::runProgram;
using cli_test::Variables;

// The line the window shows for the task, none when the window refuses it.
std::optional<calc::ResultLine> windowLine(const calc::Task& task,
                                           const calc::NumberLocale& locale) {
    const calc::Outcome outcome = calc::calculate(task, locale);
    if (const auto* line = std::get_if<calc::ResultLine>(&outcome)) {
        return *line;
    }
    return std::nullopt;
}

QStringList entryArguments(const calc::EntryTexts& entries) {
    return {
        "-n", QString::fromStdString(entries.anzschr), "-u", QString::fromStdString(entries.ug),
        "-o", QString::fromStdString(entries.og),      "-a", QString::fromStdString(entries.aw)};
}

// --- Result lines -------------------------------------------------------------------------

struct ResultCase {
    std::string name;
    Variables variables;
    QStringList arguments;
    calc::EntryTexts entries; // what the arguments amount to, for the window's own calculation
    calc::NumberLocale locale;
};

class ResultLine : public testing::TestWithParam<ResultCase> {};

TEST_P(ResultLine, PrintsTheWindowsLineOnStdoutAndExitsZero) {
    const ResultCase& row = GetParam();
    const std::optional<calc::ResultLine> expected =
        windowLine(calc::Task(row.entries), row.locale);
    ASSERT_TRUE(expected) << "the case must compute";

    const Finished run = runProgram(row.arguments, row.variables);
    EXPECT_EQ(run.exit_code, cli::success);
    EXPECT_EQ(run.out, expected->text + "\n");
    EXPECT_EQ(run.err, "");
}

const calc::EntryTexts unit_interval{"10", "0", "1", "1"};
const calc::EntryTexts german_entries{"20", "1,5", "3", "0,25"};
const calc::EntryTexts from_minus_one{"10", "-1", "1", "1"};

INSTANTIATE_TEST_SUITE_P(
    Locales, ResultLine,
    testing::Values(ResultCase{"english", english, entryArguments(unit_interval), unit_interval,
                               test_locales::english},
                    ResultCase{"german_comma", german, entryArguments(german_entries),
                               german_entries, test_locales::german},
                    ResultCase{"german_grouping",
                               german,
                               entryArguments({"50", "0", "1.000,5", "0,001"}),
                               {"50", "0", "1.000,5", "0,001"},
                               test_locales::german},
                    ResultCase{"french",
                               {{"LC_ALL", "fr_FR.UTF-8"}},
                               entryArguments({"50", "0", "1\u202F000,5", "0,001"}),
                               {"50", "0", "1\u202F000,5", "0,001"},
                               test_locales::french},
                    ResultCase{"swiss",
                               {{"LC_ALL", "de_CH.UTF-8"}},
                               entryArguments({"50", "0", "1\u2019000.5", "0.001"}),
                               {"50", "0", "1\u2019000.5", "0.001"},
                               test_locales::swiss},
                    ResultCase{"lc_numeric_before_lang",
                               {{"LANG", "en_US.UTF-8"}, {"LC_NUMERIC", "de_DE.UTF-8"}},
                               entryArguments(german_entries),
                               german_entries,
                               test_locales::german},
                    ResultCase{"lang_alone",
                               {{"LANG", "de_DE.UTF-8"}},
                               entryArguments(german_entries),
                               german_entries,
                               test_locales::german},
                    ResultCase{"lc_all_before_lc_numeric",
                               {{"LC_ALL", "en_US.UTF-8"}, {"LC_NUMERIC", "de_DE.UTF-8"}},
                               entryArguments(unit_interval),
                               unit_interval,
                               test_locales::english}),
    CaseName{});

INSTANTIATE_TEST_SUITE_P(
    Spellings, ResultLine,
    testing::Values(ResultCase{"long_option_with_equals",
                               english,
                               {"--schrittanzahl=10", "--untere-grenze=-1", "--obere-grenze=1",
                                "--anfangswert=1"},
                               from_minus_one,
                               test_locales::english},
                    ResultCase{"long_option_then_value",
                               english,
                               {"--schrittanzahl", "10", "--untere-grenze", "-1", "--obere-grenze",
                                "1", "--anfangswert", "1"},
                               from_minus_one,
                               test_locales::english},
                    ResultCase{"short_option_then_negative_value", english,
                               entryArguments(from_minus_one), from_minus_one,
                               test_locales::english},
                    ResultCase{"window_options_are_ignored", english,
                               QStringList{"-platform", "xcb", "--style", "Fusion", "-reverse"} +
                                   entryArguments(unit_interval),
                               unit_interval, test_locales::english}),
    CaseName{});

// --- Equations and methods ---------------------------------------------------------------

const std::vector<calc::Method> every_method = {
    calc::Method::euler,     calc::Method::heun,
    calc::Method::midpoint,  calc::Method::rk3,
    calc::Method::rk4,       calc::Method::implicit_euler,
    calc::Method::trapezoid, calc::Method::implicit_midpoint};

struct TaskCase {
    std::string name;
    Variables variables;
    QStringList arguments; // besides the four entries of the task
    calc::Task task;       // what the arguments amount to
    calc::NumberLocale locale;
    std::string captions;              // the course's first line, with the method's k columns
    std::vector<calc::Method> studied; // the methods of --konvergenz, in order
};

class TypedEquation : public testing::TestWithParam<TaskCase> {};

TEST_P(TypedEquation, PrintsTheLineCourseAndStudyOfThatEquationAndMethod) {
    const TaskCase& row = GetParam();
    const std::optional<calc::ResultLine> computed = windowLine(row.task, row.locale);
    ASSERT_TRUE(computed) << "the case must compute";
    const calc::ResultLine& line = *computed;
    const auto study = calc::run_study(line.numbers, line.equation, row.studied, line.exact);
    ASSERT_TRUE(study.has_value());
    const QStringList arguments = row.arguments + entryArguments(row.task.entries);

    const Finished run = runProgram(arguments, row.variables);
    EXPECT_EQ(run.exit_code, cli::success);
    EXPECT_EQ(run.out, line.text + "\n");
    const Finished course = runProgram(QStringList{"--verlauf"} + arguments, row.variables);
    EXPECT_EQ(course.exit_code, cli::success);
    EXPECT_EQ(course.out.substr(0, course.out.find('\n') + 1), row.captions);
    EXPECT_EQ(course.out,
              calc::course_csv(calc::build_course(line), row.locale, calc::StabilityCsv::parts));
    const Finished convergence = runProgram(QStringList{"--konvergenz"} + arguments, row.variables);
    EXPECT_EQ(convergence.exit_code, cli::success);
    EXPECT_EQ(convergence.out, calc::study_csv(*study, row.locale));
}

// The exact solution of y' = cos(x) - y through (ug, aw).
const std::string cos_minus_y_exact = "(cos(x)+sin(x))/2+(aw-(cos(ug)+sin(ug))/2)*exp(ug-x)";

INSTANTIATE_TEST_SUITE_P(
    Options, TypedEquation,
    testing::Values(
        TaskCase{"decimal_comma_under_german_with_every_method_studied", german,
                 QStringList{"-g", "0,5*y"}, calc::Task(german_entries, "0,5*y"),
                 test_locales::german,
                 "Schritt;x;y;k1;k2;k3;k4;y "
                 "exakt;Fehler;Re(h\u00b7\u03bb);Im(h\u00b7\u03bb);|R(h\u00b7\u03bb)|\n",
                 every_method},
        TaskCase{"long_options_and_the_exact_solution_given",
                 english,
                 {"--gleichung=cos(x)-y", "--verfahren=rk3",
                  QString::fromStdString("--exakt=" + cos_minus_y_exact)},
                 calc::Task(unit_interval, "cos(x)-y", calc::Method::rk3, cos_minus_y_exact),
                 test_locales::english,
                 "Schritt,x,y,k1,k2,k3,y "
                 "exakt,Fehler,Re(h\u00b7\u03bb),Im(h\u00b7\u03bb),|R(h\u00b7\u03bb)|\n",
                 {calc::Method::rk3}},
        TaskCase{"catalogue_entry_ignores_a_bad_exact",
                 english,
                 {"-g", "y", "-m", "euler", "--exakt", "(("},
                 calc::Task(unit_interval, "y", calc::Method::euler, "(("),
                 test_locales::english,
                 "Schritt,x,y,k1,y "
                 "exakt,Fehler,Re(h\u00b7\u03bb),Im(h\u00b7\u03bb),|R(h\u00b7\u03bb)|\n",
                 {calc::Method::euler}}),
    CaseName{});

TEST(ResultLineText, UsesTheGermanDecimalComma) {
    const Finished run = runProgram(entryArguments(unit_interval), german);
    EXPECT_EQ(run.exit_code, cli::success);
    EXPECT_EQ(run.out, "x-Wert   01,0   y-Wert   0,666666613089039\n");
}

TEST(ResultLineText, NeedsNoPlatformPluginEvenWhenOneIsNamed) {
    // Without a display the xcb plugin would abort the program, were it loaded.
    const Finished run = runProgram(entryArguments(unit_interval),
                                    {{"LC_ALL", "C.UTF-8"}, {"QT_QPA_PLATFORM", "xcb"}});
    EXPECT_EQ(run.exit_code, cli::success);
    EXPECT_EQ(run.out, "x-Wert   01.0   y-Wert   0.666666613089039\n");
    EXPECT_EQ(run.err, "");
}

// --- Warnings -----------------------------------------------------------------------------

struct WarningCase {
    std::string name;
    QStringList arguments;
    std::string warning;
};

class Refusal : public testing::TestWithParam<WarningCase> {};

TEST_P(Refusal, PrintsTheWindowsWarningOnStderrOnlyAndExitsOne) {
    const WarningCase& row = GetParam();
    const Finished run = runProgram(row.arguments, german);
    EXPECT_EQ(run.exit_code, cli::refused);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, row.warning + "\n");
}

const std::string missing{calc::warning_text::missing_entry};

INSTANTIATE_TEST_SUITE_P(
    Warnings, Refusal,
    testing::Values(WarningCase{"no_entry_at_all", {"--verlauf"}, missing},
                    WarningCase{"step_count_missing", {"-u", "0", "-o", "1", "-a", "1"}, missing},
                    WarningCase{
                        "step_count_empty", {"-n", "", "-u", "0", "-o", "1", "-a", "1"}, missing},
                    WarningCase{"upper_bound_empty_after_equals",
                                {"-n", "10", "-u", "0", "--obere-grenze=", "-a", "1"},
                                missing},
                    WarningCase{"step_count_not_a_number",
                                {"-n", "zehn", "-u", "0", "-o", "1", "-a", "1"},
                                calc::warning_text::not_a_number(calc::Entry::anzschr)},
                    WarningCase{"lower_bound_with_english_point_under_german",
                                {"-n", "10", "-u", "0.5", "-o", "1", "-a", "1"},
                                calc::warning_text::not_a_number(calc::Entry::ug)},
                    WarningCase{"upper_bound_not_a_number",
                                {"-n", "10", "-u", "0", "-o", "eins", "-a", "1"},
                                calc::warning_text::not_a_number(calc::Entry::og)},
                    WarningCase{"initial_value_not_a_number",
                                {"-n", "10", "-u", "0", "-o", "1", "-a", "1x"},
                                calc::warning_text::not_a_number(calc::Entry::aw)},
                    WarningCase{"step_count_too_large",
                                {"-n", "100", "-u", "0", "-o", "1", "-a", "1"},
                                std::string(calc::warning_text::count_too_large)},
                    WarningCase{"step_count_zero",
                                {"-n", "0", "-u", "0", "-o", "1", "-a", "1"},
                                std::string(calc::warning_text::count_not_positive)},
                    WarningCase{"overflow_at_a_pole",
                                {"-n", "99", "-u", "-2", "-o", "2", "-a", "1"},
                                std::string(calc::warning_text::overflow)},
                    WarningCase{"overflow_refused_for_the_course_too",
                                {"--verlauf", "-n", "99", "-u", "-2", "-o", "2", "-a", "1"},
                                std::string(calc::warning_text::overflow)}),
    CaseName{});

INSTANTIATE_TEST_SUITE_P(
    Formulas, Refusal,
    testing::Values(
        WarningCase{"equation_faulty", entryArguments(unit_interval) + QStringList{"-g", "x+"},
                    "Die Differentialgleichung ist fehlerhaft: Operand fehlt (Zeichen 3)."},
        WarningCase{"study_refused_as_the_line_would_be",
                    {"--konvergenz", "-n", "0"},
                    std::string(calc::warning_text::count_not_positive)},
        WarningCase{"exact_faulty_for_a_typed_equation",
                    entryArguments(unit_interval) + QStringList{"-g", "cos(x)-y", "--exakt", "z"},
                    "Die exakte Lösung ist fehlerhaft: unbekannter Name „z“ (Zeichen 1)."}),
    CaseName{});

// --- The course ---------------------------------------------------------------------------

struct CourseCase {
    std::string name;
    Variables variables;
    calc::EntryTexts entries;
    calc::NumberLocale locale;
};

class CourseTable : public testing::TestWithParam<CourseCase> {};

TEST_P(CourseTable, PrintsTheCourseCsvInsteadOfTheLine) {
    const CourseCase& row = GetParam();
    const std::optional<calc::ResultLine> line = windowLine(calc::Task(row.entries), row.locale);
    ASSERT_TRUE(line) << "the case must compute";
    const std::string expected =
        calc::course_csv(calc::build_course(line->numbers), row.locale, calc::StabilityCsv::parts);

    const Finished run =
        runProgram(QStringList{"--verlauf"} + entryArguments(row.entries), row.variables);
    EXPECT_EQ(run.exit_code, cli::success);
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Locales, CourseTable,
    testing::Values(CourseCase{"english", english, {"10", "0", "1", "1"}, test_locales::english},
                    CourseCase{"german", german, {"20", "1,5", "3", "0,25"}, test_locales::german},
                    CourseCase{"german_across_a_pole_free_long_path",
                               german,
                               {"50", "0", "1.000,5", "0,001"},
                               test_locales::german}),
    CaseName{});

// --- Usage errors -------------------------------------------------------------------------

struct UsageCase {
    std::string name;
    QStringList arguments;
    std::string message; // the German line before the usage
};

class UsageError : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageError, SaysWhatIsWrongInGermanWithTheUsageAndExitsTwo) {
    const UsageCase& row = GetParam();
    const Finished run = runProgram(row.arguments, german);
    EXPECT_EQ(run.exit_code, cli::usage_error);
    EXPECT_EQ(run.out, "");
    const std::string first_line = run.err.substr(0, run.err.find('\n'));
    EXPECT_EQ(first_line, "numer-integration: " + row.message);
    EXPECT_NE(run.err.find("\nAufruf: numer-integration "), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, UsageError,
    testing::Values(
        UsageCase{"unknown_long_option", {"--schritte", "10"}, "Unbekannte Option „--schritte“."},
        UsageCase{"unknown_short_option", {"-x"}, "Unbekannte Option „-x“."},
        UsageCase{"window_option_in_a_form_qt_does_not_read",
                  {"--platform=offscreen"},
                  "Unbekannte Option „--platform“."},
        UsageCase{
            "short_option_without_value", {"-u", "0", "-n"}, "Der Option „-n“ fehlt ihr Wert."},
        UsageCase{"long_option_without_value",
                  {"-n", "10", "--anfangswert"},
                  "Der Option „--anfangswert“ fehlt ihr Wert."},
        UsageCase{
            "value_for_a_switch", {"--verlauf=ja"}, "Die Option „--verlauf“ nimmt keinen Wert."},
        UsageCase{
            "unknown_method",
            {"-n", "10", "-m", "rk5"},
            "Unbekanntes Verfahren „rk5“ (bekannt: euler, heun, mittelpunkt, rk3, rk4, impl-euler, "
            "trapez, impl-mittelpunkt, bs23, rkf45, dopri5, adaptiv)."},
        UsageCase{
            "exact_without_value", {"-n", "10", "--exakt"}, "Der Option „--exakt“ fehlt ihr Wert."},
        UsageCase{"method_without_value",
                  {"-n", "10", "--verfahren"},
                  "Der Option „--verfahren“ fehlt ihr Wert."},
        UsageCase{"equation_without_value", {"-g"}, "Der Option „-g“ fehlt ihr Wert."},
        UsageCase{"course_and_study_together",
                  {"-n", "10", "--verlauf", "--konvergenz"},
                  "Die Optionen „--verlauf“ und „--konvergenz“ schließen einander aus."},
        UsageCase{"stray_argument", {"-n", "10", "5", "-u", "0"}, "Überzähliges Argument „5“."},
        UsageCase{
            "argument_after_double_dash", {"-n", "10", "--", "-u"}, "Überzähliges Argument „-u“."},
        UsageCase{"negative_number_after_a_switch", {"--verlauf", "-1"}, "Unbekannte Option „-1“."},
        UsageCase{
            "unknown_option_beside_help", {"-h", "--schritte"}, "Unbekannte Option „--schritte“."},
        UsageCase{"unknown_option_before_help_and_a_bad_method",
                  {"-x", "-m", "rk5", "--help"},
                  "Unbekannte Option „-x“."},
        UsageCase{"stray_argument_beside_help", {"--help", "5"}, "Überzähliges Argument „5“."},
        UsageCase{"tolerance_with_a_fixed_step",
                  {"-m", "heun", "-t", "1E-6"},
                  "Die Option „-t“ gilt nur für ein adaptives Verfahren (bs23, rkf45, dopri5), "
                  "nicht für „heun“."},
        UsageCase{"tolerance_without_a_method",
                  {"--toleranz", "1E-6"},
                  "Die Option „-t“ gilt nur für ein adaptives Verfahren (bs23, rkf45, dopri5), "
                  "nicht für „rk4“."},
        UsageCase{"count_with_a_pair",
                  {"-m", "rkf45", "-n", "10"},
                  "Die Option „-n“ gilt nicht für das adaptive Verfahren „rkf45“; es nimmt eine "
                  "Toleranz „-t“."},
        UsageCase{"count_with_every_pair",
                  {"-m", "adaptiv", "--konvergenz", "--schrittanzahl", "10"},
                  "Die Option „-n“ gilt nicht für das adaptive Verfahren „adaptiv“; es nimmt "
                  "eine Toleranz „-t“."},
        UsageCase{"every_pair_without_a_study",
                  {"-m", "adaptiv", "-t", "1E-6"},
                  "Das Verfahren „adaptiv“ gilt nur mit „--konvergenz“."}),
    CaseName{});

// --- Help, version and failed writes ------------------------------------------------------

struct HelpCase {
    std::string name;
    QStringList arguments;
};

class Help : public testing::TestWithParam<HelpCase> {};

TEST_P(Help, NamesEveryOptionMethodKnownSolutionAndExitStatus) {
    const Finished run = runProgram(GetParam().arguments, german);
    EXPECT_EQ(run.exit_code, cli::success);
    EXPECT_EQ(run.err, "");
    for (const char* text :
         {"-n, --schrittanzahl", "-u, --untere-grenze", "-o, --obere-grenze", "-a, --anfangswert",
          "-g, --gleichung", "-m, --verfahren", "--exakt", "--verlauf", "--konvergenz",
          "--stabilität", "-t, --toleranz", "--statistik", "-h, --help", "-v, --version",
          "Exit-Status", "\n  0  ", "\n  1  ", "\n  2  ", "\n  3  "}) {
        EXPECT_NE(run.out.find(text), std::string::npos) << "lacks " << text;
    }
    for (const calc::SchemeInfo& scheme : calc::scheme_table) {
        EXPECT_NE(run.out.find(scheme.name), std::string::npos) << scheme.name;
    }
    for (const calc::KnownEquation& known : calc::catalogue) {
        EXPECT_NE(run.out.find(known.exact), std::string::npos) << known.exact;
    }
}

// Help wins over every known option, whatever its value, and over the version; an unknown
// option or a stray argument stays a usage error (see UsageError).
INSTANTIATE_TEST_SUITE_P(
    Options, Help,
    testing::Values(HelpCase{"long", {"--help", "-n", "10"}}, HelpCase{"short", {"-h", "-n", "10"}},
                    HelpCase{"after_an_unknown_method", {"-m", "rk5", "-h"}},
                    HelpCase{"beside_course_and_study", {"-h", "--verlauf", "--konvergenz"}},
                    HelpCase{"among_bad_values", {"-n", "abc", "--help", "-m", "x"}},
                    HelpCase{"before_an_option_without_value", {"-h", "-n"}},
                    HelpCase{"beside_a_value_for_a_switch", {"--verlauf=ja", "--help"}},
                    HelpCase{"before_the_version", {"-h", "-v"}},
                    HelpCase{"after_the_version_with_a_bad_method", {"-v", "-m", "rk5", "-h"}},
                    HelpCase{"compacted_with_a_switch", {"-vh"}},
                    HelpCase{"given_a_value", {"--help=ja"}}),
    CaseName{});

TEST(Version, PrintsTheProgramNameAndTheBuildsVersion) {
    for (const char* option : {"--version", "-v"}) {
        const Finished run = runProgram({option}, english);
        EXPECT_EQ(run.exit_code, cli::success) << option;
        EXPECT_EQ(run.out, "numer-integration " NUMERINT_VERSION "\n") << option;
        EXPECT_EQ(run.err, "") << option;
    }
}

struct WriteCase {
    std::string name;
    QStringList arguments;
};

class FullDisk : public testing::TestWithParam<WriteCase> {};

TEST_P(FullDisk, ReportsTheFailedWriteAndExitsThree) {
    const Finished run = runProgram(GetParam().arguments, german, QStringLiteral("/dev/full"));
    EXPECT_EQ(run.exit_code, cli::write_failed);
    EXPECT_EQ(run.err.rfind("numer-integration: Die Ausgabe konnte nicht geschrieben werden", 0),
              0u)
        << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, FullDisk,
    testing::Values(WriteCase{"result_line", entryArguments(unit_interval)},
                    WriteCase{"course", QStringList{"--verlauf"} + entryArguments(unit_interval)},
                    WriteCase{"study", QStringList{"--konvergenz"} + entryArguments(unit_interval)},
                    WriteCase{"help", {"--help"}}, WriteCase{"version", {"--version"}}),
    CaseName{});

TEST(ClosedStdout, ReportsTheFailedWriteInsteadOfWritingIntoAnotherFile) {
    QProcess process;
    process.setProcessEnvironment(cleanEnvironment(english));
    process.setChildProcessModifier([] { ::close(STDOUT_FILENO); });
    process.start(QStringLiteral(NUMERINT_PROGRAM), entryArguments(unit_interval));
    ASSERT_TRUE(process.waitForFinished(30'000));
    EXPECT_EQ(process.exitCode(), cli::write_failed);
    // Bad file descriptor: the write went to the closed stdout, not to a file opened since.
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "numer-integration: Die Ausgabe konnte nicht geschrieben werden (Bad file "
              "descriptor).\n");
}

TEST(FullDiskRefusal, StillExitsOneAsNothingWasToBeWritten) {
    const Finished run = runProgram({"-n", "0"}, german, QStringLiteral("/dev/full"));
    EXPECT_EQ(run.exit_code, cli::refused);
    EXPECT_EQ(run.err, std::string(calc::warning_text::count_not_positive) + "\n");
}

} // namespace

int main(int argc, char** argv) {
    const QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
