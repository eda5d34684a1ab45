// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/study.h"

#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using calc::Method;

const std::vector<Method> all_methods = {Method::euler, Method::heun, Method::midpoint, Method::rk3,
                                         Method::rk4};

calc::Equation equation(const char* typed) {
    return std::get<calc::Equation>(calc::Equation::parse(typed, test_locales::english));
}

// Runs of 10 * 2^j passes up to 20480, the last ones longer than a chunk of the study's runs.
TEST(Study, RowsAreTheRunsAndTheirErrors) {
    for (const char* typed : {"-x*y^2", "x+y"}) {
        const calc::Equation f = equation(typed);
        const calc::Numbers numbers{10, 0, 1, 1};
        for (const bool exact : {true, false}) {
            const auto solution = exact ? calc::ExactSolution::of(f) : std::nullopt;
            const auto study = calc::run_study(numbers, f, all_methods, solution, 20480);
            ASSERT_TRUE(study.has_value());
            EXPECT_EQ(study->against_exact, exact);
            for (const calc::MethodStudy& m : study->methods) {
                ASSERT_EQ(m.runs.size(), 12u);
                for (std::size_t j = 0; j < m.runs.size(); ++j) {
                    const calc::StudyRun& r = m.runs[j];
                    const double h = 0.1 / std::pow(2, j);
                    const calc::RunEnd end = calc::run_passes(m.method, f, {0, 1}, h, 10 << j);
                    ASSERT_EQ(r.passes, 10 << j);
                    EXPECT_EQ(r.end.y, end.point.y) << typed << " j=" << j;
                    const auto expected =
                        exact ? std::optional(end.point.y - *solution->at(0, 1, end.point.x))
                        : j + 1 < m.runs.size()
                            ? std::optional(
                                  end.point.y -
                                  calc::run_passes(m.method, f, {0, 1}, h / 2, 20 << j).point.y)
                            : std::nullopt;
                    EXPECT_EQ(r.error, expected) << typed << " j=" << j;
                }
            }
        }
    }
}

TEST(Study, OrdersApproachEachMethodsOrderAtTheMiddleRows) {
    const calc::Equation f = equation("x+y");
    const auto study = calc::run_study({10, 0, 1, 1}, f, all_methods, calc::ExactSolution::of(f));
    const double orders[] = {1, 2, 2, 3, 4};
    for (const calc::MethodStudy& m : study->methods) {
        EXPECT_EQ(m.runs.size(), 17u);
        EXPECT_EQ(m.runs[0].eoc, std::nullopt);
        EXPECT_NEAR(*m.runs[4].eoc, orders[static_cast<int>(m.method)], 0.1)
            << calc::method_info(m.method).name;
    }
}

// RK4's error on -x*y^2 from 0 to 1 falls to about 2e-15 at h = 0.0015625, then rounding wins.
TEST(Study, NotesTheRoundOffFloor) {
    const calc::Equation f;
    const auto study =
        calc::run_study({10, 0, 1, 1}, f, {Method::euler, Method::rk4}, calc::ExactSolution::of(f));
    EXPECT_EQ(calc::roundoff_text(*study, test_locales::german),
              "Ab h = 0,0015625 f\u00e4llt der Fehler von RK4 nicht mehr: die Rundung "
              "\u00fcberwiegt.");
}

TEST(Study, WritesItsCsvAndCellsInTheLocale) {
    const calc::Equation f = equation("y");
    const auto study =
        calc::run_study({1, 0, 1, 1}, f, {Method::euler, Method::heun}, std::nullopt, 2);
    EXPECT_EQ(calc::study_csv(*study, test_locales::german), "Verfahren;Schritte;h;x;y;Fehler;EOC\n"
                                                             "euler;1;1;1;2;-0,25;\n"
                                                             "euler;2;0,5;1;2,25;;\n"
                                                             "heun;1;1;1;2,5;-0,140625;\n"
                                                             "heun;2;0,5;1;2,640625;;\n");
    EXPECT_EQ(calc::study_csv(*study, test_locales::english).substr(0, 49),
              "Verfahren,Schritte,h,x,y,Fehler,EOC\neuler,1,1,1,2");
    EXPECT_EQ(calc::study_columns(*study),
              (std::vector<std::string>{"Schritte", "h", "|Fehler| Euler", "EOC Euler",
                                        "|Fehler| Heun", "EOC Heun"}));
    EXPECT_EQ(calc::study_cells(*study, 1, test_locales::german),
              (std::vector<std::string>{"2", "0,5", "\u2013", "\u2013", "\u2013", "\u2013"}));
}

TEST(Study, StopsWhenTheProgressSaysCancel) {
    int calls = 0;
    const auto study = calc::run_study({10, 0, 1, 1}, calc::Equation{}, all_methods, std::nullopt,
                                       calc::study_pass_limit, [&](int done, int total) {
                                           EXPECT_LE(done, total);
                                           return ++calls < 3;
                                       });
    EXPECT_FALSE(study.has_value());
    EXPECT_LT(calls, 10);
}

} // namespace
