// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/direction_field_item.h"

#include "window/plots/plot_curves.h"

#include <QChart>
#include <QPainter>
#include <QPen>
#include <QValueAxis>

#include <utility>

namespace {

// Above the grid and below the axes and series of a chart.
constexpr qreal field_z = 2.5;

} // namespace

DirectionFieldItem::DirectionFieldItem(QChart* chart, Field field)
    : QGraphicsObject(chart), m_chart(chart), m_field(std::move(field)) {
    setZValue(field_z);
    setAcceptedMouseButtons(Qt::NoButton);
    connect(chart, &QChart::plotAreaChanged, this, &DirectionFieldItem::refresh);
    for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        if (QValueAxis* axis = plot::firstAxis(chart, orientation)) {
            connect(axis, &QValueAxis::rangeChanged, this, &DirectionFieldItem::refresh);
        }
    }
    refresh();
}

calc::PlotView DirectionFieldItem::viewOf(const QChart* chart) {
    const QValueAxis* x = plot::firstAxis(chart, Qt::Horizontal);
    const QValueAxis* y = plot::firstAxis(chart, Qt::Vertical);
    const QRectF area = chart->plotArea();
    if (!x || !y) {
        return {0, 0, 0, 0, 0, 0};
    }
    return {x->min(), x->max(), y->min(), y->max(), area.width(), area.height()};
}

void DirectionFieldItem::refresh() {
    const calc::PlotView view = viewOf(m_chart);
    const std::vector<calc::Segment> segments = m_field(view);
    prepareGeometryChange();
    m_area = m_chart->plotArea();
    m_lines.clear();
    m_lines.reserve(static_cast<qsizetype>(segments.size()));
    // The axes map linearly onto the plot area, y upwards; halves keep huge ranges finite.
    const auto share = [](double value, double low, double high) {
        return (value / 2 - low / 2) / (high / 2 - low / 2);
    };
    for (const calc::Segment& segment : segments) {
        const QLineF line(
            m_area.left() + share(segment.from.x, view.x_low, view.x_high) * m_area.width(),
            m_area.bottom() - share(segment.from.y, view.y_low, view.y_high) * m_area.height(),
            m_area.left() + share(segment.to.x, view.x_low, view.x_high) * m_area.width(),
            m_area.bottom() - share(segment.to.y, view.y_low, view.y_high) * m_area.height());
        if (plot::finite(line.p1()) && plot::finite(line.p2())) {
            m_lines.append(line);
        }
    }
    update();
}

QRectF DirectionFieldItem::boundingRect() const {
    return m_area;
}

void DirectionFieldItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->save();
    painter->setClipRect(m_area);
    QPen pen(QColor(0x90, 0x90, 0x90), 1.2);
    pen.setCapStyle(Qt::RoundCap);
    painter->setPen(pen);
    painter->drawLines(m_lines);
    painter->restore();
}
