// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The table of a system's course that the phase plane saves: each row's point and, where the
// system conserves a quantity, that quantity and how far it has drifted.

#include "calc/analysis/system_course.h"
#include "calc/text/number_text.h"

#include <cstddef>
#include <string>
#include <vector>

namespace calc {

// The captions: Schritt, x, the components (component_names), and where the system conserves a
// quantity "Erhaltungsgröße" and "Drift".
std::vector<std::string> phase_plane_columns(const SystemCourse& course);

// The cells of row `row` under phase_plane_columns: the conserved quantity's value and its
// change since the start (E(x) - E(ug)); no_value where a value does not exist or is not finite;
// no cells past the last row.
std::vector<std::string> phase_plane_cells(const SystemCourse& course, std::size_t row,
                                           const NumberLocale& locale);

// The captions and every row as CSV text in the locale (calc/text/csv.h).
std::string phase_plane_csv(const SystemCourse& course, const NumberLocale& locale);

} // namespace calc
