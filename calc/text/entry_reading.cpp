// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/text/entry_reading.h"

#include "calc/core/adaptive.h"

#include <cmath>

namespace calc {

EntryReading read_entry(std::string_view text, const NumberLocale& locale) {
    if (text.empty()) {
        return EntryFault::missing;
    }
    if (const auto number = read_number(text, locale)) {
        return *number;
    }
    return EntryFault::not_a_number;
}

EntryReading read_count(std::string_view text, double limit, const NumberLocale& locale) {
    EntryReading count = read_entry(text, locale);
    if (const double* n = std::get_if<double>(&count)) {
        if (*n >= limit) {
            return EntryFault::too_large;
        }
        if (*n <= 0) {
            return EntryFault::not_positive;
        }
    }
    return count;
}

EntryReading read_tolerance(std::string_view text, const NumberLocale& locale) {
    EntryReading tolerance = read_entry(text, locale);
    if (const double* tol = std::get_if<double>(&tolerance)) {
        // A NaN fails both comparisons and is refused with the rest.
        if (!(*tol >= min_tolerance && *tol <= max_tolerance)) {
            return EntryFault::out_of_range;
        }
    }
    return tolerance;
}

} // namespace calc
