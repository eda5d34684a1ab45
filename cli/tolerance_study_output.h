// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// --konvergenz for a line with step size control: the tolerance study of one pair or of all.

#include "calc/calculate.h"
#include "calc/system_calculate.h"

#include <vector>

namespace cli {

// Prints the tolerance study of the line for the pairs as CSV in the system's locale (the
// line's own tolerance is not used); its exit code.
int printToleranceStudy(const calc::ResultLine& line, const std::vector<calc::Pair>& pairs);
int printToleranceStudy(const calc::SystemLine& line, const std::vector<calc::Pair>& pairs);

} // namespace cli
