// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The captions, cells and labels of the results, each text once.

#include "calc/text/number_text.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace calc {

// The text of a cell where a value does not exist (U+2013).
inline constexpr std::string_view no_value = "\u2013";

// What a label of the equation starts with: "y' = x+y".
inline constexpr std::string_view equation_lead = "y' = ";

// How a heading writes the default equation.
inline constexpr std::string_view default_equation_shown = "-x\u00b7y\u00b2";

// The pieces of a result line: "x-Wert   01,0   y-Wert   0,666666613089039".
namespace line_text {
inline constexpr std::string_view x_lead = "x-Wert   ";
inline constexpr std::string_view y_lead = "   y-Wert   ";
} // namespace line_text

// How a system's components and formulas are named: "y1" … "y4" and "y1'" … "y4'", or for an
// equation of second order "y" and "y'", whose formula gives "y''".
namespace component_label {
inline constexpr std::string_view stem = "y";
inline constexpr std::string_view prime = "'";
// Between a name and its formula or value, and between the items of a list: "y1' = y2, …".
inline constexpr std::string_view equals = " = ";
inline constexpr std::string_view item_separator = ", ";
} // namespace component_label

// The names of the example systems, as the window lists them.
namespace example_name {
inline constexpr std::string_view oscillator = "Harmonischer Oszillator";
inline constexpr std::string_view pendulum = "Pendel";
inline constexpr std::string_view van_der_pol = "Van-der-Pol-Oszillator";
inline constexpr std::string_view predator_prey = "R\u00e4uber und Beute";
inline constexpr std::string_view circuit = "Stromkreis";
inline constexpr std::string_view lorenz = "Lorenz-System";
inline constexpr std::string_view kepler = "Kepler-Bahn";
inline constexpr std::string_view arenstorf = "Arenstorf-Bahn";
inline constexpr std::string_view stiff = "Steifes System";
} // namespace example_name

// The captions of the tables' and CSV files' columns.
namespace caption {
inline constexpr std::string_view step = "Schritt";
inline constexpr std::string_view steps = "Schritte";
inline constexpr std::string_view x = "x";
inline constexpr std::string_view y = "y";
inline constexpr std::string_view h = "h";
inline constexpr std::string_view k[] = {"k1", "k2", "k3", "k4", "k5", "k6", "k7"};
// The Newton iterations of an implicit method's pass.
inline constexpr std::string_view newton_steps = "Newton-Schritte";
inline constexpr std::string_view exact = "y exakt";
inline constexpr std::string_view error = "Fehler";
inline constexpr std::string_view method = "Verfahren";
inline constexpr std::string_view eoc = "EOC";
// The table of a run with step size control: each attempt's number, its error relative to the
// tolerance, the factor of the step after it and whether it was accepted.
inline constexpr std::string_view attempt = "Versuch";
inline constexpr std::string_view error_estimate = "Fehlersch\u00e4tzung";
inline constexpr std::string_view factor = "Faktor";
inline constexpr std::string_view status = "Status";
} // namespace caption

// The texts of a run with step size control.
namespace adaptive_label {
// The label of the field that holds the tolerance while a pair is chosen.
inline constexpr std::string_view tolerance = "Toleranz";
// Between the pair's name and the tolerance in a tooltip: ", Toleranz 1E-06: ".
inline constexpr std::string_view tolerance_lead = ", Toleranz ";
inline constexpr std::string_view totals_lead = ": ";
// An attempt's status in the course's table and CSV.
inline constexpr std::string_view accepted = "angenommen";
inline constexpr std::string_view rejected = "verworfen";
// What a heading says after the tolerance, and after the pair's name: "Toleranz 1E-06 von x = 0
// bis x = 1, Dormand-Prince 5(4), adaptiv".
inline constexpr std::string_view from = " von x = ";
inline constexpr std::string_view to = " bis x = ";
// "9 Schritte, 1 verworfen, 62 Auswertungen von f": the line's tooltip and --statistik.
std::string totals(std::size_t accepted_count, std::size_t rejected_count, std::size_t evaluations);
// "9 Schritte angenommen, 1 verworfen, 62 Auswertungen von f": the course's label.
std::string course_totals(std::size_t accepted_count, std::size_t rejected_count,
                          std::size_t evaluations);
} // namespace adaptive_label

// The value as format_general writes it, no_value where there is none.
std::string value_text(std::optional<double> value, const NumberLocale& locale);

// An observed order with two decimals, no_value where there is none.
std::string order_value_text(std::optional<double> order, const NumberLocale& locale);

} // namespace calc
