// Feeds arbitrary entry texts to the calculate command under each tested locale.
#include "../test_locales.h"
#include "calc/calculate.h"

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

// The input is one byte choosing the locale, then the step count, the lower and the upper bound,
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

// The warning that the entry's own checks give, or an empty text when it passes them.
std::string refusal(Entry entry, const std::string& text, const calc::NumberLocale& locale) {
    namespace warning = calc::warning_text;
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
std::optional<Refusal> first_refusal(const calc::EntryTexts& e, const calc::NumberLocale& locale) {
    const std::pair<Entry, const std::string*> checked[] = {
        {Entry::anzschr, &e.anzschr}, {Entry::ug, &e.ug}, {Entry::og, &e.og}, {Entry::aw, &e.aw}};
    for (const auto& [entry, text] : checked) {
        if (std::string warning = refusal(entry, *text, locale); !warning.empty()) {
            return Refusal{std::move(warning), entry};
        }
    }
    return std::nullopt;
}

void check_warning(const calc::Warning& w, const calc::EntryTexts& e,
                   const calc::NumberLocale& locale) {
    const auto expected = first_refusal(e, locale);
    if (!expected) {
        check(w.text == calc::warning_text::overflow && !w.entry, "wrong warning for good entries",
              w.text);
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
                const calc::NumberLocale& locale) {
    check(!first_refusal(e, locale), "line for refused entries", line);
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const calc::NumberLocale& locale = locales[data[0] % locales.size()];
    const calc::EntryTexts entries =
        split(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    const calc::Outcome outcome = calc::calculate(entries, locale);
    if (const auto* warning = std::get_if<calc::Warning>(&outcome)) {
        check_warning(*warning, entries, locale);
    } else {
        check_line(std::get<calc::ResultLine>(outcome).text, entries, locale);
    }
    return 0;
}
