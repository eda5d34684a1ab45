// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/text/number_text.h"

#include "tests/named_case.h"
#include "tests/test_locales.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>

namespace {

using named_case::PrintTo;

using calc::NumberLocale;
using namespace test_locales;

struct ReadCase {
    const char* name;
    std::string text;
    NumberLocale locale;
    std::optional<double> expected;
};

class ReadNumber : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumber, ReadsWhatTheLocaleWritesAndNothingElse) {
    const ReadCase& c = GetParam();
    const std::optional<double> actual = calc::read_number(c.text, c.locale);
    ASSERT_EQ(actual.has_value(), c.expected.has_value()) << '"' << c.text << '"';
    if (c.expected) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*actual), std::bit_cast<std::uint64_t>(*c.expected))
            << *actual << " vs " << *c.expected;
    }
}

const std::string five_thousand_zeros(5000, '0');

INSTANTIATE_TEST_SUITE_P(
    Forms, ReadNumber,
    testing::Values(
        ReadCase{"german_decimal_comma", "0,5", german, 0.5},
        ReadCase{"german_grouped_thousands", "1.000,5", german, 1000.5},
        ReadCase{"german_several_groups", "12.345.678", german, 12345678},
        ReadCase{"english_decimal_point", "0.5", english, 0.5},
        ReadCase{"english_grouped", "1,234.5", english, 1234.5},
        ReadCase{"blanks_and_tabs_around", "\t 3 ", german, 3},
        ReadCase{"separator_first", ",5", german, 0.5}, ReadCase{"separator_last", "5,", german, 5},
        ReadCase{"explicit_plus", "+7", german, 7}, ReadCase{"ascii_minus", "-7,25", german, -7.25},
        ReadCase{"negative_zero", "-0", german, -0.0},
        ReadCase{"exponent_upper", "1,5E3", german, 1500},
        ReadCase{"exponent_lower_negative", "25e-2", german, 0.25},
        ReadCase{"exponent_plus", "1E+2", german, 100}, ReadCase{"leading_zeros", "007", german, 7},
        ReadCase{"french_narrow_no_break_space", "1\u202F234,5", french, 1234.5},
        ReadCase{"french_no_break_space", "1\u00A0234,5", french, 1234.5},
        ReadCase{"french_plain_space", "1 234 567", french, 1234567},
        ReadCase{"swiss_apostrophe", "1\u2019234.5", swiss, 1234.5},
        ReadCase{"swiss_ascii_apostrophe", "1'234.5", swiss, 1234.5},
        ReadCase{"typographic_minus", "\u22122,5", typographic_minus, -2.5},
        ReadCase{"ascii_minus_where_locale_has_another", "-2,5", typographic_minus, -2.5},
        ReadCase{"too_small_reads_as_zero", "1E-400", german, 0.0},
        ReadCase{"too_small_negative_reads_as_negative_zero", "-1E-400", german, -0.0},
        ReadCase{"huge_exponent_to_zero", "1E-99999999999999999999", german, 0.0},
        ReadCase{"largest_double", "1,7976931348623157E308", german, 1.7976931348623157e308},
        ReadCase{"smallest_subnormal", "4,9406564584124654E-324", german, 0x1p-1074},
        ReadCase{"long_mantissa_with_compensating_exponent", "1" + five_thousand_zeros + "E-5000",
                 german, 1},
        ReadCase{"long_fraction_with_compensating_exponent", "0," + five_thousand_zeros + "1E5001",
                 german, 1},
        ReadCase{"german_point_typed_by_habit", "1.5", german, std::nullopt},
        ReadCase{"group_of_two", "12.34", german, std::nullopt},
        ReadCase{"group_of_four", "1.2345", german, std::nullopt},
        ReadCase{"first_group_of_four", "1234.567", german, std::nullopt},
        ReadCase{"separator_at_start", ".234", german, std::nullopt},
        ReadCase{"doubled_group_separator", "1..234", german, std::nullopt},
        ReadCase{"group_in_fraction", "0,123.456", german, std::nullopt},
        ReadCase{"plain_space_where_groups_are_points", "1 234", german, std::nullopt},
        ReadCase{"lone_separator", ",", german, std::nullopt},
        ReadCase{"two_decimal_separators", "1,2,3", german, std::nullopt},
        ReadCase{"blanks_only", "   ", german, std::nullopt},
        ReadCase{"inner_blank", "1 5", german, std::nullopt},
        ReadCase{"blank_after_sign", "- 5", german, std::nullopt},
        ReadCase{"two_signs", "+-5", german, std::nullopt},
        ReadCase{"trailing_sign", "5-", german, std::nullopt},
        ReadCase{"exponent_without_digits", "1E", german, std::nullopt},
        ReadCase{"exponent_sign_without_digits", "1E+", german, std::nullopt},
        ReadCase{"exponent_alone", "E5", german, std::nullopt},
        ReadCase{"too_large", "1E400", german, std::nullopt},
        ReadCase{"too_large_negative", "-1E400", german, std::nullopt},
        ReadCase{"just_above_largest_double", "1,7976931348623159E308", german, std::nullopt},
        ReadCase{"nan", "NaN", german, std::nullopt},
        ReadCase{"infinity", "Infinity", german, std::nullopt},
        ReadCase{"hexadecimal", "0x10", german, std::nullopt},
        ReadCase{"full_width_digit", "\uFF15", german, std::nullopt},
        ReadCase{"right_to_left_mark", "\u200F5", german, std::nullopt},
        ReadCase{"nul_inside",
                 std::string("1\0"
                             "5",
                             3),
                 german, std::nullopt},
        ReadCase{"english_comma_as_decimal", "0,5", english, std::nullopt}),
    CaseName{});

