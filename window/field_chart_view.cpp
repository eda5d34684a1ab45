// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/field_chart_view.h"

#include "calc/direction_field.h"
#include "window/direction_field_item.h"

#include <QApplication>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The solutions' colours, apart from each other and from the course's own series.
constexpr std::array<QRgb, FieldChartView::most_solutions> solution_colours = {
    0x7b3fa0, 0x1b9e9e, 0xe08a00, 0x8c564b, 0xd6449a, 0x7a8a10, 0x1f3f8f, 0x606060};

constexpr QRgb highlight_colour = 0xff8000;

QValueAxis* firstAxis(const QChart* chart, Qt::Orientation orientation) {
    const QList<QAbstractAxis*> axes = chart->axes(orientation);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.front());
}

} // namespace

FieldChartView::FieldChartView(QChart* chart, const calc::Equation& equation,
                               const calc::NumberLocale& locale, QWidget* parent)
    : QChartView(chart, parent), m_equation(equation), m_locale(locale) {
    setRenderHint(QPainter::Antialiasing);
    m_field = new DirectionFieldItem(chart, equation);
    m_highlight = new QLineSeries(chart);
    m_highlight->setPen(QPen(QColor(highlight_colour), 3));
    m_highlight->setPointsVisible(true);
    m_highlight->setMarkerSize(11);
    attach(m_highlight, false);
}

void FieldChartView::setFieldVisible(bool visible) {
    m_field->setVisible(visible);
}

bool FieldChartView::isFieldVisible() const {
    return m_field->isVisible();
}

// Adds the series on the chart's axes without changing their ranges, which attaching a series
// may widen to its points.
void FieldChartView::attach(QLineSeries* series, bool inLegend) {
    QValueAxis* x = firstAxis(chart(), Qt::Horizontal);
    QValueAxis* y = firstAxis(chart(), Qt::Vertical);
    chart()->addSeries(series);
    if (x && y) {
        const double xLow = x->min(), xHigh = x->max(), yLow = y->min(), yHigh = y->max();
        series->attachAxis(x);
        series->attachAxis(y);
        x->setRange(xLow, xHigh);
        y->setRange(yLow, yHigh);
    }
    if (!inLegend) {
        for (QLegendMarker* marker : chart()->legend()->markers(series)) {
            marker->setVisible(false);
        }
    }
}

void FieldChartView::highlightPass(const std::optional<calc::PassView>& pass) {
    if (!pass || !std::isfinite(pass->next.x) || !std::isfinite(pass->next.y)) {
        m_highlight->clear();
        return;
    }
    m_highlight->replace(
        {QPointF(pass->start.x, pass->start.y), QPointF(pass->next.x, pass->next.y)});
}

bool FieldChartView::addSolutionThrough(QPointF value) {
    const calc::PlotView view = DirectionFieldItem::viewOf(chart());
    const bool inside = value.x() >= std::min(view.x_low, view.x_high) &&
                        value.x() <= std::max(view.x_low, view.x_high) &&
                        value.y() >= std::min(view.y_low, view.y_high) &&
                        value.y() <= std::max(view.y_low, view.y_high);
    if (!inside) {
        return false;
    }
    const calc::Point through = calc::clicked_point({value.x(), value.y()}, view);
    QList<QPointF> points;
    for (const calc::Point& p : calc::solution_through(m_equation, through, view)) {
        points.append(QPointF(p.x, p.y));
    }
    if (m_solutions.size() == most_solutions) {
        QLineSeries* oldest = m_solutions.takeFirst();
        chart()->removeSeries(oldest);
        delete oldest;
    }
    auto* series = new QLineSeries(chart());
    series->setName(QString::fromStdString(calc::solution_legend(through, m_locale)));
    series->setPen(QPen(freeColour(), 1.5));
    series->replace(points);
    attach(series, true);
    m_solutions.append(series);
    return true;
}

void FieldChartView::clearSolutions() {
    for (QLineSeries* series : m_solutions) {
        chart()->removeSeries(series);
        delete series;
    }
    m_solutions.clear();
}

// The first colour of the list that no solution drawn has.
QColor FieldChartView::freeColour() const {
    for (const QRgb rgb : solution_colours) {
        const bool taken = std::any_of(m_solutions.begin(), m_solutions.end(), [&](QLineSeries* s) {
            return s->pen().color() == QColor(rgb);
        });
        if (!taken) {
            return QColor(rgb);
        }
    }
    return QColor(solution_colours.front());
}

void FieldChartView::mousePressEvent(QMouseEvent* event) {
    m_pressedAt.reset();
    if (event->button() == Qt::LeftButton) {
        m_pressedAt = event->position().toPoint();
    }
    QChartView::mousePressEvent(event);
}

// A click, not a drag, inside the plot area draws the solution through the point.
void FieldChartView::mouseReleaseEvent(QMouseEvent* event) {
    QChartView::mouseReleaseEvent(event);
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !m_pressedAt ||
        (at - *m_pressedAt).manhattanLength() > QApplication::startDragDistance()) {
        return;
    }
    m_pressedAt.reset();
    const QPointF inChart = chart()->mapFromScene(mapToScene(at));
    if (chart()->plotArea().contains(inChart)) {
        addSolutionThrough(chart()->mapToValue(inChart, m_highlight));
    }
}
