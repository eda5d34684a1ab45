// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <Qt>

#include <limits>
#include <optional>
#include <vector>

class QAbstractAxis;
class QCategoryAxis;
class QChart;
class QLocale;
class QLogValueAxis;
class QValueAxis;

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
// The same with the horizontal axis titled `xTitle`, as a phase plane's component.
void addAxes(QChart* chart, const QString& xTitle, const QString& yTitle, Range x, Range y);

// A linear axis on the chart's `side`, without a range yet.
QCategoryAxis* addLinearAxis(QChart* chart, const QString& title, Qt::Alignment side);
// Sets the range and labels round values within it, 1, 2 or 5 times a power of ten apart, in
// the locale, in place of the labels it had. Set it after the series are attached, as attaching
// replaces a span that Qt Charts takes for zero (below 1e-12) by the series' own.
void setLinearRange(QCategoryAxis* axis, Range range, const QLocale& locale);

// A logarithmic axis on the chart's `side`, labelled by `format`, "%.<precision><e|f|g>" as
// QLocale writes it. Set its range after the series are attached, as attaching replaces it by
// the series' own.
QLogValueAxis* addLogAxis(QChart* chart, const QString& title, Qt::Alignment side,
                          const char* format);

// Whole decades around the range of positive values; 0,001 to 1 for none.
Range decadesAround(std::optional<Range> values);

// Attaches every series of the chart to both axes.
void attachToAll(QChart* chart, QAbstractAxis* x, QAbstractAxis* y);

// The chart's first axis of the orientation if it is a value axis, else none.
QValueAxis* firstAxis(const QChart* chart, Qt::Orientation orientation);

} // namespace plot