// Decimal texts on either side of, and exactly at, the midpoint between two neighbouring doubles.
INSTANTIATE_TEST_SUITE_P(
    CorrectRounding, ReadNumber,
    testing::Values(
        ReadCase{"midpoint_above_one_ties_to_even",
                 "1.00000000000000011102230246251565404236316680908203125", english, 1.0},
        ReadCase{"just_above_midpoint_rounds_up",
                 "1.00000000000000011102230246251565404236316680908203125" + five_thousand_zeros +
                     "1",
                 english, 0x1.0000000000001p0},
        ReadCase{"just_below_midpoint_rounds_down",
                 "1.000000000000000111022302462515654042363166809082031249999999999", english, 1.0},
        ReadCase{"half_the_smallest_subnormal_ties_to_zero",
                 "2.4703282292062327208828439643411068618252990130716238221279284125033775363510437"
                 "593264991818081799618989828234772285886546332835517796989819938739800539093906315"
                 "035659515570226392290858392449105184435931802849936536152500319370457678249219365"
                 "623669863658480757001585769269903706311928279558551332927834338409351978015531246"
                 "597263579574622766465272827220056374006485499977096599470454020828166226237857393"
                 "450736339007967761930577506740176324673600968951340535537458516661134223766678604"
                 "162159680461914467291840300530057530849048765391711386591646239524912623653881879"
                 "636239373280423891018672348497668235089863388587925628302755995657524455507255189"
                 "313690836254779186948667994968324049705821028513185451396213837722826145437693412"
                 "532098591327667236328125E-324",
                 english, 0.0},
        ReadCase{"just_above_half_the_smallest_subnormal", "2.4703282292062327208828439643412E-324",
                 english, 0x1p-1074}),
    CaseName{});

// Random decimal texts of up to 800 digits, checked against the C library's reader.
TEST(ReadNumberOracle, AgreesWithStrtodOnRandomLongDecimals) {
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<int> digit('0', '9');
    std::uniform_int_distribution<int> length(1, 800);
    std::uniform_int_distribution<int> exponent(-360, 330);
    for (int i = 0; i < 3000; ++i) {
        std::string english_text = std::to_string(digit(random) - '0');
        std::string german_text = english_text;
        english_text += '.';
        german_text += ',';
        for (int n = length(random); n > 0; --n) {
            const char d = static_cast<char>(digit(random));
            english_text += d;
            german_text += d;
        }
        const std::string e = "e" + std::to_string(exponent(random));
        english_text += e;
        german_text += e;
        const double expected = std::strtod(english_text.c_str(), nullptr);
        const std::optional<double> actual = calc::read_number(german_text, german);
        if (std::isinf(expected)) {
            EXPECT_FALSE(actual.has_value()) << german_text;
        } else {
            ASSERT_TRUE(actual.has_value()) << german_text;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(*actual), std::bit_cast<std::uint64_t>(expected))
                << german_text;
        }
    }
}

struct FormatCase {
    const char* name;
    double value;
    NumberLocale locale;
    const char* expected;
};

