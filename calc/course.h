// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/calculate.h"
#include "calc/number_text.h"
#include "calc/rk4.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

// One point of the course: the point after `step` passes and what is known there.
struct CourseRow {
    int step;
    Point point;
    std::optional<Stages> stages; // of the pass that starts here; none on the last row
    std::optional<double> exact;  // the exact solution at point.x; none where it does not exist
    std::optional<double> error;  // point.y - exact; none where exact is none or it is not finite
};

// Everything a calculation went through, for the numbers that calculate accepted.
struct Course {
    Numbers numbers;
    Steps steps;
    std::vector<CourseRow> rows;      // steps.passes + 1 rows, from the start point
    std::optional<double> order;      // observed order log2(|E(h)| / |E(h/2)|)
    std::optional<double> pole;       // the first pole of the exact solution on the path
    std::vector<Point> exact_samples; // the exact solution along the path, for a smooth plot
};

// The table's column captions, in order.
inline constexpr std::string_view course_columns[] = {"Schritt", "x",  "y",       "k1",    "k2",
                                                      "k3",      "k4", "y exakt", "Fehler"};

// The text of a cell where a value does not exist (U+2013).
inline constexpr std::string_view no_value = "\u2013";

// Builds the course of numbers that calculate accepted.
Course build_course(const Numbers& numbers);

// The table as CSV text in the locale: the captions, then one line a row, "\n" after each;
// cells separated by ';' where the decimal separator is ',', else by ','; missing values empty.
std::string course_csv(const Course& course, const NumberLocale& locale);

// The exact solution aw / (1 + aw (x - ug)(x + ug) / 2) at x; none past a pole or where not finite.
std::optional<double> exact_solution(double ug, double aw, double x);

// The nine cell texts of a row, "" for an empty k cell and no_value for a missing value.
std::vector<std::string> course_cells(const CourseRow& row, const NumberLocale& locale);

// "y' = -x·y², y(0) = 1, 10 Schritte mit h = 0,1 von x = 0 bis x = 1".
std::string course_heading(const Course& course, const NumberLocale& locale);

// "Beobachtete Ordnung p = 4,78", or ending in no_value when there is no order.
std::string order_text(const Course& course, const NumberLocale& locale);

// "Die exakte Lösung hat bei x = <x> eine Polstelle."; empty when there is no pole on the path.
std::string pole_text(const Course& course, const NumberLocale& locale);

} // namespace calc
