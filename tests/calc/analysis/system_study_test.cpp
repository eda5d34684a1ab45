// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/system_study.h"

#include "tests/calc/analysis/system_problems.h"
#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using named_case::PrintTo;

using calc::Method;
using calc::Vector;
using system_problems::numbers;

const std::vector<Method> all_methods = {Method::euler, Method::heun, Method::midpoint, Method::rk3,
                                         Method::rk4};

double largest_difference(const Vector& a, const Vector& b) {
    double largest = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        largest = std::max(largest, std::fabs(a[i] - b[i]));
    }
    return largest;
}

struct StudyCase {
    const char* name;
    calc::SystemProblem problem;
    calc::SystemNumbers numbers;
};

calc::SystemProblem without_exact(calc::SystemProblem problem) {
    problem.exact = {};
    return problem;
}

const StudyCase studies[] = {
    {"OscillatorExact", system_problems::oscillator(), numbers(10, 0, 1, {1, 0})},
    {"OscillatorAgainstFinerRuns", without_exact(system_problems::oscillator()),
     numbers(10, 0, 1, {1, 0})},
    {"CircuitExact", system_problems::circuit(), numbers(5, 0, 0.5, {0, 0})},
    {"ThreeComponents", system_problems::three_components(), numbers(10, 0, 1, {1, 0, -1})},
};

class SystemStudyRuns : public testing::TestWithParam<StudyCase> {};

// Runs of P · 2^j passes up to 20480, the last ones longer than a chunk of the study's runs; each
// error the maximum norm against the exact solution or the next finer run, computed here anew.
TEST_P(SystemStudyRuns, AreTheRunsAndTheirMaximumNormErrors) {
    const StudyCase& c = GetParam();
    const auto study = calc::run_system_study(c.numbers, c.problem, all_methods, 20480);
    ASSERT_TRUE(study.has_value());
    EXPECT_EQ(study->against_exact, static_cast<bool>(c.problem.exact));
    const calc::Steps steps = calc::system_steps_of(c.numbers);
    const calc::SystemPoint start{c.numbers.ug, c.numbers.aw};
    for (const calc::SystemMethodStudy& m : study->methods) {
        const auto stages = static_cast<std::size_t>(calc::method_info(m.method).stage_count);
        std::size_t expected_runs = 0;
        for (int passes = steps.passes; passes <= 20480; passes *= 2) {
            ++expected_runs;
        }
        ASSERT_EQ(m.runs.size(), expected_runs);
        for (std::size_t j = 0; j < m.runs.size(); ++j) {
            const calc::SystemStudyRun& r = m.runs[j];
            const double h = steps.h / std::pow(2, j);
            const int passes = steps.passes << j;
            ASSERT_EQ(r.passes, passes);
            const auto end =
                calc::passes::checked_run(m.method, c.problem.f, stages, true, start, h, passes);
            for (std::size_t i = 0; i < end.point.y.size(); ++i) {
                EXPECT_EQ(r.end.y[i], end.point.y[i]) << "j=" << j;
            }
            std::optional<double> expected;
            if (c.problem.exact) {
                expected = largest_difference(
                    end.point.y, *c.problem.exact(c.numbers.ug, c.numbers.aw, end.point.x));
            } else if (j + 1 < m.runs.size()) {
                expected = largest_difference(
                    end.point.y, calc::passes::checked_run(m.method, c.problem.f, stages, true,
                                                           start, h / 2, 2 * passes)
                                     .point.y);
            }
            EXPECT_EQ(r.error, expected) << calc::method_info(m.method).name << " j=" << j;
            if (j == 0 || !r.error || !m.runs[j - 1].error) {
                EXPECT_FALSE(r.eoc.has_value());
            } else {
                EXPECT_EQ(r.eoc, std::log2(*m.runs[j - 1].error / *r.error));
            }
        }
    }
}

// The EOC at the middle rows shows each method's order: 1, 2, 2, 3, 4.
TEST_P(SystemStudyRuns, OrdersApproachEachMethodsOrder) {
    const StudyCase& c = GetParam();
    const auto study = calc::run_system_study(c.numbers, c.problem, all_methods, 1280);
    ASSERT_TRUE(study.has_value());
    const double orders[] = {1, 2, 2, 3, 4};
    for (const calc::SystemMethodStudy& m : study->methods) {
        ASSERT_GE(m.runs.size(), 4u);
        ASSERT_TRUE(m.runs[3].eoc.has_value()) << calc::method_info(m.method).name;
        EXPECT_NEAR(*m.runs[3].eoc, orders[static_cast<int>(m.method)], 0.1)
            << calc::method_info(m.method).name;
    }
}

