// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/direction_field.h"

#include <QGraphicsObject>
#include <QLineF>
#include <QList>

#include <functional>
#include <vector>

class QChart;

// A direction field, drawn into a chart's plot area behind its series: an equation's over y and
// x, or a system's in its phase plane. It follows the chart's axes and the plot area's size on
// screen, so that its segments stay equally long however the plot is resized.
class DirectionFieldItem : public QGraphicsObject {
    Q_OBJECT

public:
    // The segments of the field over a view, in the axes' values.
    using Field = std::function<std::vector<calc::Segment>(const calc::PlotView& view)>;

    // Draws into `chart`, whose first horizontal and vertical axes give the range.
    DirectionFieldItem(QChart* chart, Field field);

    // The view the field was last computed for: the axes' ranges and the plot area's size.
    static calc::PlotView viewOf(const QChart* chart);

    // The segments as drawn, in the chart's coordinates.
    const QList<QLineF>& lines() const { return m_lines; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    void refresh();

    QChart* m_chart;
    Field m_field;
    QList<QLineF> m_lines;
    QRectF m_area;
};
