// SPDX-License-Identifier: GPL-3.0-or-later
// The calculate commands with a pair: the tolerance in the count's place, the line at og, the
// totals in the tooltip, and the warnings of a control that gives up.
#include "calc/calculate.h"
#include "calc/system_calculate.h"

#include "tests/named_case.h"
#include "tests/system_task.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <optional>
#include <string>

namespace {

using named_case::PrintTo;

using calc::Entry;
using calc::Pair;
using namespace test_locales;

calc::Task pairTask(Pair pair, std::string tolerance,
                    calc::EntryTexts entries = {"", "0", "1", "1"},
                    std::string equation = "-x*y^2") {
    calc::Task task(std::move(entries), std::move(equation));
    task.choose(pair);
    task.tolerance = std::move(tolerance);
    return task;
}

struct ToleranceCase {
    const char* name;
    std::string tolerance;
    const calc::NumberLocale* locale;
    std::optional<std::string> warning; // none: accepted
};

class ToleranceEntry : public testing::TestWithParam<ToleranceCase> {};

const std::string out_of_range_de = "Bitte eine Toleranz zwischen 1E-13 und 0,1 eingeben!";
const std::string not_a_number = "Bitte eine Zahl für Toleranz eingeben!";

TEST_P(ToleranceEntry, IsCheckedInTheCountsPlace) {
    const ToleranceCase& c = GetParam();
    // The count's text is not read while a pair is chosen: it would be refused.
    const calc::Outcome outcome =
        calc::calculate(pairTask(Pair::dopri5, c.tolerance, {"abc", "0", "1", "1"}), *c.locale);
    if (!c.warning) {
        ASSERT_TRUE(std::holds_alternative<calc::ResultLine>(outcome))
            << std::get<calc::Warning>(outcome).text;
        return;
    }
    const auto* warning = std::get_if<calc::Warning>(&outcome);
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(warning->text, *c.warning);
    EXPECT_EQ(warning->entry, Entry::anzschr);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, ToleranceEntry,
    testing::Values(
        ToleranceCase{"empty", "", &german, "Bitte Toleranz eingeben!"},
        ToleranceCase{"text", "klein", &german, not_a_number},
        ToleranceCase{"nan", "NaN", &german, not_a_number},
        ToleranceCase{"zero", "0", &german, out_of_range_de},
        ToleranceCase{"negative", "-1E-6", &german, out_of_range_de},
        ToleranceCase{"below_the_least", "1E-20", &german, out_of_range_de},
        ToleranceCase{"one", "1", &german, out_of_range_de},
        // The number reader refuses a number beyond the doubles, as in every other field.
        ToleranceCase{"beyond_the_doubles", "1E400", &german, not_a_number},
        ToleranceCase{"english_bounds", "1", &english,
                      "Bitte eine Toleranz zwischen 1E-13 und 0.1 eingeben!"},
        ToleranceCase{"least_allowed", "1E-13", &german, std::nullopt},
        ToleranceCase{"greatest_allowed", "0,1", &german, std::nullopt},
        ToleranceCase{"greatest_allowed_english", "0.1", &english, std::nullopt},
        ToleranceCase{"start_text", "1E-6", &german, std::nullopt}),
    CaseName{});

TEST(AdaptiveLine, DormandPrinceOnTheDefaultEndsAtOgWithItsTotals) {
    const calc::Outcome outcome = calc::calculate(pairTask(Pair::dopri5, "1E-6"), german);
    const auto& line = std::get<calc::ResultLine>(outcome);
    EXPECT_EQ(calc::line_tooltip(line), "y' = -x*y^2, Dormand-Prince 5(4), adaptiv, Toleranz "
                                        "1E-06: 9 Schritte, 1 verworfen, 62 Auswertungen von f");
    ASSERT_TRUE(line.adaptive);
    EXPECT_EQ(line.adaptive->tolerance, 1e-6);
    EXPECT_EQ(line.text.rfind("x-Wert   01,0   y-Wert   0,66666", 0), 0u) << line.text;
}

struct PairCase {
    const char* name;
    Pair pair;
};

class PairLine : public testing::TestWithParam<PairCase> {};

// y' = -x*y^2, y(0) = 1 has y = 2/(x^2 + 2): every pair lands on og = 2 within its tolerance.
TEST_P(PairLine, MeetsTheToleranceAtOg) {
    const calc::Outcome outcome =
        calc::calculate(pairTask(GetParam().pair, "1E-8", {"", "0", "2", "1"}), english);
    const auto& line = std::get<calc::ResultLine>(outcome);
    const std::string y = line.text.substr(line.text.rfind(' ') + 1);
    EXPECT_EQ(line.text.rfind("x-Wert   02.0", 0), 0u) << line.text;
    EXPECT_NEAR(std::stod(y), 2.0 / 6.0, 1e-6) << line.text;
    EXPECT_GT(line.adaptive->totals.accepted, 0u);
}

INSTANTIATE_TEST_SUITE_P(Pairs, PairLine,
                         testing::Values(PairCase{"bs23", Pair::bs23},
                                         PairCase{"rkf45", Pair::rkf45},
                                         PairCase{"dopri5", Pair::dopri5}),
                         CaseName{});

struct StopCase {
    const char* name;
    calc::Task task;
    std::string warning;
};

class AdaptiveStops : public testing::TestWithParam<StopCase> {};

// A control that cannot go on warns, without a line, and soon.
TEST_P(AdaptiveStops, WarnWithoutALine) {
    const auto start = std::chrono::steady_clock::now();
    const calc::Outcome outcome = calc::calculate(GetParam().task, german);
    const auto* warning = std::get_if<calc::Warning>(&outcome);
    ASSERT_NE(warning, nullptr) << std::get<calc::ResultLine>(outcome).text;
    EXPECT_EQ(warning->text.substr(0, GetParam().warning.size()), GetParam().warning);
    // Generous: the point is that it ends at all, not how fast.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

INSTANTIATE_TEST_SUITE_P(
    Stops, AdaptiveStops,
    testing::Values(
        StopCase{"pole_bs23", pairTask(Pair::bs23, "1E-6", {"", "0", "1", "1"}, "1/(x-0,5)"),
                 "Die Schrittweite wird bei x = 0,49999"},
        StopCase{"pole_rkf45", pairTask(Pair::rkf45, "1E-6", {"", "0", "1", "1"}, "1/(x-0,5)"),
                 "Die Schrittweite wird bei x = 0,49999"},
        StopCase{"pole_dopri5", pairTask(Pair::dopri5, "1E-6", {"", "0", "1", "1"}, "1/(x-0,5)"),
                 "Die Schrittweite wird bei x = 0,49999"},
        StopCase{"hundred_thousand_attempts",
                 pairTask(Pair::bs23, "1E-13", {"", "0", "1000", "0"}, "-1000*(y-sin(x))"),
                 "Die Schrittweitensteuerung braucht mehr als 100000 Versuche."},
        StopCase{"overflow", pairTask(Pair::dopri5, "1E-6", {"", "0", "1", "1"}, "1E308*(y+1)"),
                 "Überlauf bei der Berechnung!"},
        StopCase{"undefined", pairTask(Pair::dopri5, "1E-6", {"", "0", "2", "1"}, "ln(1-x)"),
                 "Die Differentialgleichung ist bei x = "}),
    CaseName{});

TEST(AdaptiveSystemLine, TheOscillatorWithEveryPairKeepsItsForm) {
    calc::SystemTask task =
        taskOf(calc::SystemForm::first_order, {"y2", "-y1"}, {"1", "0"}, "0", "1", "");
    task.pair = Pair::bs23;
    task.tolerance = std::string("1E-7");
    const calc::SystemOutcome outcome = calc::calculate_system(task, german);
    const auto& line = std::get<calc::SystemLine>(outcome);
    ASSERT_TRUE(line.adaptive);
    const calc::AdaptiveTotals totals = line.adaptive->totals;
    EXPECT_EQ(calc::system_tooltip(line),
              "y1' = y2, y2' = -y1, Bogacki-Shampine 3(2), adaptiv, Toleranz 1E-07: " +
                  std::to_string(totals.accepted) + " Schritte, " +
                  std::to_string(totals.rejected) + " verworfen, " +
                  std::to_string(totals.evaluations) + " Auswertungen von f");
    // FSAL: three new evaluations an attempt, two for the first step, one for the first stage.
    EXPECT_EQ(totals.evaluations, 2 + 3 * (totals.accepted + totals.rejected));
    EXPECT_EQ(line.text.rfind("x-Wert   01,0   y-Wert   (0,54030", 0), 0u) << line.text;
}

TEST(AdaptiveSystemLine, RefusesATolerancePastTheBoundInTheCountsField) {
    calc::SystemTask task =
        taskOf(calc::SystemForm::first_order, {"y2", "-y1"}, {"1", "0"}, "0", "1", "abc");
    task.pair = Pair::rkf45;
    task.tolerance = std::string("0,5");
    const calc::SystemOutcome outcome = calc::calculate_system(task, german);
    const auto& warning = std::get<calc::SystemWarning>(outcome);
    EXPECT_EQ(warning.text, out_of_range_de);
    EXPECT_EQ(warning.field, calc::SystemField::count);
}

} // namespace
