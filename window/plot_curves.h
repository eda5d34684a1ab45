// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/plot_axes.h"

#include <QList>
#include <QPen>
#include <QPointF>
#include <QString>

#include <vector>

class QChart;
class QChartView;
class QLocale;

namespace plot {

// An empty chart whose axes write numbers as the locale does, without grouping, like the tables.
QChart* newChart(const QLocale& locale);

// Sets up a view that only shows: it takes no focus, so Tab passes it by.
void setUpView(QChartView* view, const char* name);

// The curve through the points as unbroken pieces within the band: a piece ends where the
// curve leaves the band, at the band's edge, so that the visible part is drawn exactly.
std::vector<QList<QPointF>> piecesWithin(const std::vector<QPointF>& points, Range band);

// Adds the pieces as line series of one name, listed once in the legend.
void addPieces(QChart* chart, const std::vector<QList<QPointF>>& pieces, const QString& name,
               const QPen& pen);

} // namespace plot
