// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary entry texts to the calculate command under each tested locale.
#include "calc/analysis/course.h"
#include "calc/calculate.h"
#include "tests/test_locales.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace {

using calc::Entry;

const std::array<calc::NumberLocale, 5> locales{test_locales::german, test_locales::english,
                                                test_locales::french, test_locales::swiss,
                                                test_locales::typographic_minus};

constexpr std::string_view line_start = "x-Wert   ";
constexpr std::string_view line_middle = "   y-Wert   ";

[[noreturn]] void fail(const char* broken, std::string_view detail) {
    std::fprintf(stderr, "%s: [%.*s]\n", broken, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

void check(bool holds, const char* broken, std::string_view detail) {
    if (!holds) {
        fail(broken, detail);
    }
}

// The input is one byte choosing the locale and the method (the default, one of the pairs or one
// of the implicit methods),
// then the step count, the lower and the upper bound,
// each ended by a newline; the initial value is the rest, newlines included.
calc::EntryTexts split(std::string_view input) {
    std::array<std::string, 4> texts;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t end = input.find('\n');
        texts[i] = std::string(input.substr(0, end));
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    }
    texts[3] = std::string(input);
    return {texts[0], texts[1], texts[2], texts[3]};
}

std::optional<double> read(const std::string& text, const calc::NumberLocale& locale) {
    return calc::read_number(text, locale);
}

// The warning that a pair's tolerance, in the count's place, gives, or an empty text.
std::string tolerance_refusal(const std::string& text, const calc::NumberLocale& locale) {
    namespace warning = calc::tolerance_warning_text;
    if (text.empty()) {
        return std::string(warning::missing);
    }
    const auto value = read(text, locale);
    if (!value) {
        return std::string(warning::not_a_number);
    }
    if (!(*value >= calc::min_tolerance && *value <= calc::max_tolerance)) {
        return warning::out_of_range(locale);
    }
    return {};
}

// The warning that the entry's own checks give, or an empty text when it passes them; with a
// pair, the count's field holds the tolerance.
std::string refusal(Entry entry, const std::string& text, const calc::NumberLocale& locale,
                    bool pair) {
    namespace warning = calc::warning_text;
    if (pair && entry == Entry::anzschr) {
        return tolerance_refusal(text, locale);
    }
    if (text.empty()) {
        return std::string(warning::missing_entry);
    }
    const auto value = read(text, locale);
    if (!value) {
        return warning::not_a_number(entry);
    }
    if (entry == Entry::anzschr && *value >= 100) {
        return std::string(warning::count_too_large);
    }
    if (entry == Entry::anzschr && *value <= 0) {
        return std::string(warning::count_not_positive);
    }
    return {};
}

struct Refusal {
    std::string text;
    Entry entry;
};

// The first entry, in the order they are checked, that is refused.
std::optional<Refusal> first_refusal(const calc::EntryTexts& e, const calc::NumberLocale& locale,
                                     bool pair) {
    const std::pair<Entry, const std::string*> checked[] = {
        {Entry::anzschr, &e.anzschr}, {Entry::ug, &e.ug}, {Entry::og, &e.og}, {Entry::aw, &e.aw}};
    for (const auto& [entry, text] : checked) {
        if (std::string warning = refusal(entry, *text, locale, pair); !warning.empty()) {
            return Refusal{std::move(warning), entry};
        }
    }
    return std::nullopt;
}

// A run with step size control may also give up: too small a step, or too many attempts.
bool is_control_warning(const std::string& text) {
    constexpr std::string_view small_start = "Die Schrittweite wird bei x = ";
    constexpr std::string_view small_end = " zu klein.";
    return text == calc::adaptive_warning_text::too_many_attempts ||
           (text.starts_with(small_start) && text.ends_with(small_end));
}

// An implicit method's pass may find no solution.
bool is_newton_warning(const std::string& text) {
    return text.starts_with("Das Newton-Verfahren konvergiert bei x = ") &&
           text.ends_with(" nicht.");
}

void check_warning(const calc::Warning& w, const calc::EntryTexts& e,
                   const calc::NumberLocale& locale, bool pair, bool implicit) {
    const auto expected = first_refusal(e, locale, pair);
    if (!expected) {
        check((w.text == calc::warning_text::overflow || (pair && is_control_warning(w.text)) ||
               (implicit && is_newton_warning(w.text))) &&
                  !w.entry,
              "wrong warning for good entries", w.text);
        return;
    }
    check(w.text == expected->text, "not the first refused entry's warning", w.text);
    check(w.entry == expected->entry, "warning blames the wrong entry", w.text);
}

// An "00.0" number: optional minus, at least two digits, the decimal separator, one digit.
bool is_fixed_one_decimal(std::string_view text, const calc::NumberLocale& locale) {
    if (text.starts_with(locale.minus_sign)) {
        text.remove_prefix(locale.minus_sign.size());
    }
    const std::size_t sep = text.find(locale.decimal_separator);
    if (sep < 2 || sep == std::string_view::npos ||
        text.size() != sep + locale.decimal_separator.size() + 1) {
        return false;
    }
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t i = 0; i < sep; ++i) {
        if (!digit(text[i])) {
            return false;
        }
    }
    return digit(text.back());
}

