// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calculate.h"

#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <variant>

namespace {

using named_case::PrintTo;

using calc::Entry;
using calc::EntryTexts;
using namespace std::string_literals;
using namespace test_locales;

// The warning an entry must get.
struct Refused {
    std::string text;
    std::optional<Entry> entry;
};

// Accepted: the outcome must be the line of these clean entries under the same locale.
struct SameAs {
    EntryTexts clean;
};

struct HostileCase {
    const char* name;
    calc::NumberLocale locale;
    EntryTexts entries;
    std::variant<Refused, SameAs> expected;
};

Refused not_a_number(Entry entry) {
    return {calc::warning_text::not_a_number(entry), entry};
}

const Refused count_not_positive{std::string(calc::warning_text::count_not_positive),
                                 Entry::anzschr};
const Refused overflow{std::string(calc::warning_text::overflow), std::nullopt};

const std::string zeros_4999(4999, '0');

const EntryTexts plain{"10", "0", "1", "1"};

void expectAsTheCase(const HostileCase& c) {
    SCOPED_TRACE(c.name);
    const calc::Outcome outcome = calc::calculate(c.entries, c.locale);
    if (const auto* refused = std::get_if<Refused>(&c.expected)) {
        const auto* warning = std::get_if<calc::Warning>(&outcome);
        ASSERT_NE(warning, nullptr) << std::get<calc::ResultLine>(outcome).text;
        EXPECT_EQ(warning->text, refused->text);
        EXPECT_EQ(warning->entry, refused->entry);
        return;
    }
    const calc::Outcome clean = calc::calculate(std::get<SameAs>(c.expected).clean, c.locale);
    const auto* clean_line = std::get_if<calc::ResultLine>(&clean);
    ASSERT_NE(clean_line, nullptr) << std::get<calc::Warning>(clean).text;
    const auto* line = std::get_if<calc::ResultLine>(&outcome);
    ASSERT_NE(line, nullptr) << std::get<calc::Warning>(outcome).text;
    EXPECT_EQ(line->text, clean_line->text);
}

class HostileEntry : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileEntry, GetsItsWarningOrTheLineOfItsCleanEquivalent) {
    expectAsTheCase(GetParam());
}

// Built when the test runs, not when the binary starts: the parameter tables are copied into
// every one of its processes.
TEST(HostileMegabyte, TextsGetTheirWarningOrTheCleanLine) {
    const std::string megabyte(std::size_t{1} << 20, '0');
    const std::string megabyte_of_blanks(std::size_t{1} << 20, ' ');
    const std::string megabyte_of_letters(std::size_t{1} << 20, 'x');
    const HostileCase cases[] = {
        HostileCase{"megabyte_number_as_count",
                    german,
                    {"1" + megabyte, "0", "1", "1"},
                    not_a_number(Entry::anzschr)},
        HostileCase{"megabyte_of_letters",
                    german,
                    {"10", megabyte_of_letters, "1", "1"},
                    not_a_number(Entry::ug)},
        HostileCase{"megabyte_of_blanks_is_not_empty",
                    german,
                    {"10", "0", megabyte_of_blanks, "1"},
                    not_a_number(Entry::og)},
        HostileCase{
            "megabyte_of_leading_zeros", german, {megabyte + "10", "0", "1", "1"}, SameAs{plain}},
        HostileCase{"megabyte_of_blanks_around_a_number",
                    german,
                    {"10", "0", "1", megabyte_of_blanks + "1" + megabyte_of_blanks},
                    SameAs{plain}},
        HostileCase{
            "megabyte_of_fraction_zeros", german, {"10", "0", "1", "1," + megabyte}, SameAs{plain}},
    };
    for (const HostileCase& c : cases) {
        expectAsTheCase(c);
    }
}

