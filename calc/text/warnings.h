// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The warnings that the user sees instead of a result, each text once.

#include "calc/core/state.h"
#include "calc/problem/parse_error.h"
#include "calc/text/number_text.h"

#include <string>
#include <string_view>

namespace calc {

// The entry field that a warning concerns: the four numbers, the equation, the exact solution.
enum class Entry { anzschr, ug, og, aw, gleichung, exakt };

// The label shown above an entry field ("Schrittanzahl", "Untere Grenze", ...).
std::string_view entry_label(Entry entry);

// The warnings about the four entries and the run.
namespace warning_text {
inline constexpr std::string_view missing_entry = "Bitte Anzahl eingeben!";
inline constexpr std::string_view count_too_large = "Bitte Anzahl < 100 eingeben!";
inline constexpr std::string_view count_not_positive = "Bitte Anzahl > 0 eingeben!";
inline constexpr std::string_view overflow = "\u00dcberlauf bei der Berechnung!";
// "Bitte eine Zahl für <label> eingeben!" for an entry that is not a number.
std::string not_a_number(Entry entry);
} // namespace warning_text

// The warnings of a system's entries that differ from the scalar's.
namespace system_warning_text {
inline constexpr std::string_view count_too_large = "Bitte Anzahl < 10000 eingeben!";
// "Bitte Untere Grenze eingeben!" for an empty bound.
std::string bound_missing(Entry bound);
// "Bitte Anfangswert für y2 eingeben!" for an empty initial value of the component.
std::string initial_missing(std::string_view component);
// "Bitte eine Zahl für Anfangswert y2 eingeben!" for one that is not a number.
std::string initial_not_a_number(std::string_view component);
} // namespace system_warning_text

// The warnings of a run with step size control that ends before og (calc/core/adaptive.h); a
// value that is not finite gives the warnings of the fixed run.
namespace adaptive_warning_text {
// The control gives up after max_attempts attempts.
inline constexpr std::string_view too_many_attempts =
    "Die Schrittweitensteuerung braucht mehr als 100000 Versuche.";
// "Die Schrittweite wird bei x = <x> zu klein.", x as the other warnings write it.
std::string step_too_small(double x, const NumberLocale& locale);
} // namespace adaptive_warning_text

// The warning of an implicit method's pass whose Newton iterations do not converge.
namespace newton_warning_text {
// "Das Newton-Verfahren konvergiert bei x = <x> nicht.", x the pass's start as the other
// warnings write it.
std::string not_converging(double x, const NumberLocale& locale);
} // namespace newton_warning_text

// The warnings about the tolerance, which a pair reads in the place of the step count.
namespace tolerance_warning_text {
inline constexpr std::string_view missing = "Bitte Toleranz eingeben!";
inline constexpr std::string_view not_a_number = "Bitte eine Zahl f\u00fcr Toleranz eingeben!";
// "Bitte eine Toleranz zwischen 1E-13 und 0,1 eingeben!", the bounds written in the locale.
std::string out_of_range(const NumberLocale& locale);
} // namespace tolerance_warning_text

// Why the formula reader refused a formula: the reason of a ParseError.
namespace formula_reason {
inline constexpr std::string_view empty = "leer";
inline constexpr std::string_view too_long = "zu lang";
inline constexpr std::string_view unknown_name = "unbekannter Name";
inline constexpr std::string_view unexpected_character = "unerwartetes Zeichen";
inline constexpr std::string_view control_character = "unerwartetes Steuerzeichen";
inline constexpr std::string_view bad_encoding = "ung\u00fcltige Zeichenkodierung";
inline constexpr std::string_view missing_operand = "Operand fehlt";
inline constexpr std::string_view missing_operator = "Operator fehlt vor";
inline constexpr std::string_view unexpected_operator = "unerwarteter Operator";
inline constexpr std::string_view missing_parenthesis = "fehlende Klammer";
inline constexpr std::string_view unexpected_parenthesis = "unerwartete Klammer";
inline constexpr std::string_view separator_outside = "Trennzeichen au\u00dferhalb einer Funktion";
inline constexpr std::string_view unexpected_separator = "unerwartetes Trennzeichen";
inline constexpr std::string_view too_many_arguments = "zu viele Argumente f\u00fcr";
inline constexpr std::string_view too_few_arguments = "zu wenige Argumente f\u00fcr";
inline constexpr std::string_view missing_call = "Klammer nach Funktion fehlt:";
inline constexpr std::string_view unreadable = "nicht lesbar";
} // namespace formula_reason

// The warnings about formulas.
namespace formula_warning {
// "Die Differentialgleichung ist fehlerhaft: <Grund> (Zeichen <N>)."
std::string equation(const ParseError& error);
// "Die exakte Lösung ist fehlerhaft: <Grund> (Zeichen <N>)."
std::string exact(const ParseError& error);
// "Die Differentialgleichung ist bei x = <x>, y = <y> nicht definiert."
std::string undefined(double x, double y, const NumberLocale& locale);
// "Die Differentialgleichung für y2' ist fehlerhaft: <Grund> (Zeichen <N>)."
std::string system_equation(std::string_view derivative, const ParseError& error);
// "Die Differentialgleichung für y2' ist bei x = <x>, y = <components> nicht definiert.", the
// components as components_text writes them.
std::string system_undefined(std::string_view derivative, double x, const Vector& y,
                             const NumberLocale& locale);
// "Die Differentialgleichung ist bei x = <x>, y = <y>, y' = <y'> nicht definiert." for the
// equation of second order y'' = f(x, y, y').
std::string second_order_undefined(double x, double y, double slope, const NumberLocale& locale);
} // namespace formula_warning

} // namespace calc
