// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/course.h"
#include "calc/core/rk4.h"

#include "calc/calculate.h"
#include "tests/named_case.h"
#include "tests/split_text.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using named_case::PrintTo;

using calc::Numbers;

std::uint64_t bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

using split_text::split;

struct Accepted {
    const char* name;
    Numbers numbers;
};

const Accepted accepted[] = {
    {"TenTenths", {10, 0, 1, 1}},
    {"TwentySteps", {20, 0, 1, 1}},
    {"FractionalCount", {7.5, -1, 2, 0.5}},
    {"Backwards", {9, 2, -1, 0.25}},
    {"NegativeInitialValue", {4, 0, 1.6, -1}},
    {"EqualBounds", {5, 3, 3, 2}},
    {"ZeroInitialValue", {10, 0, 1, 0}},
    {"NinetyNinePasses", {99, -3, 3, 0.1}},
};

class CourseOfAcceptedNumbers : public testing::TestWithParam<Accepted> {};

TEST_P(CourseOfAcceptedNumbers, EndsBitForBitWhereTheRunEnds) {
    const Numbers& n = GetParam().numbers;
    const calc::Course course = calc::build_course(n);
    const calc::Steps steps = calc::steps_of(n);
    ASSERT_EQ(course.rows.size(), static_cast<std::size_t>(steps.passes) + 1);
    const calc::RunEnd end = calc::rk4_run({n.ug, n.aw}, steps.h, steps.passes);
    EXPECT_EQ(bits(course.rows.back().point.x), bits(end.point.x));
    EXPECT_EQ(bits(course.rows.back().point.y), bits(end.point.y));
    EXPECT_FALSE(course.rows.back().k.has_value());
}

TEST_P(CourseOfAcceptedNumbers, EachNextRowFollowsFromTheStagesOfThePrevious) {
    const Numbers& n = GetParam().numbers;
    const calc::Course course = calc::build_course(n);
    const double h = course.steps.h;
    for (std::size_t i = 0; i + 1 < course.rows.size(); ++i) {
        const calc::CourseRow& row = course.rows[i];
        ASSERT_TRUE(row.k.has_value()) << "row " << i;
        const calc::Increments& k = *row.k;
        const double y = row.point.y + (1.0 / 6.0) * (((k[0] + 2 * k[1]) + 2 * k[2]) + k[3]);
        EXPECT_EQ(bits(course.rows[i + 1].point.y), bits(y)) << "row " << i + 1;
        EXPECT_EQ(bits(course.rows[i + 1].point.x), bits(row.point.x + h)) << "row " << i + 1;
        EXPECT_EQ(row.index, static_cast<int>(i));
    }
}