// Fields in the order anzschr, ug, og, aw; German unless the row says otherwise.
INSTANTIATE_TEST_SUITE_P(
    Entries, HostileEntry,
    testing::Values(
        // NUL bytes and broken or unusual UTF-8.
        HostileCase{
            "nul_after_count", german, {"10\0"s, "0", "1", "1"}, not_a_number(Entry::anzschr)},
        HostileCase{"nul_before_bound",
                    german,
                    {"10",
                     "\0"
                     "0"s,
                     "1", "1"},
                    not_a_number(Entry::ug)},
        HostileCase{
            "lone_nul_is_not_empty", german, {"10", "0", "\0"s, "1"}, not_a_number(Entry::og)},
        HostileCase{"invalid_byte", german, {"10", "0", "1", "\xFF"}, not_a_number(Entry::aw)},
        HostileCase{"truncated_sequence_after_digit",
                    german,
                    {"10", "1\xC3", "1", "1"},
                    not_a_number(Entry::ug)},
        HostileCase{"overlong_encoded_comma",
                    german,
                    {"1\xC0\xAC"
                     "5",
                     "0", "1", "1"},
                    not_a_number(Entry::anzschr)},
        HostileCase{"truncated_narrow_space_group",
                    french,
                    {"10",
                     "1\xE2\x80"
                     "000",
                     "1", "1"},
                    not_a_number(Entry::ug)},
        HostileCase{"truncated_typographic_minus",
                    typographic_minus,
                    {"10", "0",
                     "\xE2\x88"
                     "1",
                     "1"},
                    not_a_number(Entry::og)},
        HostileCase{"continuation_byte_of_no_break_space_alone",
                    typographic_minus,
                    {"10", "0", "1",
                     "1\xA0"
                     "000"},
                    not_a_number(Entry::aw)},
        HostileCase{"full_width_digits",
                    german,
                    {"\uFF11\uFF10", "0", "1", "1"},
                    not_a_number(Entry::anzschr)},
        HostileCase{
            "full_width_comma", german, {"10", "0", "0\uFF0C5", "1"}, not_a_number(Entry::og)},
        HostileCase{"right_to_left_mark_before",
                    german,
                    {"\u200F"
                     "10",
                     "0", "1", "1"},
                    not_a_number(Entry::anzschr)},
        HostileCase{"left_to_right_mark_after",
                    german,
                    {"10", "1\u200E", "1", "1"},
                    not_a_number(Entry::ug)},
        HostileCase{"right_to_left_override",
                    german,
                    {"10", "0",
                     "\u202E"
                     "1",
                     "1"},
                    not_a_number(Entry::og)},
        HostileCase{"no_break_space_around_where_it_is_no_group",
                    german,
                    {"10", "0", "1",
                     "\u00A0"
                     "1"},
                    not_a_number(Entry::aw)},
        // Words for special values.
        HostileCase{"nan", german, {"NaN", "0", "1", "1"}, not_a_number(Entry::anzschr)},
        HostileCase{"lower_case_nan", english, {"10", "nan", "1", "1"}, not_a_number(Entry::ug)},
        HostileCase{"inf", german, {"10", "0", "Inf", "1"}, not_a_number(Entry::og)},
        HostileCase{"negative_inf", german, {"10", "-Inf", "1", "1"}, not_a_number(Entry::ug)},
        HostileCase{"infinity", german, {"10", "0", "1", "Infinity"}, not_a_number(Entry::aw)},
        HostileCase{"signed_nan", english, {"10", "0", "1", "+NaN"}, not_a_number(Entry::aw)},
        HostileCase{"hexadecimal", english, {"0x10", "0", "1", "1"}, not_a_number(Entry::anzschr)},
        // Beyond the doubles.
        HostileCase{"exponent_400", german, {"10", "0", "1E400", "1"}, not_a_number(Entry::og)},
        HostileCase{
            "negative_exponent_400", german, {"10", "-1E400", "1", "1"}, not_a_number(Entry::ug)},
        HostileCase{"tiny_initial_value_is_zero",
                    german,
                    {"10", "0", "1", "1E-400"},
                    SameAs{{"10", "0", "1", "0"}}},
        HostileCase{"tiny_count_is_zero", german, {"1E-400", "0", "1", "1"}, count_not_positive},
        HostileCase{
            "negative_tiny_count_is_zero", german, {"-1E-400", "0", "1", "1"}, count_not_positive},
        HostileCase{"twenty_digit_exponent",
                    german,
                    {"10", "0", "1", "1E99999999999999999999"},
                    not_a_number(Entry::aw)},
        HostileCase{"twenty_digit_negative_exponent",
                    german,
                    {"10", "1E-99999999999999999999", "1", "1"},
                    SameAs{plain}},
        HostileCase{"zero_with_twenty_digit_exponent",
                    german,
                    {"10", "0E99999999999999999999", "1", "1"},
                    SameAs{plain}},
        // Mantissas of 5,000 digits.
        HostileCase{"five_thousand_digits",
                    german,
                    {"10", "0", "1", "1" + zeros_4999},
                    not_a_number(Entry::aw)},
        HostileCase{"five_thousand_digits_scaled_back",
                    german,
                    {"1" + zeros_4999 + "E-4998", "0", "1", "1"},
                    SameAs{plain}},
        HostileCase{"five_thousand_fraction_digits",
                    german,
                    {"10", "0," + zeros_4999 + "1", "1", "1"},
                    SameAs{plain}},
        HostileCase{"five_thousand_nines_round_to_one",
                    german,
                    {"10", "0", "1", "0," + std::string(5000, '9')},
                    SameAs{plain}},
        // Separators and signs on their own or in the wrong place.
        HostileCase{
            "lone_decimal_comma", german, {",", "0", "1", "1"}, not_a_number(Entry::anzschr)},
        HostileCase{"lone_group_point", german, {"10", ".", "1", "1"}, not_a_number(Entry::ug)},
        HostileCase{"lone_minus", german, {"10", "0", "-", "1"}, not_a_number(Entry::og)},
        HostileCase{"lone_plus", german, {"10", "0", "1", "+"}, not_a_number(Entry::aw)},
        HostileCase{"lone_exponent", german, {"E5", "0", "1", "1"}, not_a_number(Entry::anzschr)},
        HostileCase{"separator_and_exponent_only",
                    german,
                    {"10", ",E5", "1", "1"},
                    not_a_number(Entry::ug)},
        HostileCase{
            "lone_narrow_space", french, {"10", "0", "\u202F", "1"}, not_a_number(Entry::og)},
        HostileCase{"lone_apostrophe", swiss, {"10", "0", "1", "'"}, not_a_number(Entry::aw)},
        HostileCase{"lone_typographic_minus",
                    typographic_minus,
                    {"\u2212", "0", "1", "1"},
                    not_a_number(Entry::anzschr)},
        HostileCase{"two_minus_signs", german, {"10", "--1", "1", "1"}, not_a_number(Entry::ug)},
        HostileCase{"plus_then_minus", german, {"10", "0", "+-1", "1"}, not_a_number(Entry::og)},
        HostileCase{"minus_then_plus", german, {"10", "0", "1", "-+1"}, not_a_number(Entry::aw)},
        HostileCase{
            "two_plus_signs", german, {"++10", "0", "1", "1"}, not_a_number(Entry::anzschr)},
        HostileCase{"typographic_then_ascii_minus",
                    typographic_minus,
                    {"10", "\u2212-1", "1", "1"},
                    not_a_number(Entry::ug)},
        HostileCase{"trailing_minus", german, {"10", "0", "1-", "1"}, not_a_number(Entry::og)},
        HostileCase{"sign_after_blank", german, {"10", "0", "1", "- 1"}, not_a_number(Entry::aw)},
        HostileCase{
            "group_in_fraction", german, {"10", "0,000.5", "1", "1"}, not_a_number(Entry::ug)},
        HostileCase{"english_group_in_fraction",
                    english,
                    {"10", "0", "1.000,5", "1"},
                    not_a_number(Entry::og)},
        HostileCase{"swiss_group_in_fraction",
                    swiss,
                    {"10", "0", "1",
                     "0.000\u2019"
                     "5"},
                    not_a_number(Entry::aw)},
        HostileCase{"french_group_in_fraction",
                    french,
                    {"10",
                     "0,000\u202F"
                     "5",
                     "1", "1"},
                    not_a_number(Entry::ug)},
        HostileCase{
            "group_in_exponent", german, {"10", "0", "1E1.000", "1"}, not_a_number(Entry::og)},
        HostileCase{
            "short_last_group", german, {"1.00", "0", "1", "1"}, not_a_number(Entry::anzschr)},
        HostileCase{
            "long_first_group", german, {"10", "1234.567", "1", "1"}, not_a_number(Entry::ug)},
        HostileCase{"group_before_decimal_comma",
                    german,
                    {"10", "0", "1.,5", "1"},
                    not_a_number(Entry::og)},
        HostileCase{
            "two_decimal_commas", german, {"10", "0", "1", "1,,5"}, not_a_number(Entry::aw)},
        // Sizes that overflow the step or a pass.
        HostileCase{"bounds_whose_difference_overflows",
                    german,
                    {"10", "-1,7976931348623157E308", "1,7976931348623157E308", "1"},
                    overflow},
        HostileCase{"reversed_bounds_whose_difference_overflows",
                    german,
                    {"10", "1E308", "-1E308", "1"},
                    overflow},
        HostileCase{
            "tiny_count_makes_the_step_overflow", german, {"1E-10", "0", "1E308", "1"}, overflow},
        HostileCase{
            "huge_finite_step_overflows_in_the_pass", german, {"99", "0", "1E300", "1"}, overflow},
        HostileCase{
            "initial_value_whose_square_overflows", german, {"10", "0", "1", "1E200"}, overflow},
        HostileCase{"negative_initial_value_whose_square_overflows",
                    german,
                    {"10", "0", "1", "-1E200"},
                    overflow},
        HostileCase{"tiny_count_with_finite_step_makes_no_pass",
                    german,
                    {"1E-300", "0", "1", "1"},
                    SameAs{{"10", "0", "0", "1"}}}),
    CaseName{});

