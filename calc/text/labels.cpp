// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/text/labels.h"

namespace calc {

std::string value_text(std::optional<double> value, const NumberLocale& locale) {
    return value ? format_general(*value, locale) : std::string(no_value);
}

std::string order_value_text(std::optional<double> order, const NumberLocale& locale) {
    return order ? format_fixed(*order, 2, locale) : std::string(no_value);
}

} // namespace calc
