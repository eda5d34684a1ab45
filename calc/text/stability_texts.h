// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The texts of the stability page, the courses' h·λ columns and the command line's
// --stabilität output.

#include <string_view>

namespace calc::stability_text {

inline constexpr std::string_view formula_lead = "R(z) = ";
inline constexpr std::string_view variable = "z";
inline constexpr std::string_view times = "\u00b7";
inline constexpr std::string_view plus = " + ";
inline constexpr std::string_view minus = " \u2212 ";
inline constexpr std::string_view minus_sign = "\u2212";
inline constexpr std::string_view divided = "/";
// The exponents 0 … 9 as superscripts.
inline constexpr std::string_view superscript[] = {"\u2070", "\u00b9", "\u00b2", "\u00b3",
                                                   "\u2074", "\u2075", "\u2076", "\u2077",
                                                   "\u2078", "\u2079"};

inline constexpr std::string_view interval_lead =
    "Stabilit\u00e4tsintervall auf der reellen Achse: ";
inline constexpr std::string_view interval_open = "[";
inline constexpr std::string_view interval_unbounded = "(\u2212\u221e";
inline constexpr std::string_view interval_close = "; 0]";

inline constexpr std::string_view a_stable = "A-stabil";
inline constexpr std::string_view l_stable = "A-stabil und L-stabil";

// "3 von 20 Schritten außerhalb des Stabilitätsgebiets, zuerst bei x = 0,15".
inline constexpr std::string_view outside_of = " von ";
inline constexpr std::string_view outside_tail =
    " Schritten au\u00dferhalb des Stabilit\u00e4tsgebiets, zuerst bei x = ";
inline constexpr std::string_view all_inside = "alle Schritte im Stabilit\u00e4tsgebiet";
// "2 Schritte ohne Eigenwerte (J nicht endlich)".
inline constexpr std::string_view left_out_one = " Schritt ohne Eigenwerte (J nicht endlich)";
inline constexpr std::string_view left_out_many = " Schritte ohne Eigenwerte (J nicht endlich)";

// The left end of an unbounded interval in --stabilität's row.
inline constexpr std::string_view unbounded_left = "-inf";

// The imaginary unit of a cell "-2,5 + 0,3i".
inline constexpr std::string_view imaginary_unit = "i";

} // namespace calc::stability_text

namespace calc::caption {
inline constexpr std::string_view h_lambda = "h\u00b7\u03bb";
inline constexpr std::string_view stability_magnitude = "|R(h\u00b7\u03bb)|";
inline constexpr std::string_view re_h_lambda = "Re(h\u00b7\u03bb)";
inline constexpr std::string_view im_h_lambda = "Im(h\u00b7\u03bb)";
// The header of --stabilität's row: Verfahren;Intervall;außerhalb;Schritte.
inline constexpr std::string_view stability_method = "Verfahren";
inline constexpr std::string_view stability_interval = "Intervall";
inline constexpr std::string_view stability_outside = "au\u00dferhalb";
inline constexpr std::string_view stability_passes = "Schritte";
} // namespace calc::caption
