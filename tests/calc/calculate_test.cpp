// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calculate.h"

#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using named_case::PrintTo;

using calc::Entry;
using calc::EntryTexts;
using namespace test_locales;

struct WarningCase {
    const char* name;
    EntryTexts entries;
    std::string text;
    std::optional<Entry> entry;
};

class CalculateWarns : public testing::TestWithParam<WarningCase> {};

TEST_P(CalculateWarns, WithTheFirstFailedCheckOnly) {
    const WarningCase& c = GetParam();
    const calc::Outcome outcome = calc::calculate(c.entries, german);
    const auto* warning = std::get_if<calc::Warning>(&outcome);
    ASSERT_NE(warning, nullptr) << std::get<calc::ResultLine>(outcome).text;
    EXPECT_EQ(warning->text, c.text);
    EXPECT_EQ(warning->entry, c.entry);
}

const std::string missing = "Bitte Anzahl eingeben!";
const std::string too_many = "Bitte Anzahl < 100 eingeben!";
const std::string not_positive = "Bitte Anzahl > 0 eingeben!";
const std::string overflow = "Überlauf bei der Berechnung!";

// Fields in the order anzschr, ug, og, aw.
INSTANTIATE_TEST_SUITE_P(
    Checks, CalculateWarns,
    testing::Values(
        WarningCase{"count_empty", {"", "0", "1", "1"}, missing, Entry::anzschr},
        WarningCase{"count_and_lower_bound_empty", {"", "", "1", "1"}, missing, Entry::anzschr},
        WarningCase{"count_of_blanks_is_not_a_number",
                    {" ", "0", "1", "1"},
                    "Bitte eine Zahl für Schrittanzahl eingeben!",
                    Entry::anzschr},
        WarningCase{"count_of_hundred", {"100", "0", "1", "1"}, too_many, Entry::anzschr},
        WarningCase{"count_of_hundred_fifty", {"150", "0", "1", "1"}, too_many, Entry::anzschr},
        WarningCase{
            "count_limit_before_empty_bound", {"150", "", "1", "1"}, too_many, Entry::anzschr},
        WarningCase{"count_just_below_hundred_rounds_to_hundred",
                    {"99,99999999999999999", "0", "1", "1"},
                    too_many,
                    Entry::anzschr},
        WarningCase{"count_of_zero", {"0", "0", "1", "1"}, not_positive, Entry::anzschr},
        WarningCase{"start_up_entries", {"0", "0", "0", "0"}, not_positive, Entry::anzschr},
        WarningCase{"negative_count", {"-5", "0", "1", "1"}, not_positive, Entry::anzschr},
        WarningCase{"lower_bound_empty", {"10", "", "1", "1"}, missing, Entry::ug},
        WarningCase{"lower_bound_not_a_number",
                    {"10", "abc", "1", "1"},
                    "Bitte eine Zahl für Untere Grenze eingeben!",
                    Entry::ug},
        WarningCase{"upper_and_initial_empty", {"10", "0", "", ""}, missing, Entry::og},
        WarningCase{"upper_bound_typed_with_point_by_habit",
                    {"10", "0", "1.5", "1"},
                    "Bitte eine Zahl für Obere Grenze eingeben!",
                    Entry::og},
        WarningCase{"initial_value_empty", {"10", "0", "1", ""}, missing, Entry::aw},
        WarningCase{"initial_value_not_a_number",
                    {"10", "0", "1", "1E400"},
                    "Bitte eine Zahl für Anfangswert eingeben!",
                    Entry::aw},
        WarningCase{"pole_inside_the_interval", {"50", "0", "2", "-1"}, overflow, std::nullopt},
        WarningCase{"difference_of_bounds_overflows",
                    {"10", "-1E308", "1E308", "1"},
                    overflow,
                    std::nullopt},
        WarningCase{"huge_initial_value", {"10", "0", "1", "1E200"}, overflow, std::nullopt}),
    CaseName{});

struct LineCase {
    const char* name;
    EntryTexts entries;
    calc::NumberLocale locale;
    std::string line;
};

class CalculateLine : public testing::TestWithParam<LineCase> {};

TEST_P(CalculateLine, ShowsTheReachedAbscissaBesideItsOrdinate) {
    const LineCase& c = GetParam();
    const calc::Outcome outcome = calc::calculate(c.entries, c.locale);
    const auto* line = std::get_if<calc::ResultLine>(&outcome);
    ASSERT_NE(line, nullptr) << std::get<calc::Warning>(outcome).text;
    EXPECT_EQ(line->text, c.line);
}

INSTANTIATE_TEST_SUITE_P(Lines, CalculateLine,
                         testing::Values(LineCase{"ten_steps_end_at_one_not_beyond",
                                                  {"10", "0", "1", "1"},
                                                  english,
                                                  "x-Wert   01.0   y-Wert   0.666666613089039"},
                                         LineCase{"twenty_steps_end_at_one",
                                                  {"20", "0", "1", "1"},
                                                  english,
                                                  "x-Wert   01.0   y-Wert   0.666666664712929"},
                                         LineCase{"german_separators",
                                                  {"10", "0", "1", "1"},
                                                  german,
                                                  "x-Wert   01,0   y-Wert   0,666666613089039"},
                                         LineCase{"fractional_count_makes_whole_part_of_passes",
                                                  {"2.5", "0", "1", "1"},
                                                  english,
                                                  "x-Wert   00.8   y-Wert   0.757483790179311"},
                                         LineCase{"count_just_below_hundred_passes",
                                                  {"99,5", "0", "1", "1"},
                                                  german,
                                                  "x-Wert   01,0   y-Wert   0,668901913752549"},
                                         LineCase{"count_below_one_makes_no_pass",
                                                  {"0,5", "2", "3", "4"},
                                                  german,
                                                  "x-Wert   02,0   y-Wert   4"},
                                         LineCase{"equal_bounds_show_the_start",
                                                  {"10", "1", "1", "5"},
                                                  german,
                                                  "x-Wert   01,0   y-Wert   5"},
                                         LineCase{"upper_bound_below_lower_runs_backwards",
                                                  {"10", "1", "0", "1"},
                                                  german,
                                                  "x-Wert   00,0   y-Wert   1,99999407635186"},
                                         LineCase{"grouped_and_exponent_entries",
                                                  {"1,0E1", "999", "1.000", "0,001"},
                                                  german,
                                                  "x-Wert   1000,0   y-Wert   0,00050012532866532"},
                                         LineCase{
                                             "typographic_minus_in_result",
                                             {"4", "0", "1", "\u22121"},
                                             typographic_minus,
                                             "x-Wert   01,0   y-Wert   \u22121,9994853253617"}),
                         CaseName{});

} // namespace
