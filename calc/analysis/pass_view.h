// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/course.h"
#include "calc/core/methods.h"
#include "calc/text/number_text.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

// A stage of a pass as it is drawn: where the method evaluated f, and what it found there.
struct StageMark {
    std::string_view name; // "P1".."P7"
    Point point;
    double slope; // f at the point, k / h
    double k;     // the increment as the table shows it
};

// One pass of a course, taken apart for drawing.
struct PassView {
    Point start;
    Point next;
    double h;
    std::vector<StageMark> stages; // the method's own, in the order it evaluates them
    // The solution through the start point over [x, x + h], sampled for a smooth curve; it ends
    // early at a pole or where it stops being finite.
    std::vector<Point> solution;
    bool solution_is_exact; // the catalogue's formula, else fine Runge-Kutta steps
    // y_next minus the solution at x + h; none where the solution does not reach x + h.
    std::optional<double> local_error;
};

// Fine passes of the classical Runge-Kutta method that stand in, over one pass, for a solution
// the program does not know; they are also the intervals at which a known solution is sampled.
inline constexpr int local_passes = 64;

// The stage names, in order.
inline constexpr std::string_view stage_names[] = {"P1", "P2", "P3", "P4", "P5", "P6", "P7"};

// The pass that starts at row `row` of the course; none for the last row and past it.
std::optional<PassView> pass_view(const Course& course, std::size_t row);

// The solution of y' = f through `start` from start.x over h, as pass_view samples it: the
// known solution of a catalogue equation, else local_passes passes of the classical method.
std::vector<Point> local_solution(const Equation& f, Point start, double h, bool* exact = nullptr);

// "Lokaler Fehler dieses Schritts: <e>", with no_value when there is no error.
std::string local_error_text(const std::optional<double>& error, const NumberLocale& locale);

} // namespace calc
