// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/adaptive_course.h"
#include "calc/calculate.h"
#include "calc/system_calculate.h"

#include "tests/named_case.h"
#include "tests/system_task.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

using calc::Pair;
using named_case::PrintTo;
using test_locales::german;

// The tables of the pairs written down again from their fractions, to make each attempt of a
// course anew: c, a (row i, j < i) and b.
struct Table {
    std::vector<double> c;
    std::vector<std::vector<double>> a;
    std::vector<double> b;
};

const Table bs23{{0, 1.0 / 2, 3.0 / 4, 1},
                 {{}, {1.0 / 2}, {0, 3.0 / 4}, {2.0 / 9, 1.0 / 3, 4.0 / 9}},
                 {2.0 / 9, 1.0 / 3, 4.0 / 9, 0}};
const Table rkf45{{0, 1.0 / 4, 3.0 / 8, 12.0 / 13, 1, 1.0 / 2},
                  {{},
                   {1.0 / 4},
                   {3.0 / 32, 9.0 / 32},
                   {1932.0 / 2197, -7200.0 / 2197, 7296.0 / 2197},
                   {439.0 / 216, -8, 3680.0 / 513, -845.0 / 4104},
                   {-8.0 / 27, 2, -3544.0 / 2565, 1859.0 / 4104, -11.0 / 40}},
                  {25.0 / 216, 0, 1408.0 / 2565, 2197.0 / 4104, -1.0 / 5, 0}};
const Table dopri5{{0, 1.0 / 5, 3.0 / 10, 4.0 / 5, 8.0 / 9, 1, 1},
                   {{},
                    {1.0 / 5},
                    {3.0 / 40, 9.0 / 40},
                    {44.0 / 45, -56.0 / 15, 32.0 / 9},
                    {19372.0 / 6561, -25360.0 / 2187, 64448.0 / 6561, -212.0 / 729},
                    {9017.0 / 3168, -355.0 / 33, 46732.0 / 5247, 49.0 / 176, -5103.0 / 18656},
                    {35.0 / 384, 0, 500.0 / 1113, 125.0 / 192, -2187.0 / 6784, 11.0 / 84}},
                   {35.0 / 384, 0, 500.0 / 1113, 125.0 / 192, -2187.0 / 6784, 11.0 / 84, 0}};

// y + (w_0 k_0 + w_1 k_1 + ...), the sum over the nonzero weights, left to right.
double plus_sum(double y, const std::vector<double>& w, const std::vector<double>& k) {
    bool any = false;
    double sum = 0;
    for (std::size_t j = 0; j < w.size() && j < k.size(); ++j) {
        if (w[j] != 0) {
            sum = any ? sum + w[j] * k[j] : w[j] * k[j];
            any = true;
        }
    }
    return any ? y + sum : y;
}

// The increments of an attempt of step h from (x, y) and the point it reaches.
struct Attempt {
    std::vector<double> k;
    double next;
};

Attempt attempt_of(const Table& t, const calc::Equation& f, double x, double y, double h) {
    Attempt out;
    for (std::size_t i = 0; i < t.c.size(); ++i) {
        out.k.push_back(h * f(x + t.c[i] * h, plus_sum(y, t.a[i], out.k)));
    }
    out.next = plus_sum(y, t.b, out.k);
    return out;
}

calc::ResultLine line_of(Pair pair, const char* tolerance, const char* ug = "0",
                         const char* og = "1") {
    calc::Task task(calc::EntryTexts{"10", ug, og, "1"});
    task.pair = pair;
    task.tolerance = tolerance;
    const calc::Outcome outcome = calc::calculate(task, german);
    const auto* line = std::get_if<calc::ResultLine>(&outcome);
    EXPECT_NE(line, nullptr) << std::get<calc::Warning>(outcome).text;
    return line ? *line : calc::ResultLine{};
}

// A run of each pair on the default equation: its rows against the attempts made anew, from
// each row's start, with the tables above.
struct RunCase {
    const char* name;
    Pair pair;
    const Table* table;
    const char* tolerance;
    const char* ug;
    const char* og;
};

const RunCase run_cases[] = {
    {"bogacki_shampine", Pair::bs23, &bs23, "1E-6", "0", "1"},
    {"fehlberg", Pair::rkf45, &rkf45, "1E-6", "0", "1"},
    {"dormand_prince", Pair::dopri5, &dopri5, "1E-6", "0", "1"},
    {"dormand_prince_backwards", Pair::dopri5, &dopri5, "1E-8", "1", "-1"},
    {"bogacki_shampine_coarse", Pair::bs23, &bs23, "0,1", "0", "3"},
};

