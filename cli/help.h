// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The texts that explain the command line: the short usage and the help.

#include "calc/text/number_text.h"

#include <string>
#include <string_view>

namespace cli {

// The short usage, after a usage error.
std::string_view usage();

// The help: every option, the methods, the known equations, the example systems written as
// their options in the locale, and the exit statuses.
std::string help(const calc::NumberLocale& locale);

} // namespace cli
