// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/course.h"
#include "calc/core/methods.h"
#include "calc/problem/equation.h"
#include "calc/problem/exact_solution.h"
#include "calc/text/warnings.h"

#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <latch>
#include <string>
#include <thread>
#include <variant>
#include <vector>

namespace {

using named_case::PrintTo;

struct RefusedCase {
    const char* name;
    std::string typed;
    calc::NumberLocale locale;
    std::string warning;
    // How often `typed` stands in the text: a paste of megabytes is made by the test itself, as
    // a parameter is copied each time the tests are listed.
    std::size_t times = 1;
};

class RefusedEquation : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedEquation, GetsAReasonAndThePosition) {
    const RefusedCase& c = GetParam();
    std::string typed;
    typed.reserve(c.typed.size() * c.times);
    for (std::size_t i = 0; i < c.times; ++i) {
        typed += c.typed;
    }
    const auto parsed = calc::Equation::parse(typed, c.locale);
    const auto* error = std::get_if<calc::ParseError>(&parsed);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(calc::formula_warning::equation(*error), c.warning);
}

const std::string faulty = "Die Differentialgleichung ist fehlerhaft: ";
const auto& de = test_locales::german;
const auto& en = test_locales::english;

const RefusedCase refused[] = {
    {"Empty", "", de, faulty + "leer (Zeichen 1)."},
    {"OnlySpaces", "   ", de, faulty + "leer (Zeichen 1)."},
    {"TooLong", std::string(1001, 'x'), de, faulty + "zu lang (Zeichen 1001)."},
    {"HugePaste", "(", de, faulty + "zu lang (Zeichen 1001).", 10'000'000},
    {"UnknownName", "x+z", de, faulty + "unbekannter Name \u201ez\u201c (Zeichen 3)."},
    {"OtherLibraryFunction", "log(x)", de,
     faulty + "unbekannter Name \u201elog\u201c (Zeichen 1)."},
    {"OtherLibraryConstant", "_pi*y", de, faulty + "unbekannter Name \u201e_pi\u201c (Zeichen 1)."},
    {"Comparison", "x<y", de, faulty + "unerwartetes Zeichen \u201e<\u201c (Zeichen 2)."},
    {"Conditional", "x?1:2", en, faulty + "unerwartetes Zeichen \u201e?\u201c (Zeichen 2)."},
    {"String", "\"y\"", en, faulty + "unerwartetes Zeichen \u201e\"\u201c (Zeichen 1)."},
    {"Hash", "y#", en, faulty + "unerwartetes Zeichen \u201e#\u201c (Zeichen 2)."},
    {"NulByte", std::string("y\0y", 3), de, faulty + "unerwartetes Steuerzeichen (Zeichen 2)."},
    {"InvalidUtf8", "\xC3(y", de, faulty + "ung\u00fcltige Zeichenkodierung (Zeichen 1)."},
    {"PositionCountsCharacters", "\u00e4\u00f6+\u00df", de,
     faulty + "unerwartetes Zeichen \u201e\u00e4\u201c (Zeichen 1)."},
    {"CommaUnderGerman", "x,5", de, faulty + "unerwartetes Zeichen \u201e,\u201c (Zeichen 2)."},
    {"SeparatorOutsideAFunction", "x,5", en,
     faulty + "Trennzeichen au\u00dferhalb einer Funktion (Zeichen 2)."},
    {"PointUnderGerman", "0.5*y", de, faulty + "unerwartetes Zeichen \u201e.\u201c (Zeichen 2)."},
    {"MissingParenthesis", "sin(x", de, faulty + "fehlende Klammer (Zeichen 6)."},
    {"StrayParenthesis", "x)", de, faulty + "unerwartete Klammer \u201e)\u201c (Zeichen 2)."},
    {"MissingOperand", "x+", de, faulty + "Operand fehlt (Zeichen 3)."},
    {"MissingOperator", "2 x", de, faulty + "Operator fehlt vor \u201ex\u201c (Zeichen 3)."},
    {"TooManyArguments", "sin(x;y)", de,
     faulty + "zu viele Argumente f\u00fcr \u201esin\u201c (Zeichen 8)."},
    {"TooFewArguments", "max(x)", en,
     faulty + "zu wenige Argumente f\u00fcr \u201emax\u201c (Zeichen 6)."},
};
INSTANTIATE_TEST_SUITE_P(Equation, RefusedEquation, testing::ValuesIn(refused), CaseName{});

TEST(AcceptedEquation, ReadsTheOfferedSyntax) {
    struct Row {
        const char* typed;
        calc::NumberLocale locale;
        double x, y, f;
    };
    const Row rows[] = {
        {"-y^2", de, 0, 3, -9},                // ^ binds tighter than the sign
        {"2^3^2 + 0*x*y", de, 0, 0, 512},      // ^ is right-associative
        {"min(x; y) + max(x;y)", de, 1, 2, 3}, // ';' separates under a decimal comma
        {"min(x, y)*1.5e1", en, 1, 2, 15},     // ',' elsewhere, exponents in numbers
        {"abs(sin(pi/2)) + ln(e) + log10(100)", en, 0, 0, 4},
        {"sqrt(y) * exp(0) - tanh(0) + atan(0)", de, 0, 16, 4},
    };
    for (const Row& row : rows) {
        const auto parsed = calc::Equation::parse(row.typed, row.locale);
        ASSERT_TRUE(std::holds_alternative<calc::Equation>(parsed)) << row.typed;
        EXPECT_DOUBLE_EQ(std::get<calc::Equation>(parsed)(row.x, row.y), row.f) << row.typed;
    }
}

