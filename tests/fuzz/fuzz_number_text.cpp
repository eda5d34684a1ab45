// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a number and writes arbitrary doubles in both formats.
#include "calc/text/number_text.h"
#include "tests/test_locales.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

const std::array<calc::NumberLocale, 5> locales{test_locales::german, test_locales::english,
                                                test_locales::french, test_locales::swiss,
                                                test_locales::typographic_minus};

[[noreturn]] void fail(const char* broken, double value, const std::string& text) {
    std::fprintf(stderr, "%s: %.17g [%s]\n", broken, value, text.c_str());
    std::abort();
}

// The value rounded to 15 significant digits, through the C library in the C locale.
double rounded_to_15_digits(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return std::strtod(buffer, nullptr);
}

void check_general(double value, const calc::NumberLocale& locale) {
    const std::string text = calc::format_general(value, locale);
    const auto back = calc::read_number(text, locale);
    const double expected = rounded_to_15_digits(value);
    if (std::isinf(expected)) {
        // Rounding up past the largest double: the text is too large to read.
        if (back) {
            fail("general text beyond the doubles was read", value, text);
        }
        return;
    }
    if (!back || *back != expected) {
        fail("general text does not read back", value, text);
    }
}

// The text is the value rounded to one decimal, so it reads back within 0.05 plus the rounding
// of the reading itself, which is at most one unit in the last place of the value.
void check_one_decimal(double value, const calc::NumberLocale& locale) {
    const std::string text = calc::format_00_0(value, locale);
    const auto back = calc::read_number(text, locale);
    const double magnitude = std::fabs(value);
    const double ulp = magnitude - std::nextafter(magnitude, 0.0);
    if (!back || !(std::fabs(*back - value) <= 0.05 + ulp)) {
        fail("00.0 text does not read back", value, text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const calc::NumberLocale& locale = locales[data[0] % locales.size()];
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    if (const auto value = calc::read_number(bytes, locale); value && !std::isfinite(*value)) {
        fail("read a non-finite number", *value, std::string(bytes));
    }

    double value = 0;
    if (bytes.size() >= sizeof value) {
        std::memcpy(&value, bytes.data(), sizeof value);
        if (std::isfinite(value)) {
            check_general(value, locale);
            check_one_decimal(value, locale);
        }
    }
    return 0;
}
