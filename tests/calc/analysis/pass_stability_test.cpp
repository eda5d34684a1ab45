// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/stability.h"

#include "calc/analysis/system_problem.h"
#include "calc/calculate.h"
#include "calc/problem/equation.h"
#include "calc/problem/system.h"
#include "calc/system_calculate.h"

#include "tests/named_case.h"
#include "tests/split_text.h"
#include "tests/system_task.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

using calc::Complex;
using calc::Method;
using named_case::PrintTo;
using test_locales::english;
using test_locales::german;

calc::Equation equation(const char* text) {
    return std::get<calc::Equation>(calc::Equation::parse(text, english));
}

calc::SystemProblem system(std::vector<std::string> formulas) {
    return calc::system_problem(std::get<calc::System>(
        calc::System::parse(calc::SystemForm::first_order, formulas, english)));
}

calc::Vector vector_of(double a, double b) {
    calc::Vector v{{}, 2};
    v[0] = a;
    v[1] = b;
    return v;
}

// y1' = 998 y1 + 1998 y2, y2' = -999 y1 - 1999 y2 has the eigenvalues -1 and -1000.
TEST(PassStability, StiffSystemHasItsEigenvalues) {
    const calc::SystemProblem p = system({"998*y1+1998*y2", "-999*y1-1999*y2"});
    const calc::PassStability s = calc::pass_stability(Method::rk4, p.f, 0, vector_of(1, 0), 0.01);
    ASSERT_FALSE(s.left_out);
    ASSERT_EQ(s.count, 2U);
    std::vector<double> z{s.z[0].real(), s.z[1].real()};
    std::sort(z.begin(), z.end());
    EXPECT_NEAR(z[0], -10, 1e-6);
    EXPECT_NEAR(z[1], -0.01, 1e-6);
    EXPECT_EQ(s.z[0].imag(), 0);
    EXPECT_EQ(s.z[1].imag(), 0);
    // z = -10 is far outside RK4's region and the worst of the two.
    EXPECT_NEAR(s.z[s.worst].real(), -10, 1e-6);
    EXPECT_TRUE(s.outside());
}

TEST(PassStability, ComplexPairShowsTheUpperOne) {
    // y1' = y2, y2' = -y1: λ = ±i.
    const calc::SystemProblem p = system({"y2", "-y1"});
    const calc::PassStability s = calc::pass_stability(Method::euler, p.f, 0, vector_of(1, 0), 0.5);
    ASSERT_EQ(s.count, 2U);
    EXPECT_NEAR(s.z[s.worst].imag(), 0.5, 1e-9);
    EXPECT_NEAR(s.magnitude[s.worst], std::sqrt(1.25), 1e-9);
    EXPECT_TRUE(s.outside());
    const std::string cell = calc::z_cell(s, german);
    // Re h·λ is 0; Im h·λ is 0,5 to the central difference of the typed formula.
    EXPECT_TRUE(cell.starts_with("0 + 0,") && cell.ends_with("i")) << cell;
}

// Explicit Euler on y' = -50 (y - cos x) from 0 to 1: λ = -50, so z = -2.5 at 20 steps is outside
// |1 + z| ≤ 1 and z = -50/99 at 99 steps inside.
struct StiffRow {
    const char* name;
    double steps;
    std::size_t outside;
    const char* text;
};

class StiffScalarTest : public testing::TestWithParam<StiffRow> {};

TEST_P(StiffScalarTest, CountsThePassesOutside) {
    const StiffRow& row = GetParam();
    const calc::Course course = calc::build_course({row.steps, 0, 1, 1}, equation("-50*(y-cos(x))"),
                                                   Method::euler, std::nullopt);
    const calc::StabilityView view = calc::stability_of(course);
    EXPECT_EQ(view.passes, static_cast<std::size_t>(row.steps));
    EXPECT_EQ(view.outside, row.outside);
    EXPECT_EQ(view.left_out, 0U);
    EXPECT_EQ(view.points.size(), view.passes);
    for (const calc::StabilityPoint& point : view.points) {
        EXPECT_NEAR(point.z.real(), -50 / row.steps, 1e-6);
        EXPECT_EQ(point.outside, row.outside > 0);
        EXPECT_EQ(point.x, course.rows[point.row].point.x);
    }
    EXPECT_EQ(calc::outside_text(view, german), row.text);
    EXPECT_EQ(calc::left_out_text(view, german), "");
}

INSTANTIATE_TEST_SUITE_P(
    Stability, StiffScalarTest,
    testing::Values(StiffRow{"twenty_steps", 20, 20,
                             "20 von 20 Schritten au\u00dferhalb des Stabilit\u00e4tsgebiets, "
                             "zuerst bei x = 0"},
                    StiffRow{"ninety_nine_steps", 99, 0,
                             "alle Schritte im Stabilit\u00e4tsgebiet"}),
    CaseName{});

