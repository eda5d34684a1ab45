// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/phase_plane_csv.h"

#include "tests/calc/analysis/system_problems.h"
#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

using named_case::PrintTo;

using calc::Method;
using system_problems::numbers;
using system_problems::vector_of;

// y1' = 1, y2' = 0 up to x = 0.25 and y1' undefined from there, with E = y1 + y2: the pass from
// x = 0 meets the undefined f at its last stage, so every later row has no y1, and so no E.
calc::SystemProblem undefined_from_a_quarter() {
    calc::SystemProblem problem;
    problem.formulas = {"1", "0"};
    problem.f = [](double x, const calc::Vector&) {
        return x >= 0.25 ? vector_of({std::numeric_limits<double>::quiet_NaN(), 0})
                         : vector_of({1, 0});
    };
    problem.conserved = [](const calc::Vector& y) -> std::optional<double> { return y[0] + y[1]; };
    return problem;
}

calc::SystemProblem oscillator() {
    return system_problems::oscillator();
}

struct PhaseCsvCase {
    const char* name;
    calc::SystemProblem (*problem)();
    calc::SystemNumbers numbers;
    Method method;
    calc::NumberLocale locale;
    const char* header;
    std::size_t row; // the row whose line is given
    const char* line;
};

const PhaseCsvCase phase_csvs[] = {
    // Euler with h = 1 from (1; 0): (1; -1) with E = 1, then (0; -2) with E = 2.
    {"OscillatorGermanDriftsByEuler", oscillator, numbers(2, 0, 2, {1, 0}), Method::euler,
     test_locales::german, "Schritt;x;y;y';Erhaltungsgr\u00f6\u00dfe;Drift", 2, "2;2;0;-2;2;1,5"},
    // E = 1/2 - cos 0.
    {"PendulumEnglish", system_problems::pendulum, numbers(10, 0, 1, {0, 1}), Method::heun,
     test_locales::english, "Schritt,x,y,y',Erhaltungsgr\u00f6\u00dfe,Drift", 0, "0,0,0,1,-0.5,0"},
    {"CircuitHasNoConservedColumns", system_problems::circuit, numbers(5, 0, 0.5, {0, 0}),
     Method::rk3, test_locales::english, "Schritt,x,y1,y2", 0, "0,0,0,0"},
    {"ThreeComponentsFrench", system_problems::three_components, numbers(4, 0, 2, {1, 0, 0}),
     Method::midpoint, test_locales::french, "Schritt;x;y1;y2;y3", 2, "2;1;"},
    {"UndefinedRowsLeaveTheirCellsEmpty", undefined_from_a_quarter, numbers(4, 0, 1, {1, 2}),
     Method::rk4, test_locales::german, "Schritt;x;y1;y2;Erhaltungsgr\u00f6\u00dfe;Drift", 3,
     "3;0,75;;2;;"},
};

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class PhasePlaneCsv : public testing::TestWithParam<PhaseCsvCase> {};

// A line of the case's row starts with the line given (the three-component case gives only
// the start of a row whose components are not round).
TEST_P(PhasePlaneCsv, HasTheCaptionsAndALineOfEachRowWithAsManyCells) {
    const PhaseCsvCase& c = GetParam();
    const calc::SystemCourse course =
        calc::build_system_course(c.numbers, c.problem(), c.method, calc::CourseOrder::left_out);
    const std::string csv = calc::phase_plane_csv(course, c.locale);
    ASSERT_FALSE(csv.empty());
    EXPECT_EQ(csv.back(), '\n');
    const std::vector<std::string> lines = lines_of(csv);
    ASSERT_EQ(lines.size(), course.rows.size() + 1);
    EXPECT_EQ(lines.front(), c.header);
    EXPECT_EQ(lines[c.row + 1].rfind(c.line, 0), 0u) << lines[c.row + 1];
    const char separator = calc::list_separator(c.locale);
    const auto cells = [&](const std::string& line) {
        return std::count(line.begin(), line.end(), separator);
    };
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(cells(lines[i]), cells(lines.front())) << lines[i];
    }
}

INSTANTIATE_TEST_SUITE_P(PhasePlane, PhasePlaneCsv, testing::ValuesIn(phase_csvs), CaseName{});

TEST(PhasePlaneCsvCells, AreNoneBeyondTheLastRow) {
    const calc::SystemCourse course = calc::build_system_course(
        numbers(3, 0, 1, {1, 0}), oscillator(), Method::rk4, calc::CourseOrder::left_out);
    EXPECT_EQ(calc::phase_plane_cells(course, 3, test_locales::german).size(), 6u);
    EXPECT_TRUE(calc::phase_plane_cells(course, 4, test_locales::german).empty());
}

} // namespace