// Reads a number of the result line: "x-Wert   <x>   y-Wert   <y>".
std::optional<double> line_number(const std::string& line, int which) {
    const std::string middle = "   y-Wert   ";
    const auto at = line.find(middle);
    if (!line.starts_with("x-Wert   ") || at == std::string::npos) {
        return std::nullopt;
    }
    const std::string text = which == 0 ? line.substr(9, at - 9) : line.substr(at + middle.size());
    return calc::read_number(text, german);
}

TEST(HostileCount, JustBelowHundredMakesNinetyNinePasses) {
    const std::string count = "99,999999999";
    const calc::Outcome outcome = calc::calculate({count, "0", "1", "1"}, german);
    const auto* line = std::get_if<calc::ResultLine>(&outcome);
    ASSERT_NE(line, nullptr) << std::get<calc::Warning>(outcome).text;
    // 99 passes of 1/99.999999999 end just short of 1, where y = 1 / (1 + x^2 / 2).
    const double x = 99 / 99.999999999;
    EXPECT_EQ(line_number(line->text, 0), 1.0) << line->text;
    const auto y = line_number(line->text, 1);
    ASSERT_TRUE(y.has_value()) << line->text;
    EXPECT_NEAR(*y, 1 / (1 + x * x / 2), 1e-9) << line->text;
}

} // namespace
