// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The names under which the program shows itself and under which the desktop knows it.
namespace app_names {
inline constexpr char title[] = "Numer-Integration";
inline constexpr char desktop_id[] = "org.numerintegration.NumerIntegration";
} // namespace app_names
