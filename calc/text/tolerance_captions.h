// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The captions of the tolerance study and of the pairs side by side, each text once.

#include <string_view>

namespace calc::tolerance_caption {
inline constexpr std::string_view tolerance = "Toleranz";
inline constexpr std::string_view accepted = "Schritte";
inline constexpr std::string_view rejected = "verworfen";
inline constexpr std::string_view evaluations = "Auswertungen";
inline constexpr std::string_view error = "Fehler";
inline constexpr std::string_view size_of_error = "|Fehler|";
} // namespace calc::tolerance_caption