class FormatPattern : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatPattern, WritesOneDecimalAndAtLeastTwoIntegerDigits) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(calc::format_00_0(c.value, c.locale), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pattern, FormatPattern,
    testing::Values(FormatCase{"one", 1, english, "01.0"}, FormatCase{"zero", 0, english, "00.0"},
                    FormatCase{"exact_quarter_rounds_away_from_zero", 0.25, english, "00.3"},
                    FormatCase{"exact_three_quarters_rounds_away", 4.75, english, "04.8"},
                    FormatCase{"exact_half_tenth_is_kept", 12.5, english, "12.5"},
                    FormatCase{"three_integer_digits", 123.25, english, "123.3"},
                    FormatCase{"negative", -2.5, english, "-02.5"},
                    FormatCase{"negative_quarter_rounds_away", -2.25, english, "-02.3"},
                    FormatCase{"just_below_point_three_five", 0.35, english, "00.3"},
                    FormatCase{"just_above_point_zero_five", 0.05, english, "00.1"},
                    FormatCase{"drifted_sum_of_steps", 0.9500000000000002, english, "01.0"},
                    FormatCase{"small_rounds_to_zero", 0.04, english, "00.0"},
                    FormatCase{"negative_rounding_to_zero_has_no_sign", -0.04, english, "00.0"},
                    FormatCase{"negative_zero_has_no_sign", -0.0, english, "00.0"},
                    FormatCase{"rounds_up_to_three_digits", 99.95, english, "100.0"},
                    FormatCase{"hundred", 100, english, "100.0"},
                    FormatCase{"no_grouping", 1234567.5, german, "1234567,5"},
                    FormatCase{"german_comma", 1, german, "01,0"},
                    FormatCase{"locale_minus", -2.5, typographic_minus, "\u221202,5"}),
    CaseName{});

class FormatGeneral : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatGeneral, WritesFifteenSignificantDigitsWithoutTrailingZeros) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(calc::format_general(c.value, c.locale), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    General, FormatGeneral,
    testing::Values(
        FormatCase{"rounds_to_fifteen_digits", 0.6230529638010484, english, "0.623052963801048"},
        FormatCase{"rounds_up_last_digit", 0.6666666666666666, english, "0.666666666666667"},
        FormatCase{"integral_without_separator", 1, english, "1"},
        FormatCase{"negative_half", -0.5, english, "-0.5"},
        FormatCase{"negative_zero_has_no_sign", -0.0, english, "0"},
        FormatCase{"smallest_without_exponent", 0.0001, english, "0.0001"},
        FormatCase{"small_in_exponent_form", 0.00001, english, "1E-05"},
        FormatCase{"largest_without_exponent", 123456789012345, english, "123456789012345"},
        FormatCase{"large_in_exponent_form", 1e15, english, "1E+15"},
        FormatCase{"exponent_with_fraction", 1.5e20, english, "1.5E+20"},
        FormatCase{"three_digit_exponent", -2.5e-300, english, "-2.5E-300"},
        FormatCase{"german_comma", 0.6666666647129293, german, "0,666666664712929"},
        FormatCase{"no_grouping", 1234567.25, german, "1234567,25"},
        FormatCase{"locale_minus_but_ascii_exponent_sign", -1.5e-7, typographic_minus,
                   "\u22121,5E-07"}),
    CaseName{});

// What is written reads back to the value rounded to what was written.
TEST(NumberTextRoundTrip, GeneralTextReadsBackAsTheValueRoundedToFifteenDigits) {
    std::mt19937_64 random(8);
    const NumberLocale locales[] = {english, german, french, swiss, typographic_minus};
    for (int i = 0; i < 20000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (!std::isfinite(value)) {
            continue;
        }
        char rounded_text[40];
        std::snprintf(rounded_text, sizeof rounded_text, "%.15g", value);
        const double rounded = std::strtod(rounded_text, nullptr);
        for (const NumberLocale& locale : locales) {
            const std::string text = calc::format_general(value, locale);
            const std::optional<double> back = calc::read_number(text, locale);
            ASSERT_TRUE(back.has_value()) << text;
            ASSERT_EQ(*back, rounded) << text;
        }
    }
}

TEST(NumberTextRoundTrip, PatternReadsBackWithinHalfATenth) {
    std::mt19937_64 random(9);
    std::uniform_real_distribution<double> magnitude(-1e6, 1e6);
    for (int i = 0; i < 20000; ++i) {
        const double value = magnitude(random) / static_cast<double>(1 + i % 1000);
        const std::string text = calc::format_00_0(value, german);
        const std::optional<double> back = calc::read_number(text, german);
        ASSERT_TRUE(back.has_value()) << text;
        ASSERT_LE(std::fabs(*back - value), 0.05 + 1e-9 * std::fabs(value)) << text;
    }
}

} // namespace