class AdaptiveRows : public testing::TestWithParam<RunCase> {};

TEST_P(AdaptiveRows, FollowTheAttemptsMadeAnew) {
    const RunCase& c = GetParam();
    const calc::ResultLine line = line_of(c.pair, c.tolerance, c.ug, c.og);
    ASSERT_TRUE(line.adaptive);
    const calc::AdaptiveCourse course = calc::build_adaptive_course(line);
    const calc::AdaptiveTotals& totals = line.adaptive->totals;
    ASSERT_EQ(course.rows.size(), totals.accepted + totals.rejected + 1);

    std::size_t rejected = 0;
    double x = line.numbers.ug;
    double y = line.numbers.aw;
    for (std::size_t r = 0; r + 1 < course.rows.size(); ++r) {
        const calc::AdaptiveRowOf<double>& row = course.rows[r];
        SCOPED_TRACE("Versuch " + std::to_string(r + 1));
        ASSERT_TRUE(row.attempt);
        EXPECT_EQ(row.number, r + 1);
        EXPECT_EQ(row.point.x, x);
        EXPECT_EQ(row.point.y, y);
        const Attempt again = attempt_of(*c.table, line.equation, x, y, row.attempt->h);
        for (std::size_t s = 0; s < again.k.size(); ++s) {
            EXPECT_EQ(row.attempt->k[s], again.k[s]) << "k" << s + 1;
        }
        EXPECT_EQ(row.attempt->accepted, row.attempt->err <= 1);
        if (!row.attempt->accepted) {
            ++rejected;
            continue;
        }
        // The last accepted attempt ends at og exactly.
        x = r + 2 == course.rows.size() ? line.numbers.og : x + row.attempt->h;
        y = again.next;
    }
    EXPECT_EQ(rejected, totals.rejected);
    const calc::AdaptiveRowOf<double>& end = course.rows.back();
    EXPECT_FALSE(end.attempt);
    EXPECT_EQ(end.point.x, line.numbers.og);
    EXPECT_EQ(end.point.y, y);
    // The end row holds x, y, y exakt and Fehler only, and no h·λ.
    const std::vector<std::string> cells = calc::adaptive_cells(course, end, german);
    ASSERT_EQ(cells.size(), calc::adaptive_columns(c.pair).size());
    for (std::size_t i = 0; i + 4 < cells.size(); ++i) {
        EXPECT_EQ(cells[i].empty(), i != 1 && i != 3) << "Spalte " << i;
    }
    EXPECT_EQ(cells[3], calc::format_general(y, german));
    const std::optional<double> exact = calc::exact_solution(line.numbers.ug, 1, line.numbers.og);
    ASSERT_TRUE(exact);
    EXPECT_EQ(cells[cells.size() - 3], calc::format_general(y - *exact, german));
    EXPECT_EQ(cells[cells.size() - 2], "");
    EXPECT_EQ(cells.back(), "");
}

INSTANTIATE_TEST_SUITE_P(Course, AdaptiveRows, testing::ValuesIn(run_cases), CaseName{});

TEST(AdaptiveCourse, DormandPrinceOfTheDefaultEquationRejectsOneOfTenAttempts) {
    const calc::AdaptiveCourse course = calc::build_adaptive_course(line_of(Pair::dopri5, "1E-6"));
    ASSERT_EQ(course.rows.size(), 11u);
    EXPECT_EQ(calc::adaptive_totals_text(course.adaptive),
              "9 Schritte angenommen, 1 verworfen, 62 Auswertungen von f");
    std::vector<std::string> statuses;
    for (std::size_t r = 0; r < 10; ++r) {
        statuses.push_back(calc::adaptive_cells(course, course.rows[r], german)[13]);
    }
    std::vector<std::string> expected(10, "angenommen");
    for (std::size_t r = 0; r < 10; ++r) {
        if (!course.rows[r].attempt->accepted) {
            expected[r] = "verworfen";
        }
    }
    EXPECT_EQ(statuses, expected);
    EXPECT_EQ(std::count(expected.begin(), expected.end(), "verworfen"), 1);
    // A rejected attempt is made again from the same point with a smaller step.
    for (std::size_t r = 0; r + 2 < course.rows.size(); ++r) {
        if (!course.rows[r].attempt->accepted) {
            EXPECT_EQ(course.rows[r + 1].point.x, course.rows[r].point.x);
            EXPECT_LT(std::fabs(course.rows[r + 1].attempt->h),
                      std::fabs(course.rows[r].attempt->h));
            EXPECT_LE(course.rows[r + 1].attempt->fac, 1.0);
        }
    }
    EXPECT_EQ(calc::adaptive_heading(course, german),
              "y' = -x\u00b7y\u00b2, y(0) = 1, Toleranz 1E-06 von x = 0 bis x = 1, "
              "Dormand-Prince 5(4), adaptiv");
    EXPECT_EQ(calc::accepted_course(course).rows.size(), 10u);
    EXPECT_EQ(calc::accepted_course(course).rows.back().point.x, 1.0);
}

