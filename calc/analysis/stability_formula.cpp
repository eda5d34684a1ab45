// SPDX-License-Identifier: GPL-3.0-or-later
// The text of a stability function's formula, "R(z) = 1 + z + z²/2 + z³/6 + z⁴/24".
#include "calc/analysis/stability_rational.h"
#include "calc/text/stability_texts.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace calc::rational {

namespace {

std::string superscript(std::size_t k) {
    std::string digits = std::to_string(k);
    std::string out;
    for (const char d : digits) {
        out += stability_text::superscript[static_cast<std::size_t>(d - '0')];
    }
    return out;
}

std::string decimal_text(double value, const NumberLocale& locale) {
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.5g", value);
    std::string text(buffer.data());
    if (const std::size_t dot = text.find('.'); dot != std::string::npos) {
        text.replace(dot, 1, locale.decimal_separator);
    }
    return text;
}

// Whether a is (to rounding) a whole number, and which.
std::optional<long> whole(double a) {
    const double rounded = std::round(a);
    if (rounded >= 1 && rounded < 1e9 && std::fabs(a - rounded) <= 1e-9 * rounded) {
        return static_cast<long>(rounded);
    }
    return std::nullopt;
}

// |c| z^k without its sign: "1", "z", "z²/2", "3·z", "0,0013021·z⁵".
// Written by appending: GCC 12's -Wrestrict misreads operator+ of strings at -O3.
std::string term_text(double c, std::size_t k, const NumberLocale& locale) {
    const double a = std::fabs(c);
    std::string power;
    if (k > 0) {
        power.append(stability_text::variable);
        if (k > 1) {
            power.append(superscript(k));
        }
    }
    std::string text;
    if (const std::optional<long> n = whole(1 / a)) {
        text.append(k == 0 ? std::string_view("1") : std::string_view(power));
        if (*n != 1) {
            text.append(stability_text::divided);
            text.append(std::to_string(*n));
        }
        return text;
    }
    const std::optional<long> n = whole(a);
    text.append(n ? std::to_string(*n) : decimal_text(a, locale));
    if (k > 0) {
        text.append(stability_text::times);
        text.append(power);
    }
    return text;
}

// The polynomial's terms from z^0 up, and how many there are.
std::string polynomial_text(const Coefficients& c, std::size_t degree, const NumberLocale& locale,
                            std::size_t& terms) {
    std::string text;
    terms = 0;
    for (std::size_t k = 0; k <= degree; ++k) {
        if (c[k] == 0) {
            continue;
        }
        if (terms == 0) {
            if (c[k] < 0) {
                text += stability_text::minus_sign;
            }
        } else {
            text += c[k] < 0 ? stability_text::minus : stability_text::plus;
        }
        text += term_text(c[k], k, locale);
        ++terms;
    }
    if (terms == 0) {
        text.append("0");
        terms = 1;
    }
    return text;
}

} // namespace

std::string formula_of(const Rational& r, const NumberLocale& locale) {
    std::size_t p_terms = 0;
    std::size_t q_terms = 0;
    const std::string p = polynomial_text(r.p, r.p_degree, locale, p_terms);
    std::string text(stability_text::formula_lead);
    if (r.q_degree == 0 && r.q[0] == 1) {
        text.append(p);
        return text;
    }
    const std::string q = polynomial_text(r.q, r.q_degree, locale, q_terms);
    const auto append_part = [&text](const std::string& part, std::size_t terms) {
        text.append(terms > 1 ? "(" : "");
        text.append(part);
        text.append(terms > 1 ? ")" : "");
    };
    append_part(p, p_terms);
    text.append(stability_text::divided);
    append_part(q, q_terms);
    return text;
}

} // namespace calc::rational
