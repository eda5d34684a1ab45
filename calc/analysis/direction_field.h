// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/methods.h"
#include "calc/problem/equation.h"
#include "calc/text/number_text.h"

#include <cmath>
#include <string>
#include <vector>

namespace calc {

// What a plot shows: its ranges in x and y, and how many pixels wide and high it is on screen.
struct PlotView {
    double x_low, x_high;
    double y_low, y_high;
    double width, height;
};

// Whether the view has finite ranges of some extent and a size on screen.
inline bool usable_view(const PlotView& view) {
    return std::isfinite(view.x_low) && std::isfinite(view.x_high) && view.x_low < view.x_high &&
           std::isfinite(view.y_low) && std::isfinite(view.y_high) && view.y_low < view.y_high &&
           std::isfinite(view.width) && view.width > 0 && std::isfinite(view.height) &&
           view.height > 0;
}

// Half of high - low, which stays finite for any two finite doubles.
inline double half_span(double low, double high) {
    return high / 2 - low / 2;
}

// The point at share t of the way from low to high, without forming high - low.
inline double interpolate(double low, double high, double t) {
    return low * (1 - t) + high * t;
}

struct Segment {
    Point from;
    Point to;
};

// The grid of the direction field, in columns across x and rows across y.
inline constexpr int field_columns = 20;
inline constexpr int field_rows = 15;
// How long a segment of the field is on screen, as a share of a grid cell's shorter side.
inline constexpr double field_segment_share = 0.7;

// The direction field of y' = f over the view: at the centre of each grid cell a segment of
// slope f there, centred on it and of equal length on screen. Where f, or the slope on screen,
// is not finite there is no segment; an empty or non-finite view has none at all.
std::vector<Segment> direction_field(const Equation& f, const PlotView& view);

// Passes of the classical method that a solution through a point makes across the x range.
inline constexpr int solution_passes = 400;

// The solution of y' = f through `start`, forward and backward across the view's x range with
// the classical method at a step of that range / solution_passes, in increasing x. Each
// direction stops before the first point that is not finite, and after the first that lies
// further outside the y range than the range is high.
std::vector<Point> solution_through(const Equation& f, Point start, const PlotView& view);

// The clicked point rounded to the largest power of ten no larger than a pixel of the view, so
// that the point a curve goes through reads short and lies within a pixel of the click.
Point clicked_point(Point clicked, const PlotView& view);

// The legend of the solution through a point: "durch (x0; y0)" under a decimal comma, else
// "durch (x0, y0)".
std::string solution_legend(Point through, const NumberLocale& locale);

} // namespace calc