// The CSV's captions: only the pair's own k columns, and for a system each per component.
struct HeaderCase {
    const char* name;
    Pair pair;
    std::size_t components; // 0: a scalar equation
    const char* header;
};

const HeaderCase header_cases[] = {
    {"scalar_bogacki_shampine", Pair::bs23, 0,
     "Versuch;x;h;y;k1;k2;k3;k4;Fehlersch\u00e4tzung;Faktor;Status;y "
     "exakt;Fehler;h\u00b7\u03bb;|R(h\u00b7\u03bb)|"},
    {"scalar_fehlberg", Pair::rkf45, 0,
     "Versuch;x;h;y;k1;k2;k3;k4;k5;k6;Fehlersch\u00e4tzung;Faktor;Status;y "
     "exakt;Fehler;h\u00b7\u03bb;|R(h\u00b7\u03bb)|"},
    {"scalar_dormand_prince", Pair::dopri5, 0,
     "Versuch;x;h;y;k1;k2;k3;k4;k5;k6;k7;Fehlersch\u00e4tzung;Faktor;Status;y "
     "exakt;Fehler;h\u00b7\u03bb;|R(h\u00b7\u03bb)|"},
    {"system_bogacki_shampine", Pair::bs23, 2,
     "Versuch;x;h;y1;y2;k1 (y1);k1 (y2);k2 (y1);k2 (y2);k3 (y1);k3 (y2);k4 (y1);k4 (y2);"
     "Fehlersch\u00e4tzung;Faktor;Status;y1 exakt;y2 "
     "exakt;Fehler;h\u00b7\u03bb;|R(h\u00b7\u03bb)|"},
    {"system_fehlberg", Pair::rkf45, 2,
     "Versuch;x;h;y1;y2;k1 (y1);k1 (y2);k2 (y1);k2 (y2);k3 (y1);k3 (y2);k4 (y1);k4 (y2);"
     "k5 (y1);k5 (y2);k6 (y1);k6 (y2);Fehlersch\u00e4tzung;Faktor;Status;y1 exakt;y2 exakt;"
     "Fehler;h\u00b7\u03bb;|R(h\u00b7\u03bb)|"},
    {"system_dormand_prince", Pair::dopri5, 2,
     "Versuch;x;h;y1;y2;k1 (y1);k1 (y2);k2 (y1);k2 (y2);k3 (y1);k3 (y2);k4 (y1);k4 (y2);"
     "k5 (y1);k5 (y2);k6 (y1);k6 (y2);k7 (y1);k7 (y2);Fehlersch\u00e4tzung;Faktor;Status;"
     "y1 exakt;y2 exakt;Fehler;h\u00b7\u03bb;|R(h\u00b7\u03bb)|"},
};

class AdaptiveCsvHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(AdaptiveCsvHeader, NamesThePairsOwnStages) {
    const HeaderCase& c = GetParam();
    std::string csv;
    std::size_t rows = 0;
    if (c.components == 0) {
        const calc::AdaptiveCourse course = calc::build_adaptive_course(line_of(c.pair, "1E-4"));
        csv = calc::adaptive_csv(course, german);
        rows = course.rows.size();
    } else {
        calc::SystemTask task =
            taskOf(calc::SystemForm::first_order, {"y2", "-y1"}, {"1", "0"}, "0", "1", "10");
        task.pair = c.pair;
        task.tolerance = "1E-4";
        const calc::SystemOutcome outcome = calc::calculate_system(task, german);
        ASSERT_TRUE(std::holds_alternative<calc::SystemLine>(outcome));
        const calc::SystemAdaptiveCourse course =
            calc::build_system_adaptive_course(std::get<calc::SystemLine>(outcome));
        csv = calc::system_adaptive_csv(course, german);
        rows = course.rows.size();
    }
    EXPECT_EQ(csv.substr(0, csv.find('\n')), c.header);
    EXPECT_EQ(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')), rows + 1);
    // Every line has as many cells as the header.
    const auto separators = std::count(c.header, c.header + std::strlen(c.header), ';');
    std::size_t from = 0;
    while (from < csv.size()) {
        const std::size_t to = csv.find('\n', from);
        EXPECT_EQ(std::count(csv.begin() + static_cast<long>(from),
                             csv.begin() + static_cast<long>(to), ';'),
                  separators);
        from = to + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Course, AdaptiveCsvHeader, testing::ValuesIn(header_cases), CaseName{});

// The pass view of an attempt: every stage of the pair, with the increments of its row to the
// bit, and the point the attempt reached.
struct PassCase {
    const char* name;
    Pair pair;
    std::size_t stages;
};

const PassCase pass_cases[] = {
    {"bogacki_shampine_four_stages", Pair::bs23, 4},
    {"fehlberg_six_stages", Pair::rkf45, 6},
    {"dormand_prince_seven_stages", Pair::dopri5, 7},
};

class AdaptivePassView : public testing::TestWithParam<PassCase> {};

TEST_P(AdaptivePassView, ShowsEveryStageOfTheRow) {
    const PassCase& c = GetParam();
    const calc::AdaptiveCourse course = calc::build_adaptive_course(line_of(c.pair, "1E-6"));
    for (std::size_t r = 0; r + 1 < course.rows.size(); ++r) {
        const std::optional<calc::PassView> view = calc::adaptive_pass_view(course, r);
        ASSERT_TRUE(view);
        const calc::AttemptOf<double>& a = *course.rows[r].attempt;
        ASSERT_EQ(view->stages.size(), c.stages);
        EXPECT_EQ(view->stages.back().name, calc::stage_names[c.stages - 1]);
        EXPECT_EQ(view->start.x, a.x);
        EXPECT_EQ(view->h, a.h);
        for (std::size_t s = 0; s < c.stages; ++s) {
            EXPECT_EQ(view->stages[s].k, a.k[s]) << "Versuch " << r + 1 << ", k" << s + 1;
        }
        if (a.accepted && r + 2 < course.rows.size()) {
            EXPECT_EQ(view->next.y, course.rows[r + 1].point.y) << "Versuch " << r + 1;
        }
        EXPECT_TRUE(view->local_error);
    }
    EXPECT_FALSE(calc::adaptive_pass_view(course, course.rows.size() - 1));
    EXPECT_FALSE(calc::adaptive_pass_view(course, course.rows.size()));
}

INSTANTIATE_TEST_SUITE_P(Course, AdaptivePassView, testing::ValuesIn(pass_cases), CaseName{});

TEST(AdaptiveCourse, SystemPlanePassHasTheStagesOfItsPair) {
    calc::SystemTask task =
        taskOf(calc::SystemForm::first_order, {"y2", "-y1"}, {"1", "0"}, "0", "2", "10");
    task.pair = Pair::dopri5;
    task.tolerance = "1E-5";
    const calc::SystemOutcome outcome = calc::calculate_system(task, german);
    ASSERT_TRUE(std::holds_alternative<calc::SystemLine>(outcome));
    const calc::SystemAdaptiveCourse course =
        calc::build_system_adaptive_course(std::get<calc::SystemLine>(outcome));
    ASSERT_GE(course.rows.size(), 2u);
    EXPECT_EQ(course.rows.back().point.x, 2.0);
    const std::optional<calc::PlanePass> pass = calc::adaptive_plane_pass(course, 0, {});
    ASSERT_TRUE(pass);
    ASSERT_EQ(pass->stages.size(), 7u);
    // The seventh stage is at the point the attempt reached.
    EXPECT_EQ(pass->stages[6].point.x, pass->next.x);
    EXPECT_EQ(pass->stages[6].point.y, pass->next.y);
    EXPECT_FALSE(calc::adaptive_plane_pass(course, 0, {0, 2}));
    EXPECT_EQ(calc::accepted_course(course).rows.size(), course.adaptive.totals.accepted + 1);
}

} // namespace