TEST_P(CourseOfAcceptedNumbers, CsvCellsReadBackToTheTableInEveryLocale) {
    const calc::Course course = calc::build_course(GetParam().numbers);
    for (const calc::NumberLocale& locale :
         {test_locales::german, test_locales::english, test_locales::french, test_locales::swiss}) {
        const char separator = locale.decimal_separator == "," ? ';' : ',';
        const std::string csv = calc::course_csv(course, locale);
        ASSERT_TRUE(csv.ends_with('\n'));
        std::vector<std::string> lines = split(csv.substr(0, csv.size() - 1), '\n');
        ASSERT_EQ(lines.size(), course.rows.size() + 1);
        EXPECT_EQ(split(lines[0], separator),
                  std::vector<std::string>(std::begin(calc::course_columns),
                                           std::end(calc::course_columns)));
        for (std::size_t r = 0; r < course.rows.size(); ++r) {
            const std::vector<std::string> cells = split(lines[r + 1], separator);
            const std::vector<std::string> table =
                calc::course_cells(course, course.rows[r], locale);
            ASSERT_EQ(cells.size(), table.size()) << lines[r + 1];
            for (std::size_t c = 1; c < cells.size(); ++c) {
                if (table[c].empty() || table[c] == calc::no_value) {
                    EXPECT_EQ(cells[c], "") << "row " << r << " column " << c;
                    continue;
                }
                const auto read = calc::read_number(cells[c], locale);
                ASSERT_TRUE(read.has_value()) << cells[c];
                EXPECT_EQ(bits(*read), bits(*calc::read_number(table[c], locale)));
                EXPECT_EQ(cells[c].find_first_of("iInN"), std::string::npos) << cells[c];
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Course, CourseOfAcceptedNumbers, testing::ValuesIn(accepted), CaseName{});

TEST(CourseExactSolution, MeetsKnownValues) {
    const calc::Course course = calc::build_course({4, 0, 1, 1});
    EXPECT_EQ(bits(*course.rows.back().exact), bits(2.0 / 3.0));
    for (const calc::CourseRow& row : calc::build_course({10, 0, 1, 0}).rows) {
        EXPECT_EQ(*row.exact, 0.0);
        EXPECT_EQ(*row.error, 0.0);
    }
    EXPECT_EQ(calc::exact_solution(0, 1, 0.1), 1 / (1 + 0.01 / 2));
}

struct PoleCase {
    const char* name;
    Numbers numbers;
    double pole;
};

class CourseAcrossAPole : public testing::TestWithParam<PoleCase> {};

TEST_P(CourseAcrossAPole, HasNoExactValueFromThePoleOn) {
    const PoleCase& c = GetParam();
    const calc::Course course = calc::build_course(c.numbers);
    ASSERT_TRUE(course.pole.has_value());
    EXPECT_DOUBLE_EQ(*course.pole, c.pole);
    const double direction = course.steps.h > 0 ? 1 : -1;
    for (const calc::CourseRow& row : course.rows) {
        const bool before_pole = (row.point.x - c.pole) * direction < 0;
        EXPECT_EQ(row.exact.has_value(), before_pole) << "x = " << row.point.x;
        EXPECT_EQ(row.error.has_value(), before_pole) << "x = " << row.point.x;
    }
    EXPECT_FALSE(course.order.has_value());
    for (const calc::Point& sample : course.exact_samples) {
        EXPECT_LT((sample.x - c.pole) * direction, 0);
        EXPECT_TRUE(std::isfinite(sample.y));
    }
}

const PoleCase poles[] = {
    {"NegativeInitialValueGoingOutward", {4, 0, 1.6, -1}, std::sqrt(2.0)},
    {"Backwards", {4, 0, -1.6, -1}, -std::sqrt(2.0)},
    // D(0.75) > 0, yet the path crossed the pole at -0.5 on its way through 0.
    {"LargeInitialValueCrossingZero", {4, -1.5, 1.5, 1}, -0.5},
    {"FirstOfTwoPoles", {3, -2, 1, 1}, -std::sqrt(2.0)},
};
INSTANTIATE_TEST_SUITE_P(Course, CourseAcrossAPole, testing::ValuesIn(poles), CaseName{});

TEST(CourseWithoutPole, ReachesEveryRowAndSamplesTheWholePath) {
    const calc::Course course = calc::build_course({10, 0, 1, 1});
    EXPECT_FALSE(course.pole.has_value());
    ASSERT_GE(course.exact_samples.size(), 200u);
    EXPECT_EQ(course.exact_samples.front().x, 0.0);
    EXPECT_EQ(course.exact_samples.back().x, course.rows.back().point.x);
    EXPECT_TRUE(calc::pole_text(course, test_locales::german).empty());
}

TEST(CourseObservedOrder, ApproachesFourAsTheStepShrinks) {
    double previous = 0;
    for (const double count : {10.0, 20.0, 40.0, 80.0}) {
        const calc::Course course = calc::build_course({count, 0, 1, 1});
        ASSERT_TRUE(course.order.has_value()) << count;
        EXPECT_GT(*course.order, 3.9) << count;
        EXPECT_LT(*course.order, 5.0) << count;
        if (previous != 0) {
            EXPECT_LT(std::fabs(*course.order - 4), std::fabs(previous - 4)) << count;
        }
        previous = *course.order;
    }
}

TEST(CourseObservedOrder, IsMissingWithoutAPassOrWithoutAnError) {
    EXPECT_FALSE(calc::build_course({5, 3, 3, 2}).order.has_value());
    EXPECT_FALSE(calc::build_course({10, 0, 1, 0}).order.has_value());
}

struct TextCase {
    const char* name;
    Numbers numbers;
    calc::NumberLocale locale;
    std::string heading, order, pole;
};

class CourseTexts : public testing::TestWithParam<TextCase> {};

TEST_P(CourseTexts, StateTheProblemTheOrderAndThePole) {
    const TextCase& c = GetParam();
    const calc::Course course = calc::build_course(c.numbers);
    EXPECT_EQ(calc::course_heading(course, c.locale), c.heading);
    EXPECT_EQ(calc::order_text(course, c.locale), c.order);
    EXPECT_EQ(calc::pole_text(course, c.locale), c.pole);
}

const TextCase texts[] = {
    {"GermanTenSteps",
     {10, 0, 1, 1},
     test_locales::german,
     "y' = -x\u00b7y\u00b2, y(0) = 1, 10 Schritte mit h = 0,1 von x = 0 bis x = 1, "
     "Runge-Kutta-4. Ord.",
     "Beobachtete Ordnung p = 4,78",
     ""},
    {"OnePassFractionalCount",
     {1.5, 0, 1, 1},
     test_locales::english,
     "y' = -x\u00b7y\u00b2, y(0) = 1, 1 Schritt mit h = 0.666666666666667 von x = 0 bis "
     "x = 0.666666666666667, Runge-Kutta-4. Ord.",
     "Beobachtete Ordnung p = 4.86",
     ""},
    {"PoleWithTypographicMinus",
     {4, 0, -1.6, -1},
     test_locales::typographic_minus,
     "y' = -x\u00b7y\u00b2, y(0) = \u22121, 4 Schritte mit h = \u22120,4 von x = 0 bis "
     "x = \u22121,6, Runge-Kutta-4. Ord.",
     "Beobachtete Ordnung p = \u2013",
     "Die exakte L\u00f6sung hat bei x = \u22121,4142135623731 eine Polstelle."},
};
INSTANTIATE_TEST_SUITE_P(Course, CourseTexts, testing::ValuesIn(texts), CaseName{});

struct FixedCase {
    const char* name;
    double value;
    std::string text;
};

class FormatFixed : public testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixed, WritesTwoDecimalsInTheLocale) {
    EXPECT_EQ(calc::format_fixed(GetParam().value, 2, test_locales::typographic_minus),
              GetParam().text);
}

const FixedCase fixed[] = {
    {"RoundsToNearest", 4.7849, "4,78"},
    {"NegativeKeepsItsSign", -0.125, "\u22120,12"},
    {"NoMinusOnARoundedZero", -0.001, "0,00"},
    {"NoGrouping", 12345.678, "12345,68"},
};
INSTANTIATE_TEST_SUITE_P(Course, FormatFixed, testing::ValuesIn(fixed), CaseName{});

} // namespace
