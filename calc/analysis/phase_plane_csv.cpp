// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/phase_plane_csv.h"

#include "calc/analysis/comparison.h"
#include "calc/analysis/system_comparison.h"
#include "calc/analysis/system_problem.h"
#include "calc/text/csv.h"
#include "calc/text/labels.h"
#include "calc/text/system_captions.h"

namespace calc {

std::vector<std::string> phase_plane_columns(const SystemCourse& course) {
    std::vector<std::string> columns{std::string(caption::step), std::string(caption::x)};
    const std::vector<std::string> names = component_names(course.problem.form, course.size());
    columns.insert(columns.end(), names.begin(), names.end());
    if (course.problem.conserved) {
        columns.emplace_back(caption::conserved);
        columns.emplace_back(caption::drift);
    }
    return columns;
}

std::vector<std::string> phase_plane_cells(const SystemCourse& course, std::size_t row,
                                           const NumberLocale& locale) {
    if (row >= course.rows.size()) {
        return {};
    }
    const SystemCourseRow& at = course.rows[row];
    std::vector<std::string> cells{std::to_string(at.index), finite_value_text(at.point.x, locale)};
    cells.reserve(4 + at.point.y.size());
    for (std::size_t i = 0; i < at.point.y.size(); ++i) {
        cells.push_back(finite_value_text(at.point.y[i], locale));
    }
    if (course.problem.conserved) {
        const std::optional<Drift> drift = drift_at(course, row);
        cells.push_back(finite_value_text(conserved_at(course, row), locale));
        cells.push_back(finite_value_text(drift ? drift->change : std::nullopt, locale));
    }
    return cells;
}

std::string phase_plane_csv(const SystemCourse& course, const NumberLocale& locale) {
    const char separator = list_separator(locale);
    std::string csv;
    csv.reserve(course.rows.size() * 24 * (course.size() + 4) + 64);
    append_csv_line(csv, phase_plane_columns(course), separator);
    for (std::size_t row = 0; row < course.rows.size(); ++row) {
        append_csv_line(csv, phase_plane_cells(course, row, locale), separator);
    }
    return csv;
}

} // namespace calc
