// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/problem/expression.h"

#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace {

using named_case::PrintTo;

calc::Expression expression(const char* text, std::vector<std::string> names) {
    auto parsed = calc::Expression::parse(text, std::move(names), test_locales::english);
    EXPECT_TRUE(std::holds_alternative<calc::Expression>(parsed)) << text;
    return std::get<calc::Expression>(std::move(parsed));
}

struct NamesCase {
    const char* name;
    const char* text;
    std::vector<std::string> names;
    std::vector<double> values;
    double expected;
};

class ExpressionOfNames : public testing::TestWithParam<NamesCase> {};

// Each name reads its own value, however many names there are: the digits of the result are
// the values in the order of the names.
TEST_P(ExpressionOfNames, ReadsEachNamesOwnValue) {
    const NamesCase& c = GetParam();
    calc::Expression e = expression(c.text, c.names);
    EXPECT_EQ(e.evaluate(c.values), c.expected);
    // A second evaluation with other values reads those.
    std::vector<double> twice(c.values);
    for (double& v : twice) {
        v *= 2;
    }
    EXPECT_EQ(e.evaluate(twice), 2 * c.expected);
}

const NamesCase names_cases[] = {
    {"OneName", "x", {"x"}, {4}, 4},
    {"TwoNames", "10*x + y", {"x", "y"}, {4, 3}, 43},
    {"ThreeNames", "100*x + 10*ug + aw", {"x", "ug", "aw"}, {4, 3, 2}, 432},
    {"FourNames", "1000*x + 100*y1 + 10*y2 + y3", {"x", "y1", "y2", "y3"}, {4, 3, 2, 1}, 4321},
    {"FiveNames",
     "10000*x + 1000*y1 + 100*y2 + 10*y3 + y4",
     {"x", "y1", "y2", "y3", "y4"},
     {5, 4, 3, 2, 1},
     54321},
    {"FifthNameAlone", "y4", {"x", "y1", "y2", "y3", "y4"}, {0, 0, 0, 0, 7}, 7},
    {"NamesWithoutAValueAreZero", "x + 10*y", {"x", "y"}, {4}, 4},
    {"ValuesBeyondTheNamesAreLeftOut", "x", {"x"}, {4, 3, 2, 1}, 4},
};
INSTANTIATE_TEST_SUITE_P(Expression, ExpressionOfNames, testing::ValuesIn(names_cases), CaseName{});

} // namespace
