// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/text/warnings.h"

namespace calc {

namespace {

namespace text {
constexpr std::string_view not_a_number_before = "Bitte eine Zahl f\u00fcr ";
constexpr std::string_view not_a_number_after = " eingeben!";
constexpr std::string_view equation_faulty = "Die Differentialgleichung ist fehlerhaft: ";
constexpr std::string_view exact_faulty = "Die exakte L\u00f6sung ist fehlerhaft: ";
constexpr std::string_view position_before = " (Zeichen ";
constexpr std::string_view position_after = ").";
constexpr std::string_view undefined_before = "Die Differentialgleichung ist bei x = ";
constexpr std::string_view undefined_middle = ", y = ";
constexpr std::string_view undefined_after = " nicht definiert.";
} // namespace text

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
    out += text::not_a_number_after;
    return out;
}

std::string formula_warning::equation(const ParseError& error) {
    return with_position(text::equation_faulty, error);
}

std::string formula_warning::exact(const ParseError& error) {
    return with_position(text::exact_faulty, error);
}

std::string formula_warning::undefined(double x, double y, const NumberLocale& locale) {
    std::string out(text::undefined_before);
    out += format_general(x, locale);
    out += text::undefined_middle;
    out += format_general(y, locale);
    out += text::undefined_after;
    return out;
}

} // namespace calc
