// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/direction_field.h"

#include "calc/analysis/solution_path.h"

#include <algorithm>
#include <cmath>

namespace calc {

namespace {

namespace text {
constexpr std::string_view through = "durch (";
} // namespace text

// The passes of step |h| that take x from `from` to `to` or just past it, at most one more than
// a whole range needs.
int passes_between(double from, double to, double h) {
    const double passes = std::ceil((to - from) / h);
    if (!(passes > 0)) {
        return 0;
    }
    return static_cast<int>(std::min(passes, double(solution_passes + 1)));
}

// The largest power of ten no larger than `pixel`, and the value rounded to a multiple of it.
double rounded(double value, double pixel) {
    if (!std::isfinite(value) || !std::isfinite(pixel) || !(pixel > 0)) {
        return value;
    }
    const double exponent = std::floor(std::log10(pixel));
    double result = value;
    if (exponent < 0) {
        // Dividing by the exact 10^n rounds the multiple to the nearest double of its decimal.
        const double scale = std::pow(10.0, -exponent);
        result = std::round(value * scale) / scale;
    } else {
        const double step = std::pow(10.0, exponent);
        result = std::round(value / step) * step;
    }
    // A value rounded to zero from below reads 0, not -0.
    return std::isfinite(result) ? result + 0.0 : value;
}

} // namespace

std::vector<Segment> direction_field(const Equation& f, const PlotView& view) {
    std::vector<Segment> segments;
    if (!usable_view(view)) {
        return segments;
    }
    segments.reserve(field_columns * field_rows);
    const double x_half = half_span(view.x_low, view.x_high);
    const double y_half = half_span(view.y_low, view.y_high);
    // A slope of 1 in the data is `aspect` on screen.
    const double aspect = (view.height * x_half) / (view.width * y_half);
    const double length =
        field_segment_share * std::min(view.width / field_columns, view.height / field_rows);
    for (int column = 0; column < field_columns; ++column) {
        const double x = interpolate(view.x_low, view.x_high, (column + 0.5) / field_columns);
        for (int row = 0; row < field_rows; ++row) {
            const double y = interpolate(view.y_low, view.y_high, (row + 0.5) / field_rows);
            const double slope = f(x, y);
            const double angle = std::atan(slope * aspect);
            if (!std::isfinite(slope) || !std::isfinite(angle)) {
                continue;
            }
            // Half the segment on screen is length / 2 pixels; a pixel is 2 x_half / width.
            const double dx = length * std::cos(angle) * x_half / view.width;
            const double dy = length * std::sin(angle) * y_half / view.height;
            const Segment segment{{x - dx, y - dy}, {x + dx, y + dy}};
            if (finite(segment.from) && finite(segment.to)) {
                segments.push_back(segment);
            }
        }
    }
    return segments;
}

std::vector<Point> solution_through(const Equation& f, Point start, const PlotView& view) {
    if (!usable_view(view) || !finite(start)) {
        return {};
    }
    const double h = half_span(view.x_low, view.x_high) / (solution_passes / 2);
    const double y_half = half_span(view.y_low, view.y_high);
    const double low = view.y_low - 2 * y_half;
    const double high = view.y_high + 2 * y_half;

    std::vector<Point> backward;
    follow_solution(f, start, -h, passes_between(view.x_low, start.x, h), low, high, backward);
    std::vector<Point> points(backward.rbegin(), backward.rend());
    points.push_back(start);
    follow_solution(f, start, h, passes_between(start.x, view.x_high, h), low, high, points);
    return points;
}

Point clicked_point(Point clicked, const PlotView& view) {
    if (!usable_view(view)) {
        return clicked;
    }
    return {rounded(clicked.x, 2 * half_span(view.x_low, view.x_high) / view.width),
            rounded(clicked.y, 2 * half_span(view.y_low, view.y_high) / view.height)};
}

std::string solution_legend(Point through, const NumberLocale& locale) {
    std::string out(text::through);
    out += format_general(through.x, locale);
    out += list_separator(locale);
    out += ' ';
    out += format_general(through.y, locale);
    out += ')';
    return out;
}

} // namespace calc
