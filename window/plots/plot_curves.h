// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/core/methods.h"
#include "window/plots/plot_axes.h"

#include <QColor>
#include <QList>
#include <QPen>
#include <QPointF>
#include <QString>

#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

class QChart;
class QChartView;
class QLocale;
class QWidget;

namespace calc {
struct Course;
} // namespace calc

namespace plot {

// The name of the exact solution's curve in every plot.
inline constexpr char exact_series[] = "exakte Lösung";
// The name of the curve that stands in for an unknown solution over one pass.
inline constexpr char local_solution_series[] = "Lösung (RK4, 64 Teilschritte)";
// The name of the line from a pass's start to the point it reaches.
inline constexpr char pass_series[] = "Schritt";

// An empty chart whose axes write numbers as the locale does, without grouping, like the tables.
QChart* newChart(const QLocale& locale);

// Sets up a view that only shows: it takes no focus, so Tab passes it by.
void setUpView(QChartView* view, const char* name);

// Gives a panel of the course page room for its plot: high enough for the axes, their labels and
// the legend around a readable plot area, and wide enough for what the plot draws however
// narrow the table is.
void setPanelMinimumSize(QWidget* panel, QWidget* plot);

// The curve through the points as unbroken pieces within the band: a piece ends where the
// curve leaves the band, at the band's edge, so that the visible part is drawn exactly.
std::vector<QList<QPointF>> piecesWithin(const std::vector<QPointF>& points, Range band);

// The method's colour, the same in every plot.
QColor methodColour(calc::Method method);

// Whether both coordinates are finite.
bool finite(QPointF point);

// The points whose coordinates are both finite.
QList<QPointF> finitePoints(const std::vector<QPointF>& points);

// The course's errors over x as unbroken pieces: a row without an error to draw ends a piece.
// With `sizes`, the pieces hold |error| where a logarithmic scale can show it, else the error.
// The rows are a scalar's or a system's (whose error is already a norm).
template <class Row>
std::vector<QList<QPointF>> errorPieces(const std::vector<Row>& rows, bool sizes) {
    std::vector<QList<QPointF>> pieces;
    bool continues = false;
    for (const Row& row : rows) {
        std::optional<double> value = row.error;
        if (sizes) {
            const double size = row.error ? std::fabs(*row.error) : 0;
            value = size > 0 && std::isfinite(size) ? std::optional(size) : std::nullopt;
        }
        if (!value || !std::isfinite(row.point.x)) {
            continues = false;
            continue;
        }
        if (!continues) {
            pieces.emplace_back();
        }
        pieces.back().append({row.point.x, *value});
        continues = true;
    }
    return pieces;
}
std::vector<QList<QPointF>> errorPieces(const calc::Course& course, bool sizes);

// The ordinates of the pieces' points.
std::vector<double> ordinatesOf(const std::vector<QList<QPointF>>& pieces);

// Adds the pieces as line series of one name, listed once in the legend.
void addPieces(QChart* chart, const std::vector<QList<QPointF>>& pieces, const QString& name,
               const QPen& pen);

// Adds the exact solution of the course as a curve, and axes "x" and "y" over the x and y values
// of the points drawn. Near a pole the exact solution blows up, so there the y range follows
// the points alone, and the curve is cut where it leaves the plot well outside that range.
void addExactCurveAndAxes(QChart* chart, const calc::Course& course, const std::vector<double>& xs,
                          std::vector<double> ys, const QPen& pen);

} // namespace plot
