// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace calc {

// The right-hand sides whose exact solution the program knows, in the order the window lists them.
enum class Known { minus_x_y2, y, minus_2xy, x_plus_y, logistic, y2, stiff };

struct KnownEquation {
    Known id;
    std::string_view text;  // f(x, y) as listed and as typed
    std::string_view exact; // y(x) for y(ug) = aw, in the syntax of the exact-solution field
};

inline constexpr std::array<KnownEquation, 7> catalogue = {{
    {Known::minus_x_y2, "-x*y^2", "aw/(1+aw*((x-ug)*(x+ug))/2)"},
    {Known::y, "y", "aw*exp(x-ug)"},
    {Known::minus_2xy, "-2*x*y", "aw*exp(-(x-ug)*(x+ug))"},
    {Known::x_plus_y, "x+y", "(aw+ug+1)*exp(x-ug)-x-1"},
    {Known::logistic, "y*(1-y)", "aw/(aw+(1-aw)*exp(-(x-ug)))"},
    {Known::y2, "y^2", "aw/(1-aw*(x-ug))"},
    // Stiff: the solution follows cos x closely, while a departure from it decays like e^(-50 x).
    {Known::stiff, "-50*(y-cos(x))",
     "(2500*cos(x)+50*sin(x))/2501+(aw-(2500*cos(ug)+50*sin(ug))/2501)*exp(-50*(x-ug))"},
}};

inline constexpr std::string_view default_equation = catalogue[0].text;

constexpr const KnownEquation& known_equation(Known known) {
    return catalogue[static_cast<std::size_t>(known)];
}

} // namespace calc