struct KnownCase {
    const char* name;
    std::string typed;
    double ug, aw;
};

class KnownSolution : public testing::TestWithParam<KnownCase> {};

// The catalogue's solution starts at aw and solves y' = f: its central difference matches f.
TEST_P(KnownSolution, StartsAtTheInitialValueAndSolvesTheEquation) {
    const KnownCase& c = GetParam();
    const auto f = std::get<calc::Equation>(calc::Equation::parse(c.typed, de));
    const auto exact = calc::ExactSolution::of(f);
    ASSERT_TRUE(exact.has_value());
    EXPECT_DOUBLE_EQ(*exact->at(c.ug, c.aw, c.ug), c.aw);
    const double d = 1e-5;
    for (const double x : {c.ug + 0.1, c.ug + 0.3, c.ug - 0.2}) {
        const double y = *exact->at(c.ug, c.aw, x);
        const double slope =
            (*exact->at(c.ug, c.aw, x + d) - *exact->at(c.ug, c.aw, x - d)) / (2 * d);
        EXPECT_NEAR(slope, f(x, y), 1e-6 * (1 + std::fabs(slope))) << x;
    }
}

const KnownCase known[] = {
    {"MinusXYSquared", "-x*y^2", 0.5, 1}, {"Growth", "y", 1, 2},
    {"Gauss", "-2 * x * y", -0.5, 1.5},   {"Linear", "x+y", 0.25, -1},
    {"Logistic", "y*(1-y)", 0, 0.2},      {"Square", "y^2", 0, 0.5},
    {"Stiff", "-50*(y-cos(x))", 0.2, 1},
};
INSTANTIATE_TEST_SUITE_P(Equation, KnownSolution, testing::ValuesIn(known), CaseName{});

// The formula the catalogue shows for each solution is the one the program evaluates.
TEST(KnownSolution, ShownFormulaGivesTheValuesEvaluated) {
    for (const calc::KnownEquation& entry : calc::catalogue) {
        const auto f = std::get<calc::Equation>(calc::Equation::parse(entry.text, de));
        const auto evaluated = calc::ExactSolution::of(f);
        const auto shown = calc::ExactSolution::parse(entry.exact, test_locales::english);
        ASSERT_TRUE(evaluated.has_value()) << entry.text;
        ASSERT_TRUE(std::holds_alternative<calc::ExactSolution>(shown)) << entry.exact;
        for (const double x : {0.1, 0.45, 0.8}) {
            const auto expected = std::get<calc::ExactSolution>(shown).at(0.05, 0.3, x);
            const auto value = evaluated->at(0.05, 0.3, x);
            ASSERT_EQ(value.has_value(), expected.has_value()) << entry.text << " at " << x;
            if (value) {
                EXPECT_NEAR(*value, *expected, 1e-13 * (1 + std::fabs(*expected))) << entry.text;
            }
        }
    }
}

struct PoleCase {
    const char* name;
    const char* typed;
    calc::Numbers numbers;
    double pole;
    std::size_t first_dash_row;
};

class PoleOnThePath : public testing::TestWithParam<PoleCase> {};

TEST_P(PoleOnThePath, IsNamedAndEndsTheExactSolution) {
    const PoleCase& c = GetParam();
    const auto f = std::get<calc::Equation>(calc::Equation::parse(c.typed, de));
    const calc::Course course =
        calc::build_course(c.numbers, f, calc::Method::rk4, calc::ExactSolution::of(f));
    ASSERT_TRUE(course.pole.has_value());
    EXPECT_DOUBLE_EQ(*course.pole, c.pole);
    for (std::size_t row = 0; row < course.rows.size(); ++row) {
        EXPECT_EQ(course.rows[row].exact.has_value(), row < c.first_dash_row) << row;
    }
}

const PoleCase poles[] = {
    // 1 / (1 - x): the pole at x = 1 is the fifth row's x.
    {"SquareForward", "y^2", {8, 0, 2, 1}, 1, 4},
    // aw = -1: -1 / (-1 + 2 exp(-x)) has its pole at x = ln 2 = 0.693..., before row 7.
    {"LogisticBelowZero", "y*(1-y)", {10, 0, 1, -1}, std::log(2.0), 7},
    // aw = 2 going backwards: the pole lies at -ln 2.
    {"LogisticAboveOneBackwards", "y*(1-y)", {10, 0, -1, 2}, -std::log(2.0), 7},
};
INSTANTIATE_TEST_SUITE_P(Equation, PoleOnThePath, testing::ValuesIn(poles), CaseName{});

