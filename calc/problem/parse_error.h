// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace calc {

// Why a formula could not be read, in German, and the character (1-based) it concerns.
struct ParseError {
    std::string reason;
    int position;
};

} // namespace calc
