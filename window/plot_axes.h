// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <limits>
#include <optional>
#include <vector>

class QChart;
class QLocale;

namespace plot {

// Axis ranges stay this far inside the doubles, so that their spans are finite too.
inline constexpr double axis_limit = std::numeric_limits<double>::max() / 4;

struct Range {
    double low;
    double high;
};

// The smallest range holding the finite values, if there are any.
std::optional<Range> rangeOf(const std::vector<double>& values);

// The range widened by a margin on each side, within the axis limits; -1 to 1 for none.
Range withMargin(std::optional<Range> range);

// Linear axes x and `yTitle` over the ranges, labelled at round values in the chart's locale,
// attached to every series of the chart; call after the series are added.
void addAxes(QChart* chart, const QString& yTitle, Range x, Range y);

} // namespace plot