TEST(StabilityView, FirstOutsideIsWhereTheStepGrows) {
    // λ = -45 x: z = -2.25 x is outside Euler's interval once x > 8/9 (at 20 steps from 0 to 1).
    const calc::Course course =
        calc::build_course({20, 0, 1, 1}, equation("-45*x*y"), Method::euler, std::nullopt);
    const calc::StabilityView view = calc::stability_of(course);
    ASSERT_TRUE(view.first_outside_x);
    EXPECT_NEAR(*view.first_outside_x, 0.9, 1e-12);
    EXPECT_EQ(view.outside, 2U);
    EXPECT_EQ(calc::outside_text(view, german),
              "2 von 20 Schritten au\u00dferhalb des Stabilit\u00e4tsgebiets, zuerst bei x = 0,9");
}

// ∂f/∂y of sqrt(y) at y = 0 is a NaN; those passes are left out and counted, never computed.
struct LeftOutRow {
    const char* name;
    bool is_system;
    const char* text;
};

class LeftOutTest : public testing::TestWithParam<LeftOutRow> {};

TEST_P(LeftOutTest, LeavesOutAJacobianThatIsNotFinite) {
    const LeftOutRow& row = GetParam();
    calc::StabilityView view;
    if (row.is_system) {
        const calc::SystemNumbers numbers{5, 0, 1, vector_of(0, 1)};
        const calc::SystemCourse course =
            calc::build_system_course(numbers, system({"sqrt(y1)", "y1"}), Method::heun);
        view = calc::stability_of(course);
        EXPECT_EQ(calc::z_cell(course.stability[0], german), "\u2013");
        EXPECT_EQ(calc::magnitude_cell(course.stability[0], german), "\u2013");
        EXPECT_EQ(calc::z_cell(course.stability.back(), german), "");
    } else {
        const calc::Course course =
            calc::build_course({5, 0, 1, 0}, equation("sqrt(y)"), Method::rk4, std::nullopt);
        view = calc::stability_of(course);
    }
    EXPECT_EQ(view.passes, 5U);
    EXPECT_EQ(view.left_out, 5U);
    EXPECT_TRUE(view.points.empty());
    EXPECT_EQ(calc::left_out_text(view, german), row.text);
    EXPECT_EQ(calc::outside_text(view, german), "alle Schritte im Stabilit\u00e4tsgebiet");
}

INSTANTIATE_TEST_SUITE_P(
    Stability, LeftOutTest,
    testing::Values(LeftOutRow{"scalar", false, "5 Schritte ohne Eigenwerte (J nicht endlich)"},
                    LeftOutRow{"system", true, "5 Schritte ohne Eigenwerte (J nicht endlich)"}),
    CaseName{});

TEST(StabilityView, OneLeftOutIsSingular) {
    calc::StabilityView view;
    view.passes = 3;
    view.left_out = 1;
    EXPECT_EQ(calc::left_out_text(view, german), "1 Schritt ohne Eigenwerte (J nicht endlich)");
}

// The CSV of every kind of course ends with h·λ and |R(h·λ)|, or on the command line with
// Re(h·λ), Im(h·λ) and |R(h·λ)|: on the stiff scalar equation (λ = -50) and the stiff system
// (λ = -1 and -1000), each row's Re(h·λ) is h times one of the λ, Im is 0 and |R| is R's there.
enum class Kind { fixed, system, adaptive, system_adaptive };

struct CsvRow {
    const char* name;
    Kind kind;
    calc::Scheme scheme;
};

struct CsvOf {
    std::string cells;
    std::string parts;
    std::vector<std::optional<double>> h; // each row's step, none without a pass
    std::vector<double> lambdas;
};