INSTANTIATE_TEST_SUITE_P(SystemStudy, SystemStudyRuns, testing::ValuesIn(studies), CaseName{});

// Euler on the oscillator from (1; 0) with h = 1: (1; -1); with h = 0.5: (1; -0.5), then
// (0.75; -1). Against the finer run the error of the first is max(0.25, 0) = 0.25.
TEST(SystemStudyCsv, HasAColumnPerComponentAndTheNormAsFehler) {
    const auto first_order = calc::run_system_study(
        numbers(1, 0, 1, {1, 0}),
        without_exact(system_problems::oscillator(calc::SystemForm::first_order)), {Method::euler},
        2);
    ASSERT_TRUE(first_order.has_value());
    EXPECT_EQ(calc::study_csv(*first_order, test_locales::german),
              "Verfahren;Schritte;h;x;y1;y2;Fehler;EOC\n"
              "euler;1;1;1;1;-1;0,25;\n"
              "euler;2;0,5;1;0,75;-1;;\n");
    const auto second_order = calc::run_system_study(
        numbers(1, 0, 1, {1, 0}), without_exact(system_problems::oscillator()), {Method::euler}, 2);
    EXPECT_EQ(calc::study_csv(*second_order, test_locales::english),
              "Verfahren,Schritte,h,x,y,y',Fehler,EOC\n"
              "euler,1,1,1,1,-1,0.25,\n"
              "euler,2,0.5,1,0.75,-1,,\n");
    EXPECT_EQ(calc::study_columns(*second_order),
              (std::vector<std::string>{"Schritte", "h", "|Fehler| Euler", "EOC Euler"}));
    EXPECT_EQ(calc::study_cells(*second_order, 0, test_locales::german),
              (std::vector<std::string>{"1", "1", "0,25", "\u2013"}));
    EXPECT_TRUE(calc::study_cells(*second_order, 2, test_locales::german).empty());
}

// A run that leaves the finite doubles has its x, components, error and EOC empty.
TEST(SystemStudyCsv, LeavesAFailedRunsCellsEmpty) {
    calc::SystemProblem blowing = without_exact(system_problems::oscillator());
    blowing.f = [](double, const Vector& y) {
        return system_problems::vector_of({y[0] * y[0] * y[0], y[1]});
    };
    const auto study =
        calc::run_system_study(numbers(6, 0, 6, {10, 1}), blowing, {Method::euler}, 12);
    ASSERT_TRUE(study.has_value());
    ASSERT_EQ(study->methods.front().runs.size(), 2u);
    EXPECT_FALSE(study->methods.front().runs[0].finite);
    EXPECT_EQ(calc::study_csv(*study, test_locales::german),
              "Verfahren;Schritte;h;x;y;y';Fehler;EOC\n"
              "euler;6;1;;;;;\n"
              "euler;12;0,5;;;;;\n");
}

// RK4 on the oscillator over [0, 1] reaches rounding long before 2^20 passes.
TEST(SystemStudy, NotesTheRoundOffFloorAndStopsWhenCancelled) {
    const auto study = calc::run_system_study(numbers(10, 0, 1, {1, 0}),
                                              system_problems::oscillator(), {Method::rk4});
    ASSERT_TRUE(study.has_value());
    const std::string note = calc::roundoff_text(*study, test_locales::german);
    EXPECT_TRUE(note.starts_with("Ab h = ")) << note;
    EXPECT_TRUE(note.ends_with(" f\u00e4llt der Fehler von RK4 nicht mehr: die Rundung "
                               "\u00fcberwiegt."))
        << note;

    int calls = 0;
    const auto cancelled =
        calc::run_system_study(numbers(10, 0, 1, {1, 0}), system_problems::oscillator(),
                               all_methods, calc::study_pass_limit, [&](int done, int total) {
                                   EXPECT_LE(done, total);
                                   return ++calls < 3;
                               });
    EXPECT_FALSE(cancelled.has_value());
    EXPECT_LT(calls, 10);
}

} // namespace
