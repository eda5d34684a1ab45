// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The captions and labels that the analysis of a system adds to calc/text/labels.h.

#include <string_view>

namespace calc {

namespace caption {
// After a component's name: "y1 exakt", "y' exakt".
inline constexpr std::string_view exact_after = " exakt";
// Before a method's column name: "Drift Euler-Cauchy".
inline constexpr std::string_view drift_before = "Drift ";
// The conserved quantity's value, and its change since the start, in the phase plane's table.
inline constexpr std::string_view conserved = "Erhaltungsgr\u00f6\u00dfe";
inline constexpr std::string_view drift = "Drift";
} // namespace caption

namespace drift_label {
// "Drift der Erhaltungsgröße bis x = <x>: <E(x) − E(ug)> (relativ <(E(x) − E(ug))/|E(ug)|>)"
inline constexpr std::string_view before = "Drift der Erhaltungsgr\u00f6\u00dfe bis x = ";
inline constexpr std::string_view middle = ": ";
inline constexpr std::string_view relative_before = " (relativ ";
inline constexpr std::string_view relative_after = ")";
} // namespace drift_label

} // namespace calc
