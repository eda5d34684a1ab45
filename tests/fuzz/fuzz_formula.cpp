// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a right-hand side and as an exact solution, in both kinds of locale.
#include "tests/test_locales.h"
#include "calc/calculate.h"
#include "calc/problem/equation.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* broken, std::string_view text) {
    std::fprintf(stderr, "%s: [%.*s]\n", broken, static_cast<int>(text.size()), text.data());
    std::abort();
}

void check_refusal(const calc::ParseError& error, std::string_view text) {
    if (error.reason.empty()) {
        fail("a refusal without a reason", text);
    }
    if (error.position < 1 || static_cast<std::size_t>(error.position) > text.size() + 1) {
        fail("a position outside the text", text);
    }
    // However bytes are grouped into characters, there are no more of them than bytes.
    if (text.size() <= static_cast<std::size_t>(calc::formula_length_limit) &&
        error.reason == "zu lang") {
        fail("a short text refused as too long", text);
    }
}

void check_equation(std::string_view text, const calc::NumberLocale& locale) {
    const auto parsed = calc::Equation::parse(text, locale);
    if (const auto* error = std::get_if<calc::ParseError>(&parsed)) {
        check_refusal(*error, text);
        return;
    }
    const auto& f = std::get<calc::Equation>(parsed);
    const calc::Equation copy = f;
    for (const double x : {0.0, -1.5, 2.0}) {
        const double value = f(x, 0.5);
        if (std::bit_cast<std::uint64_t>(copy(x, 0.5)) != std::bit_cast<std::uint64_t>(value)) {
            fail("a copy that evaluates differently", text);
        }
    }
    // A whole press with the formula answers, whatever it computes.
    const calc::Outcome outcome =
        calc::calculate(calc::Task({"20", "0", "1", "1"}, std::string(text)), locale);
    if (const auto* warning = std::get_if<calc::Warning>(&outcome);
        warning && warning->text.empty()) {
        fail("an empty warning", text);
    }
}

void check_exact(std::string_view text, const calc::NumberLocale& locale) {
    const auto parsed = calc::ExactSolution::parse(text, locale);
    if (const auto* error = std::get_if<calc::ParseError>(&parsed)) {
        check_refusal(*error, text);
        return;
    }
    if (const auto y = std::get<calc::ExactSolution>(parsed).at(0, 1, 0.5);
        y && !std::isfinite(*y)) {
        fail("a non-finite exact value", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const calc::NumberLocale& locale =
        (data[0] & 1) != 0 ? test_locales::german : test_locales::english;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    if ((data[0] & 2) != 0) {
        check_exact(text, locale);
    } else {
        check_equation(text, locale);
    }
    return 0;
}
