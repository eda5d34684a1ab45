// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How an entry field's text becomes a number, with the checks every calculate command makes in
// the same order; each command words the faults in its own warnings.

#include "calc/text/number_text.h"

#include <string_view>
#include <variant>

namespace calc {

// Why an entry field holds no number that can be used.
enum class EntryFault {
    missing,      // the field is empty
    not_a_number, // its text does not read as a number of the locale
    too_large,    // a step count of the limit or more
    not_positive, // a step count of 0 or less
    out_of_range, // a tolerance outside min_tolerance … max_tolerance, or not finite
};

using EntryReading = std::variant<double, EntryFault>;

// The number an entry holds: missing for an empty text, else not_a_number unless it reads.
EntryReading read_entry(std::string_view text, const NumberLocale& locale);

// A step count: read as read_entry reads it, then too_large from `limit` on and not_positive at
// 0 and below, in this order.
EntryReading read_count(std::string_view text, double limit, const NumberLocale& locale);

// A tolerance: read as read_entry reads it, then out_of_range unless it is finite and within
// min_tolerance … max_tolerance (calc/core/adaptive.h), both ends included.
EntryReading read_tolerance(std::string_view text, const NumberLocale& locale);

} // namespace calc
