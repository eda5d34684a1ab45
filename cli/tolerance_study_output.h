// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// --konvergenz for a line with step size control: the tolerance study of one pair or of all.

#include "calc/calculate.h"
#include "calc/system_calculate.h"

#include <optional>
#include <string_view>
#include <vector>

namespace cli {

// The name after -m that studies every pair.
inline constexpr std::string_view all_pairs_name = "adaptiv";

// The pairs a study covers: the one -m names, every pair for all_pairs_name; none for a name
// that is neither.
std::optional<std::vector<calc::Pair>> studiedPairs(std::string_view methodName);

// Prints the tolerance study of the line for the pairs as CSV in the system's locale (the
// line's own tolerance is not used); its exit code.
int printToleranceStudy(const calc::ResultLine& line, const std::vector<calc::Pair>& pairs);
int printToleranceStudy(const calc::SystemLine& line, const std::vector<calc::Pair>& pairs);

} // namespace cli