TEST(TypedExactSolution, IsReadInXUgAndAwAndWarnsOtherwise) {
    const auto exact = calc::ExactSolution::parse("aw*exp(x-ug)", de);
    ASSERT_TRUE(std::holds_alternative<calc::ExactSolution>(exact));
    EXPECT_DOUBLE_EQ(*std::get<calc::ExactSolution>(exact).at(1, 2, 1), 2);
    const auto bad = calc::ExactSolution::parse("y*x", de);
    ASSERT_TRUE(std::holds_alternative<calc::ParseError>(bad));
    EXPECT_EQ(calc::formula_warning::exact(std::get<calc::ParseError>(bad)),
              "Die exakte L\u00f6sung ist fehlerhaft: unbekannter Name \u201ey\u201c (Zeichen 1).");
}

// A moved-from equation is the default -x*y^2, whether it was moved into a new equation or
// assigned to one: it copies and evaluates as the default does.
TEST(MovedFromEquation, IsTheDefaultAndCopiesAndEvaluates) {
    for (const bool assigned : {false, true}) {
        auto typed = std::get<calc::Equation>(calc::Equation::parse("x+y", en));
        calc::Equation target;
        if (assigned) {
            target = std::move(typed);
        } else {
            calc::Equation constructed(std::move(typed));
            target = constructed;
        }
        const calc::Equation copy = typed;
        EXPECT_TRUE(typed.is_default()) << assigned;
        EXPECT_EQ(typed.text(), "-x*y^2") << assigned;
        EXPECT_EQ(typed.known(), calc::Known::minus_x_y2) << assigned;
        EXPECT_EQ(copy(2, 3), -18.0) << assigned;
        EXPECT_EQ(typed(2, 3), -18.0) << assigned;
        EXPECT_EQ(target(2, 3), 5.0) << assigned;
    }
}

// A moved-from typed exact solution copies and gives no value rather than a made-up one.
TEST(MovedFromExactSolution, CopiesAndHasNoValue) {
    auto typed = std::get<calc::ExactSolution>(calc::ExactSolution::parse("aw*exp(x-ug)", de));
    const calc::ExactSolution target = std::move(typed);
    const calc::ExactSolution copy = typed;
    EXPECT_EQ(copy.at(0, 1, 0.5), std::nullopt);
    EXPECT_EQ(typed.at(0, 1, 0.5), std::nullopt);
    EXPECT_EQ(target.at(1, 2, 1), 2.0);
}

std::uint64_t bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

// What a thread computes with an equation: the values it gives, in order.
using ThreadWork = std::vector<double> (*)(const calc::Equation& f, std::size_t thread);

struct SharedCase {
    const char* name;
    ThreadWork work;
};

// Enough evaluations that the threads overlap even on a busy machine.
std::vector<double> point_by_point(const calc::Equation& f, std::size_t thread) {
    std::vector<double> values;
    for (std::size_t i = 0; i < 1'000'000; ++i) {
        values.push_back(
            f(double(thread) + double(i) * 1e-3, 1 + double(thread) + double(i) * 1e-4));
    }
    return values;
}

std::vector<double> run_by_run(const calc::Equation& f, std::size_t thread) {
    std::vector<double> values;
    for (int run = 0; run < 50; ++run) {
        const calc::RunEnd end = calc::run_passes(calc::Method::rk4, f,
                                                  {0, 1 + double(thread) + run * 1e-2}, 1e-4, 5000);
        values.push_back(end.point.y);
    }
    return values;
}

class SharedEquation : public testing::TestWithParam<SharedCase> {};

// One typed equation used from two threads at once through a const reference: each thread gets
// the values of its own arguments, bit for bit as a private copy gives them on one thread.
TEST_P(SharedEquation, GivesEachThreadTheValuesOfItsOwnArguments) {
    const ThreadWork work = GetParam().work;
    const calc::Equation f = std::get<calc::Equation>(calc::Equation::parse("sin(x)*y + x/y", en));
    constexpr std::size_t threads = 2;
    std::vector<std::vector<double>> expected;
    const calc::Equation own = f;
    for (std::size_t t = 0; t < threads; ++t) {
        expected.push_back(work(own, t));
    }
    std::vector<std::vector<double>> got(threads);
    std::latch start(threads);
    std::vector<std::thread> workers;
    for (std::size_t t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            start.arrive_and_wait();
            got[t] = work(f, t);
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    for (std::size_t t = 0; t < threads; ++t) {
        ASSERT_EQ(got[t].size(), expected[t].size());
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < got[t].size(); ++i) {
            if (bits(got[t][i]) != bits(expected[t][i])) {
                ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0u) << "thread " << t;
    }
}

const SharedCase shared_cases[] = {
    {"PointByPoint", point_by_point},
    {"RunByRun", run_by_run},
};
INSTANTIATE_TEST_SUITE_P(Equation, SharedEquation, testing::ValuesIn(shared_cases), CaseName{});

} // namespace
