// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/tolerance_study.h"

#include "calc/analysis/pair_comparison.h"
#include "tests/named_case.h"
#include "tests/system_task.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

namespace {

using named_case::PrintTo;

using calc::Pair;

calc::Equation equation(const char* typed) {
    return std::get<calc::Equation>(calc::Equation::parse(typed, test_locales::english));
}

// The line of y' = f from (0; 1) to 1 with dopri5 at 1E-6, as a press computes it.
calc::ResultLine line_of(const char* typed, const char* ug = "0", const char* og = "1") {
    calc::Task task({"10", ug, og, "1"}, typed);
    task.choose(Pair::dopri5);
    const calc::Outcome outcome = calc::calculate(task, test_locales::english);
    return std::get<calc::ResultLine>(outcome);
}

// The run of a pair at tol on the line, made apart from the study.
calc::AdaptiveRun run_apart(const calc::ResultLine& line, Pair pair, double tol) {
    return calc::adaptive_run<double>(pair, calc::slope_of(line.equation),
                                      {line.numbers.ug, line.numbers.aw}, line.numbers.og, tol,
                                      !line.equation.is_default());
}

// --- Each pair's rows: one per tolerance, as its own run makes them ------------------------------

struct RowsCase {
    std::string name;
    const char* equation;
    bool exact; // errors against the exact solution, else against the next smaller tolerance
};

const double tolerances[] = {1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8, 1e-9, 1e-10, 1e-11, 1e-12};

class ToleranceStudyRows : public testing::TestWithParam<RowsCase> {};

TEST_P(ToleranceStudyRows, AreEachPairsRunsAtTheTolerances) {
    const RowsCase& c = GetParam();
    calc::ResultLine line = line_of(c.equation);
    if (!c.exact) {
        line.exact.reset();
    }
    const auto study = calc::run_tolerance_study(line, calc::all_pairs());
    ASSERT_TRUE(study.has_value());
    EXPECT_EQ(study->against_exact, c.exact);
    ASSERT_EQ(study->pairs.size(), 3u);
    for (const calc::PairRuns& pair : study->pairs) {
        ASSERT_EQ(pair.runs.size(), 11u);
        for (std::size_t j = 0; j < pair.runs.size(); ++j) {
            const calc::ToleranceRun& r = pair.runs[j];
            const double tol = tolerances[j];
            EXPECT_EQ(r.tolerance, tol);
            const calc::AdaptiveRun run = run_apart(line, pair.pair, r.tolerance);
            ASSERT_TRUE(r.reached);
            EXPECT_EQ(r.totals.accepted, run.accepted);
            EXPECT_EQ(r.totals.rejected, run.rejected);
            EXPECT_EQ(r.totals.evaluations, run.evaluations);
            EXPECT_EQ(r.end.x, 1.0);
            EXPECT_EQ(r.end.y, run.end.point.y);
            std::optional<double> expected;
            if (c.exact) {
                expected = run.end.point.y - *line.exact->at(0, 1, 1);
            } else if (j + 1 < pair.runs.size()) {
                expected =
                    run.end.point.y - run_apart(line, pair.pair, tolerances[j + 1]).end.point.y;
            }
            ASSERT_EQ(r.error.has_value(), expected.has_value()) << j;
            if (expected) {
                EXPECT_EQ(*r.error, *expected) << j;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, ToleranceStudyRows,
                         testing::Values(RowsCase{"DefaultAgainstExact", "-x*y^2", true},
                                         RowsCase{"DefaultAgainstNextTolerance", "-x*y^2", false},
                                         RowsCase{"TypedAgainstNextTolerance", "sin(x)*y", false}),
                         CaseName{});

// On the default equation the error falls by decades as tol does, and the work grows.
TEST(ToleranceStudy, ErrorsFallAndEvaluationsRiseWithTheTolerance) {
    const auto study = calc::run_tolerance_study(line_of("-x*y^2"), calc::all_pairs());
    ASSERT_TRUE(study.has_value());
    for (const calc::PairRuns& pair : study->pairs) {
        const auto& runs = pair.runs;
        for (std::size_t j = 1; j < runs.size(); ++j) {
            EXPECT_GE(runs[j].totals.evaluations, runs[j - 1].totals.evaluations)
                << calc::pair_info(pair.pair).name << " j=" << j;
        }
        // Three decades of tol less always give a smaller error (a coarse tol may not bind at
        // all: the first steps already meet it), and from 1e-2 to 1e-12 it
        // falls by at least six decades.
        for (std::size_t j = 3; j < runs.size(); ++j) {
            EXPECT_LT(std::fabs(*runs[j].error), std::fabs(*runs[j - 3].error))
                << calc::pair_info(pair.pair).name << " j=" << j;
        }
        EXPECT_LT(std::fabs(*runs[10].error), std::fabs(*runs[0].error) * 1e-6)
            << calc::pair_info(pair.pair).name;
    }
}

// y = 1/(1-x) grows beyond every bound at x = 1: no run reaches og = 2, and each row has only
// its pair and tolerance.
TEST(ToleranceStudy, RunsThatFailHaveNoValues) {
    calc::ResultLine line = line_of("-x*y^2");
    line.equation = equation("y^2");
    line.numbers.og = 2;
    line.exact.reset();
    const auto started = std::chrono::steady_clock::now();
    const auto study = calc::run_tolerance_study(line, {Pair::bs23, Pair::dopri5});
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    ASSERT_TRUE(study.has_value());
    for (const calc::PairRuns& pair : study->pairs) {
        for (const calc::ToleranceRun& r : pair.runs) {
            EXPECT_FALSE(r.reached);
            EXPECT_FALSE(r.error.has_value());
        }
    }
    const std::string csv = calc::tolerance_study_csv(*study, test_locales::german);
    EXPECT_EQ(csv.substr(0, csv.find('\n', csv.find('\n') + 1) + 1),
              "Verfahren;Toleranz;Schritte;verworfen;Auswertungen;x;y;Fehler\n"
              "bs23;0,01;;;;;;\n");
    EXPECT_EQ(calc::tolerance_study_rows(*study, test_locales::german)[0],
              (std::vector<std::string>{"Bogacki-Shampine", "0,01", "\u2013", "\u2013", "\u2013",
                                        "\u2013"}));
}

TEST(ToleranceStudy, CsvWritesEachRunWithItsSignedError) {
    const auto study = calc::run_tolerance_study(line_of("-x*y^2"), {Pair::rkf45});
    ASSERT_TRUE(study.has_value());
    const calc::ToleranceRun& r = study->pairs[0].runs[4];
    const std::string csv = calc::tolerance_study_csv(*study, test_locales::english);
    const std::string row = "rkf45,1E-06," + std::to_string(r.totals.accepted) + ',' +
                            std::to_string(r.totals.rejected) + ',' +
                            std::to_string(r.totals.evaluations) + ",1," +
                            calc::format_general(r.end.y, test_locales::english) + ',' +
                            calc::format_general(*r.error, test_locales::english) + '\n';
    EXPECT_NE(csv.find("\n" + row), std::string::npos) << csv;
    EXPECT_EQ(csv.rfind("Verfahren,Toleranz,Schritte,verworfen,Auswertungen,x,y,Fehler\n", 0), 0u);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 12);
}

// A cancel from the progress ends the study soon, with no result.
TEST(ToleranceStudy, CancelledHalfwayGivesNothing) {
    std::atomic<int> calls{0};
    int total_seen = 0;
    const auto study =
        calc::run_tolerance_study(line_of("-x*y^2"), calc::all_pairs(), [&](int done, int total) {
            total_seen = total;
            ++calls;
            return done < 10;
        });
    EXPECT_FALSE(study.has_value());
    EXPECT_EQ(total_seen, 33);
    EXPECT_LT(calls.load(), 33);
}

// --- Work against accuracy -----------------------------------------------------------------------
TEST(WorkSeries, PairsGiveTheirEvaluationsAndErrorSizes) {
    const auto study = calc::run_tolerance_study(line_of("-x*y^2"), calc::all_pairs());
    ASSERT_TRUE(study.has_value());
    const std::vector<calc::WorkSeries> series = calc::work_series(*study);
    ASSERT_EQ(series.size(), 3u);
    for (std::size_t i = 0; i < series.size(); ++i) {
        EXPECT_EQ(calc::pair_of(series[i].scheme), study->pairs[i].pair);
        std::size_t k = 0;
        for (const calc::ToleranceRun& r : study->pairs[i].runs) {
            if (r.error && *r.error != 0) {
                ASSERT_LT(k, series[i].points.size());
                EXPECT_EQ(series[i].points[k].evaluations, r.totals.evaluations);
                EXPECT_EQ(series[i].points[k].error, std::fabs(*r.error));
                ++k;
            }
        }
        EXPECT_EQ(k, series[i].points.size());
    }
}

TEST(WorkSeries, FixedStepMethodsGivePassesTimesStages) {
    const calc::Equation f;
    const auto study = calc::run_study({10, 0, 1, 1}, f, {calc::Method::euler, calc::Method::rk4},
                                       calc::ExactSolution::of(f), 160);
    ASSERT_TRUE(study.has_value());
    const std::vector<calc::WorkSeries> series = calc::work_series(*study);
    ASSERT_EQ(series.size(), 2u);
    ASSERT_EQ(series[1].points.size(), 5u);
    EXPECT_EQ(std::get<calc::Method>(series[1].scheme), calc::Method::rk4);
    EXPECT_EQ(series[1].points[0].evaluations, 40);
    EXPECT_EQ(series[1].points[4].evaluations, 640);
    EXPECT_EQ(series[1].points[2].error, std::fabs(*study->methods[1].runs[2].error));
    EXPECT_EQ(series[0].points[3].evaluations, 80);
}

// A line with step size control has no passes: its fixed-step study starts from ten.
TEST(WorkSeries, FixedStepWorkOfAnAdaptiveLineStartsFromTenPasses) {
    const auto study = calc::run_fixed_step_work(line_of("-x*y^2"), 40);
    ASSERT_TRUE(study.has_value());
    ASSERT_EQ(study->methods.size(), calc::method_table.size());
    for (const calc::MethodStudy& method : study->methods) {
        ASSERT_EQ(method.runs.size(), 3u);
        EXPECT_EQ(method.runs[0].passes, 10);
        EXPECT_EQ(method.runs[0].h, 0.1);
        EXPECT_TRUE(method.runs[2].error.has_value());
    }
}

// The fewest evaluations of f with which a series reaches |error| <= bound; none where it never
// does.
std::optional<double> work_for(const calc::WorkSeries& series, double bound) {
    std::optional<double> least;
    for (const calc::WorkPoint& point : series.points) {
        if (point.error <= bound && (!least || point.evaluations < *least)) {
            least = point.evaluations;
        }
    }
    return least;
}

// What the work plot is for: at a small error each pair needs fewer evaluations than every
// fixed-step method of a lower order, and Dormand-Prince fewer than every one. (Fehlberg, which
// carries its fourth-order solution, does not beat RK4 on this smooth equation: 387 evaluations
// against 160 for 1e-10.)
TEST(WorkSeries, PairsReachASmallErrorWithLessWorkThanAFixedStep) {
    const calc::ResultLine line = line_of("-x*y^2");
    const auto study = calc::run_tolerance_study(line, calc::all_pairs());
    const auto fixed = calc::run_fixed_step_work(line);
    ASSERT_TRUE(study && fixed);
    const std::vector<calc::WorkSeries> pairs = calc::work_series(*study);
    const std::vector<calc::WorkSeries> methods = calc::work_series(*fixed);
    const double bound = 1e-10;
    const int fixed_orders[] = {1, 2, 2, 3, 4, 1, 2, 2}; // in the order of method_table
    for (const calc::WorkSeries& pair : pairs) {
        const std::optional<double> adaptive = work_for(pair, bound);
        ASSERT_TRUE(adaptive.has_value());
        const calc::PairInfo& info = calc::pair_info(*calc::pair_of(pair.scheme));
        for (const calc::WorkSeries& method : methods) {
            const calc::Method id = std::get<calc::Method>(method.scheme);
            const calc::MethodInfo& fixed_info = calc::method_info(id);
            if (info.id != calc::Pair::dopri5 &&
                fixed_orders[static_cast<std::size_t>(id)] >= info.order) {
                continue;
            }
            const std::optional<double> steps = work_for(method, bound);
            EXPECT_TRUE(!steps || *adaptive < *steps)
                << info.name << " " << *adaptive << " against " << fixed_info.name << " " << *steps;
        }
    }
}

// --- Systems -------------------------------------------------------------------------------------
calc::SystemLine system_line(calc::SystemExampleId id, Pair pair, const char* tolerance) {
    const calc::SystemExample& example = calc::system_example(id);
    std::vector<std::string> initial;
    for (std::size_t i = 0; i < example.size; ++i) {
        initial.push_back(calc::format_general(example.start[i], test_locales::english));
    }
    calc::SystemTask task =
        taskOf(example.form, calc::example_formulas(example, test_locales::english), initial,
               calc::format_general(example.ug, test_locales::english),
               calc::format_general(example.og, test_locales::english), "10");
    task.pair = pair;
    task.tolerance = tolerance;
    return std::get<calc::SystemLine>(calc::calculate_system(task, test_locales::english));
}

TEST(SystemToleranceStudy, ErrorsAreTheMaximumNormAgainstTheExactSolution) {
    const calc::SystemLine line =
        system_line(calc::SystemExampleId::oscillator, Pair::dopri5, "1E-6");
    const auto study = calc::run_tolerance_study(line, {Pair::bs23});
    ASSERT_TRUE(study.has_value());
    EXPECT_TRUE(study->against_exact);
    const calc::SystemToleranceRun& r = study->pairs[0].runs[2];
    const calc::SystemAdaptiveRun run =
        calc::system_adaptive_run_of(line, {Pair::bs23, 1e-4, "1E-04", {}});
    EXPECT_EQ(r.totals.evaluations, run.evaluations);
    const double exact_x = std::cos(10.0);
    const double exact_v = -std::sin(10.0);
    EXPECT_NEAR(
        *r.error,
        std::max(std::fabs(run.end.point.y[0] - exact_x), std::fabs(run.end.point.y[1] - exact_v)),
        1e-12);
    const std::string csv = calc::tolerance_study_csv(*study, test_locales::german);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "Verfahren;Toleranz;Schritte;verworfen;Auswertungen;x;y;y';Fehler");
}

// The Arenstorf orbit is periodic: after og it is back at its start.
TEST(Arenstorf, OrbitClosesWithDormandPrinceAtItsTolerance) {
    const calc::SystemExample& example = calc::system_example(calc::SystemExampleId::arenstorf);
    ASSERT_EQ(example.pair, Pair::dopri5);
    const calc::SystemLine line =
        system_line(calc::SystemExampleId::arenstorf, *example.pair, example.tolerance.data());
    const calc::SystemAdaptiveRun run = calc::system_adaptive_run_of(line, *line.adaptive);
    ASSERT_EQ(run.stop, calc::AdaptiveStop::reached);
    EXPECT_EQ(run.end.point.x, line.numbers.og);
    EXPECT_NEAR(line.numbers.og, example.og, 1e-12);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(run.end.point.y[i], example.start[i], 1e-2) << "y" << i + 1;
    }
    // A few hundred steps, not the tens of thousands a fixed step needs.
    EXPECT_LT(run.accepted, 1000u);
}

// --- The pairs side by side ----------------------------------------------------------------------

TEST(PairComparison, GivesEachPairAtTheLinesTolerance) {
    const calc::ResultLine line = line_of("-x*y^2");
    const auto comparison = calc::compare_pairs(line, 1e-6);
    ASSERT_TRUE(comparison.has_value());
    const auto rows = calc::pair_comparison_rows(*comparison, test_locales::german);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(calc::pair_comparison_columns(*comparison),
              (std::vector<std::string>{"Verfahren", "Schritte", "verworfen", "Auswertungen", "x",
                                        "y", "Fehler"}));
    for (std::size_t i = 0; i < 3; ++i) {
        const Pair pair = calc::pair_table[i].id;
        const calc::AdaptiveRun run = run_apart(line, pair, 1e-6);
        EXPECT_EQ(rows[i],
                  (std::vector<std::string>{
                      std::string(calc::pair_info(pair).name), std::to_string(run.accepted),
                      std::to_string(run.rejected), std::to_string(run.evaluations), "1",
                      calc::format_general(run.end.point.y, test_locales::german),
                      calc::format_general(run.end.point.y - 2.0 / 3.0, test_locales::german)}));
    }
}

TEST(PairComparison, LeavesTheErrorOutWithoutAnExactSolution) {
    calc::SystemLine line = system_line(calc::SystemExampleId::van_der_pol, Pair::bs23, "1E-5");
    const auto comparison = calc::compare_pairs(line, 1e-5);
    ASSERT_TRUE(comparison.has_value());
    EXPECT_EQ(calc::pair_comparison_columns(*comparison).size(), 8u);
    for (const auto& row : calc::pair_comparison_rows(*comparison, test_locales::german)) {
        EXPECT_EQ(row.back(), "\u2013");
        EXPECT_NE(row[3], "\u2013");
    }
}

} // namespace