void check_line(const std::string& line, const calc::EntryTexts& e,
                const calc::NumberLocale& locale, bool pair) {
    check(!first_refusal(e, locale, pair), "line for refused entries", line);
    check(line.starts_with(line_start), "line start", line);
    const std::size_t middle = line.find(line_middle, line_start.size());
    check(middle != std::string::npos, "line middle", line);
    const std::string x = line.substr(line_start.size(), middle - line_start.size());
    const std::string y = line.substr(middle + line_middle.size());
    check(is_fixed_one_decimal(x, locale), "x not in 00.0 form", line);
    for (const std::string* number : {&x, &y}) {
        check(number->find(' ') == std::string::npos, "blank inside a number", line);
        check(number->find_first_of("iInN") == std::string::npos, "inf or nan", line);
        const auto value = read(*number, locale);
        check(value && std::isfinite(*value), "number does not read back", line);
    }
}

// The course of an accepted line: one row a pass, ending at the line's point, finite
// texts only, and a CSV whose every cell reads back to the value its row holds.
void check_course(const calc::ResultLine& line, const calc::NumberLocale& locale) {
    const calc::Course course = calc::build_course(line);
    const std::string csv = calc::course_csv(course, locale);
    check(course.rows.size() == static_cast<std::size_t>(course.steps.passes) + 1,
          "rows are not passes + 1", line.text);
    const calc::Point end = course.rows.back().point;
    const std::string expected = std::string(line_start) + calc::format_00_0(end.x, locale) +
                                 std::string(line_middle) + calc::format_general(end.y, locale);
    check(expected == line.text, "last row differs from the line", line.text);
    check(csv.find_first_of("iInN", csv.find('\n')) == std::string::npos, "inf or nan in the CSV",
          csv);
    for (const calc::Point& sample : course.exact_samples) {
        check(calc::finite(sample), "non-finite sample", line.text);
    }
    const char separator = locale.decimal_separator == "," ? ';' : ',';
    std::string_view rest(csv);
    rest.remove_prefix(rest.find('\n') + 1);
    for (const calc::CourseRow& row : course.rows) {
        const std::string_view csv_line = rest.substr(0, rest.find('\n'));
        rest.remove_prefix(csv_line.size() + 1);
        const std::vector<std::string> cells = calc::course_cells(course, row, locale);
        std::size_t start = 0;
        for (const std::string& cell : cells) {
            const std::size_t stop = std::min(csv_line.find(separator, start), csv_line.size());
            const std::string field(csv_line.substr(start, stop - start));
            start = stop + 1;
            if (cell.empty() || cell == calc::no_value) {
                check(field.empty(), "a missing value is not an empty cell", field);
                continue;
            }
            check(field == cell, "CSV cell differs from the table", field);
            check(read(field, locale).has_value(), "CSV cell does not read back", field);
        }
    }
    check(rest.empty(), "CSV has more lines than rows", csv);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const calc::NumberLocale& locale = locales[data[0] % locales.size()];
    constexpr std::array implicit_methods = {calc::Method::implicit_euler, calc::Method::trapezoid,
                                             calc::Method::implicit_midpoint};
    const std::size_t scheme =
        data[0] / locales.size() % (1 + calc::pair_table.size() + implicit_methods.size());
    const calc::EntryTexts entries =
        split(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    calc::Task task(entries);
    if (scheme > calc::pair_table.size()) {
        task.method = implicit_methods[scheme - 1 - calc::pair_table.size()];
    } else if (scheme > 0) {
        task.choose(calc::pair_table[scheme - 1].id);
        task.tolerance = entries.anzschr;
    }
    const bool pair = task.pair.has_value();
    const bool implicit = calc::method_info(task.method).implicit && !pair;
    const calc::Outcome outcome = calc::calculate(task, locale);
    if (const auto* warning = std::get_if<calc::Warning>(&outcome)) {
        check_warning(*warning, entries, locale, pair, implicit);
    } else {
        const auto& line = std::get<calc::ResultLine>(outcome);
        check_line(line.text, entries, locale, pair);
        if (pair) {
            // The run ends at og exactly.
            const std::string x = std::string(line_start) +
                                  calc::format_00_0(line.numbers.og, locale) +
                                  std::string(line_middle);
            check(line.text.starts_with(x), "a pair's line does not end at og", line.text);
        } else {
            check_course(line, locale);
        }
    }
    return 0;
}
