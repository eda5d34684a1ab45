// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/number_text.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace calc {

// The four entry texts as typed: step count, lower bound, upper bound, initial value.
struct EntryTexts {
    std::string anzschr, ug, og, aw;
};

// The entry field that a warning concerns.
enum class Entry { anzschr, ug, og, aw };

// A message for the user instead of a result.
struct Warning {
    std::string text;
    std::optional<Entry> entry; // the field to correct, when one is to blame
};

// The four entries as numbers, exactly as read: step count, lower bound, upper bound, initial
// value.
struct Numbers {
    double anzschr, ug, og, aw;
};

// The step size and the whole number of passes that a calculation makes.
struct Steps {
    double h;
    int passes;
};

// The steps of the numbers read: h = (og - ug) / n, the whole part of n passes, none when h is 0.
Steps steps_of(const Numbers& numbers);

// One line for the result list, with the numbers it was computed from.
struct ResultLine {
    std::string text;
    Numbers numbers;
};

using Outcome = std::variant<Warning, ResultLine>;

// The warning texts, exactly as the user sees them.
namespace warning_text {
inline constexpr std::string_view missing_entry = "Bitte Anzahl eingeben!";
inline constexpr std::string_view count_too_large = "Bitte Anzahl < 100 eingeben!";
inline constexpr std::string_view count_not_positive = "Bitte Anzahl > 0 eingeben!";
inline constexpr std::string_view overflow = "Überlauf bei der Berechnung!";
// "Bitte eine Zahl für <label> eingeben!" for an entry that is not a number.
std::string not_a_number(Entry entry);
} // namespace warning_text

// The label shown above an entry field ("Schrittanzahl", "Untere Grenze", ...).
std::string_view entry_label(Entry entry);

// Checks the entries and either warns or integrates and builds the result line.
Outcome calculate(const EntryTexts& entries, const NumberLocale& locale);

} // namespace calc