CsvOf csv_of(const CsvRow& row) {
    CsvOf out;
    const calc::NumberLocale& l = german;
    if (row.kind == Kind::fixed || row.kind == Kind::adaptive) {
        calc::Task task(calc::EntryTexts{row.kind == Kind::fixed ? "20" : "", "0", "1", "1"});
        task.equation = "-50*(y-cos(x))";
        task.choose(row.scheme);
        if (row.kind == Kind::adaptive) {
            task.tolerance = "1E-4";
        }
        const auto line = std::get<calc::ResultLine>(calc::calculate(task, l));
        out.lambdas = {-50};
        if (row.kind == Kind::fixed) {
            const calc::Course course = calc::build_course(line);
            out.cells = calc::course_csv(course, l);
            out.parts = calc::course_csv(course, l, calc::StabilityCsv::parts);
            for (const calc::CourseRow& r : course.rows) {
                out.h.push_back(r.k ? std::optional(course.steps.h) : std::nullopt);
            }
        } else {
            const calc::AdaptiveCourse course = calc::build_adaptive_course(line);
            out.cells = calc::adaptive_csv(course, l);
            out.parts = calc::adaptive_csv(course, l, calc::StabilityCsv::parts);
            for (const auto& r : course.rows) {
                out.h.push_back(r.attempt ? std::optional(r.attempt->h) : std::nullopt);
            }
        }
        return out;
    }
    calc::SystemTask task =
        taskOf(calc::SystemForm::first_order, {"998*y1+1998*y2", "-999*y1-1999*y2"}, {"1", "0"},
               "0", "1", row.kind == Kind::system ? "10" : "");
    if (const calc::Pair* pair = std::get_if<calc::Pair>(&row.scheme)) {
        task.pair = *pair;
        task.tolerance = "1E-3";
    } else {
        task.method = std::get<Method>(row.scheme);
    }
    const auto line = std::get<calc::SystemLine>(calc::calculate_system(task, l));
    out.lambdas = {-1, -1000};
    if (row.kind == Kind::system) {
        const calc::SystemCourse course = calc::build_system_course(line);
        out.cells = calc::system_course_csv(course, l);
        out.parts = calc::system_course_csv(course, l, calc::StabilityCsv::parts);
        for (const calc::SystemCourseRow& r : course.rows) {
            out.h.push_back(r.k ? std::optional(course.steps.h) : std::nullopt);
        }
    } else {
        const calc::SystemAdaptiveCourse course = calc::build_system_adaptive_course(line);
        out.cells = calc::system_adaptive_csv(course, l);
        out.parts = calc::system_adaptive_csv(course, l, calc::StabilityCsv::parts);
        for (const auto& r : course.rows) {
            out.h.push_back(r.attempt ? std::optional(r.attempt->h) : std::nullopt);
        }
    }
    return out;
}

using split_text::split;

class CourseCsvTest : public testing::TestWithParam<CsvRow> {};

TEST_P(CourseCsvTest, EndsWithTheStepsHLambda) {
    const CsvRow& row = GetParam();
    const CsvOf csv = csv_of(row);
    std::vector<std::string> cell_lines = split(csv.cells, '\n');
    std::vector<std::string> part_lines = split(csv.parts, '\n');
    ASSERT_EQ(cell_lines.size(), csv.h.size() + 2);
    ASSERT_EQ(part_lines.size(), csv.h.size() + 2);
    EXPECT_TRUE(cell_lines[0].ends_with(";Fehler;h\u00b7\u03bb;|R(h\u00b7\u03bb)|"))
        << cell_lines[0];
    EXPECT_TRUE(
        part_lines[0].ends_with(";Fehler;Re(h\u00b7\u03bb);Im(h\u00b7\u03bb);|R(h\u00b7\u03bb)|"))
        << part_lines[0];
    std::size_t passes = 0;
    for (std::size_t r = 0; r < csv.h.size(); ++r) {
        const std::vector<std::string> cells = split(cell_lines[r + 1], ';');
        const std::vector<std::string> parts = split(part_lines[r + 1], ';');
        ASSERT_EQ(parts.size(), cells.size() + 1);
        const std::string& re = parts[parts.size() - 3];
        const std::string& im = parts[parts.size() - 2];
        const std::string& magnitude = parts.back();
        if (!csv.h[r]) {
            EXPECT_EQ(re + im + magnitude + cells[cells.size() - 2] + cells.back(), "") << r;
            continue;
        }
        ++passes;
        const double z = calc::read_number(re, german).value_or(0);
        EXPECT_EQ(im, "0") << r;
        EXPECT_EQ(cells[cells.size() - 2], re) << r;
        EXPECT_EQ(cells.back(), magnitude) << r;
        const double lambda = z / *csv.h[r];
        EXPECT_TRUE(std::any_of(csv.lambdas.begin(), csv.lambdas.end(),
                                [&](double l) { return std::fabs(lambda - l) < 1e-5 * -l; }))
            << "row " << r << ": " << lambda;
        const double expected = std::visit(
            [z](auto id) {
                return calc::stability_magnitude(id, {z, 0});
            },
            row.scheme);
        EXPECT_NEAR(calc::read_number(magnitude, german).value_or(-1), expected,
                    1e-12 * (1 + expected))
            << r;
    }
    EXPECT_GT(passes, 0U);
}

INSTANTIATE_TEST_SUITE_P(
    Stability, CourseCsvTest,
    testing::Values(CsvRow{"fixed_euler", Kind::fixed, Method::euler},
                    CsvRow{"fixed_trapez", Kind::fixed, Method::trapezoid},
                    CsvRow{"system_rk4", Kind::system, Method::rk4},
                    CsvRow{"system_impl_euler", Kind::system, Method::implicit_euler},
                    CsvRow{"adaptive_dopri5", Kind::adaptive, calc::Pair::dopri5},
                    CsvRow{"system_adaptive_bs23", Kind::system_adaptive, calc::Pair::bs23}),
    CaseName{});

} // namespace
