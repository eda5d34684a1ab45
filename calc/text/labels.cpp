// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/text/labels.h"

namespace calc {

std::string value_text(std::optional<double> value, const NumberLocale& locale) {
    return value ? format_general(*value, locale) : std::string(no_value);
}

std::string order_value_text(std::optional<double> order, const NumberLocale& locale) {
    return order ? format_fixed(*order, 2, locale) : std::string(no_value);
}

namespace {

std::string totals_text(std::size_t accepted, std::string_view steps, std::size_t rejected,
                        std::size_t evaluations) {
    // Counts as plain digits: std::to_string writes no group separator.
    std::string out = std::to_string(accepted);
    out += steps;
    out += std::to_string(rejected);
    out += " verworfen, ";
    out += std::to_string(evaluations);
    out += " Auswertungen von f";
    return out;
}

} // namespace

std::string adaptive_label::totals(std::size_t accepted_count, std::size_t rejected_count,
                                   std::size_t evaluations) {
    return totals_text(accepted_count, " Schritte, ", rejected_count, evaluations);
}

std::string adaptive_label::course_totals(std::size_t accepted_count, std::size_t rejected_count,
                                          std::size_t evaluations) {
    return totals_text(accepted_count, " Schritte angenommen, ", rejected_count, evaluations);
}

} // namespace calc
