// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/text/warnings.h"

#include "calc/core/adaptive.h"

namespace calc {

namespace {

namespace text {
constexpr std::string_view please = "Bitte ";
constexpr std::string_view not_a_number_before = "Bitte eine Zahl f\u00fcr ";
constexpr std::string_view enter = " eingeben!";
constexpr std::string_view equation = "Die Differentialgleichung";
constexpr std::string_view for_the = " f\u00fcr ";
constexpr std::string_view faulty = " ist fehlerhaft: ";
constexpr std::string_view exact_faulty = "Die exakte L\u00f6sung ist fehlerhaft: ";
constexpr std::string_view position_before = " (Zeichen ";
constexpr std::string_view position_after = ").";
constexpr std::string_view undefined_at = " ist bei x = ";
constexpr std::string_view undefined_middle = ", y = ";
constexpr std::string_view undefined_slope = ", y' = ";
constexpr std::string_view undefined_after = " nicht definiert.";
constexpr std::string_view step_at = "Die Schrittweite wird bei x = ";
constexpr std::string_view step_too_small = " zu klein.";
constexpr std::string_view newton_at = "Das Newton-Verfahren konvergiert bei x = ";
constexpr std::string_view newton_fails = " nicht.";
constexpr std::string_view tolerance_between = "Bitte eine Toleranz zwischen ";
constexpr std::string_view tolerance_and = " und ";
} // namespace text

// "Die Differentialgleichung", or "Die Differentialgleichung für y2'" for a system's formula.
std::string equation_named(std::string_view derivative) {
    std::string out(text::equation);
    if (!derivative.empty()) {
        out += text::for_the;
        out += derivative;
    }
    return out;
}

std::string with_position(std::string_view lead, const ParseError& error) {
    std::string out(lead);
    out += error.reason;
    out += text::position_before;
    out += std::to_string(error.position);
    out += text::position_after;
    return out;
}

} // namespace

std::string_view entry_label(Entry entry) {
    switch (entry) {
    case Entry::anzschr:
        return "Schrittanzahl";
    case Entry::ug:
        return "Untere Grenze";
    case Entry::og:
        return "Obere Grenze";
    case Entry::aw:
        return "Anfangswert";
    case Entry::gleichung:
        return "Differentialgleichung";
    case Entry::exakt:
        return "Exakte L\u00f6sung";
    }
    return {};
}

std::string warning_text::not_a_number(Entry entry) {
    std::string out(text::not_a_number_before);
    out += entry_label(entry);
    out += text::enter;
    return out;
}

std::string formula_warning::equation(const ParseError& error) {
    return system_equation({}, error);
}

std::string formula_warning::system_equation(std::string_view derivative, const ParseError& error) {
    return with_position(equation_named(derivative) + std::string(text::faulty), error);
}

std::string formula_warning::exact(const ParseError& error) {
    return with_position(text::exact_faulty, error);
}

std::string formula_warning::undefined(double x, double y, const NumberLocale& locale) {
    std::string out = equation_named({});
    out += text::undefined_at;
    out += format_general(x, locale);
    out += text::undefined_middle;
    out += format_general(y, locale);
    out += text::undefined_after;
    return out;
}

std::string formula_warning::system_undefined(std::string_view derivative, double x,
                                              const Vector& y, const NumberLocale& locale) {
    std::string out = equation_named(derivative);
    out += text::undefined_at;
    out += format_general(x, locale);
    out += text::undefined_middle;
    out += components_text(y, locale);
    out += text::undefined_after;
    return out;
}

std::string formula_warning::second_order_undefined(double x, double y, double slope,
                                                    const NumberLocale& locale) {
    std::string out = equation_named({});
    out += text::undefined_at;
    out += format_general(x, locale);
    out += text::undefined_middle;
    out += format_general(y, locale);
    out += text::undefined_slope;
    out += format_general(slope, locale);
    out += text::undefined_after;
    return out;
}

std::string adaptive_warning_text::step_too_small(double x, const NumberLocale& locale) {
    std::string out(text::step_at);
    out += format_general(x, locale);
    out += text::step_too_small;
    return out;
}

std::string newton_warning_text::not_converging(double x, const NumberLocale& locale) {
    std::string out(text::newton_at);
    out += format_general(x, locale);
    out += text::newton_fails;
    return out;
}

std::string tolerance_warning_text::out_of_range(const NumberLocale& locale) {
    std::string out(text::tolerance_between);
    out += format_general(min_tolerance, locale);
    out += text::tolerance_and;
    out += format_general(max_tolerance, locale);
    out += text::enter;
    return out;
}

std::string system_warning_text::bound_missing(Entry bound) {
    std::string out(text::please);
    out += entry_label(bound);
    out += text::enter;
    return out;
}

std::string system_warning_text::initial_missing(std::string_view component) {
    std::string out(text::please);
    out += entry_label(Entry::aw);
    out += text::for_the;
    out += component;
    out += text::enter;
    return out;
}

std::string system_warning_text::initial_not_a_number(std::string_view component) {
    std::string out(text::not_a_number_before);
    out += entry_label(Entry::aw);
    out += ' ';
    out += component;
    out += text::enter;
    return out;
}

} // namespace calc
