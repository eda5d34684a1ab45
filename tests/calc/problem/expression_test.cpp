// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/problem/expression.h"

#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <span>
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

namespace {

// --- Several formulas read as one set ----------------------------------------------------------

calc::FormulaSet formula_set(std::vector<std::string> texts, std::vector<std::string> names,
                             calc::NameSpelling spelling = calc::NameSpelling::plain) {
    auto parsed = calc::FormulaSet::parse(texts, std::move(names), test_locales::english, spelling);
    if (const auto* refusal = std::get_if<calc::FormulaSet::Refusal>(&parsed)) {
        ADD_FAILURE() << "formula " << refusal->formula << ": " << refusal->error.reason;
        return std::get<calc::FormulaSet>(calc::FormulaSet::parse({}, {}, test_locales::english));
    }
    return std::get<calc::FormulaSet>(std::move(parsed));
}

// One evaluation writes the names' values once and gives each formula's value.
TEST(FormulaSet, GivesEveryFormulasValueFromOneBlock) {
    const calc::FormulaSet set =
        formula_set({"x + y1", "y1*y2", "y2 - x", "min(x, y2)"}, {"x", "y1", "y2"});
    ASSERT_EQ(set.size(), 4u);
    const double values[] = {1, 2, 3};
    double out[4] = {};
    set.evaluate(values, out);
    EXPECT_EQ(out[0], 3);
    EXPECT_EQ(out[1], 6);
    EXPECT_EQ(out[2], 2);
    EXPECT_EQ(out[3], 1);
    // Fewer places than formulas: the first ones; more: NaN beyond the formulas.
    double two[2] = {};
    set.evaluate(values, two);
    EXPECT_EQ(two[1], 6);
    double six[6] = {};
    set.evaluate(std::span<const double>(values, 1), six);
    EXPECT_EQ(six[0], 1);
    EXPECT_EQ(six[1], 0) << "names beyond the values are 0";
    EXPECT_TRUE(std::isnan(six[4]) && std::isnan(six[5]));
}

TEST(FormulaSet, CopiesAndMovesKeepTheirOwnBlock) {
    std::optional<calc::FormulaSet> original =
        formula_set({"y'", "2*y"}, {"y", "y'"}, calc::NameSpelling::with_apostrophe);
    const calc::FormulaSet copy = *original;
    calc::FormulaSet moved = std::move(*original);
    double out[2] = {};
    original->evaluate(std::vector<double>{1, 2}, out);
    EXPECT_TRUE(std::isnan(out[0]) && std::isnan(out[1])) << "a moved-from set has no formulas";
    original.reset();
    copy.evaluate(std::vector<double>{5, 7}, out);
    EXPECT_EQ(out[0], 7);
    EXPECT_EQ(out[1], 10);
    moved.evaluate(std::vector<double>{1, 2}, out);
    EXPECT_EQ(out[0], 2);
    EXPECT_EQ(out[1], 2);
}

struct RefusalCase {
    const char* name;
    const char* bad; // read between two good formulas
};

class FormulaSetRefusal : public testing::TestWithParam<RefusalCase> {};

// A formula refused in a set is refused as the reader refuses it alone, with the same reason and
// character, and the set names it.
TEST_P(FormulaSetRefusal, NamesTheFormulaWithItsOwnReasonAndCharacter) {
    const char* bad = GetParam().bad;
    const auto alone = calc::Expression::parse(bad, {"x", "y"}, test_locales::english);
    ASSERT_TRUE(std::holds_alternative<calc::ParseError>(alone));
    const auto set = calc::FormulaSet::parse({"x", bad, "y"}, {"x", "y"}, test_locales::english);
    ASSERT_TRUE(std::holds_alternative<calc::FormulaSet::Refusal>(set));
    const auto& refusal = std::get<calc::FormulaSet::Refusal>(set);
    EXPECT_EQ(refusal.formula, 1u);
    EXPECT_EQ(refusal.error.reason, std::get<calc::ParseError>(alone).reason);
    EXPECT_EQ(refusal.error.position, std::get<calc::ParseError>(alone).position);
}

const std::string too_long(calc::formula_length_limit + 1, 'x');

const RefusalCase refusals[] = {
    {"MissingOperand", "x+"},
    {"OpenParenthesis", "(x"},
    {"OpenParenthesisClosedByTheNextFormula", "min(x"},
    {"CloseParenthesis", "x)"},
    {"SeparatorOutsideAFunction", "x, y"},
    {"TooFewArguments", "min(x)"},
    {"TooManyArguments", "min(x, y, x)"},
    {"UnknownName", "z"},
    {"FunctionWithoutCall", "sin"},
    {"Blank", "  "},
    {"Apostrophe", "y'"},
    {"UnexpectedCharacter", "x \u20ac"},
    {"TooLong", too_long.c_str()},
};
INSTANTIATE_TEST_SUITE_P(FormulaSet, FormulaSetRefusal, testing::ValuesIn(refusals), CaseName{});

// An apostrophe is a name's character only where asked: the scalar reader keeps refusing it as
// an unexpected character, and the set reads "y'" as the name it is.
TEST(FormulaSet, TakesTheApostropheInNamesOnlyWhereAsked) {
    const auto plain = calc::FormulaSet::parse({"y'"}, {"y", "y'"}, test_locales::english);
    ASSERT_TRUE(std::holds_alternative<calc::FormulaSet::Refusal>(plain));
    EXPECT_EQ(std::get<calc::FormulaSet::Refusal>(plain).error.reason,
              "unerwartetes Zeichen \u201e'\u201c");
    const calc::FormulaSet primed =
        formula_set({"y' + 10*y"}, {"y", "y'"}, calc::NameSpelling::with_apostrophe);
    double out = 0;
    primed.evaluate(std::vector<double>{1, 2}, std::span<double>(&out, 1));
    EXPECT_EQ(out, 12);
}

} // namespace
