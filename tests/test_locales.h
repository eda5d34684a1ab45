// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/text/number_text.h"

// The number conventions of the locales the program is tested under.
namespace test_locales {
inline const calc::NumberLocale english{".", ",", "-"};
inline const calc::NumberLocale german{",", ".", "-"};
inline const calc::NumberLocale french{",", "\u202F", "-"};
inline const calc::NumberLocale swiss{".", "\u2019", "-"};
inline const calc::NumberLocale typographic_minus{",", "\u00A0", "\u2212"};
} // namespace test_locales
