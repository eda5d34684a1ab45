// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/field_overlay.h"

#include "calc/analysis/direction_field.h"
#include "calc/core/methods.h"
#include "window/plots/direction_field_item.h"
#include "window/plots/plot_axes.h"
#include "window/plots/plot_curves.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// The solutions' colours, apart from each other and from the course's own series.
constexpr std::array<QRgb, FieldOverlay::most_solutions> solution_colours = {
    0x7b3fa0, 0x1b9e9e, 0xe08a00, 0x8c564b, 0xd6449a, 0x7a8a10, 0x1f3f8f, 0x606060};

constexpr QRgb highlight_colour = 0xff8000;

// A series bound to a chart must leave it before it goes.
void deleteSeries(QLineSeries* series) {
    if (!series) {
        return;
    }
    if (QChart* chart = series->chart()) {
        chart->removeSeries(series);
    }
    delete series;
}

} // namespace

FieldOverlay::FieldOverlay(QChartView* view, DirectionFieldItem::Field field, CurveThrough through)
    : QObject(view), m_view(view), m_fieldOf(std::move(field)), m_through(std::move(through)) {
    view->viewport()->installEventFilter(this);
    attachToChart();
}

DirectionFieldItem::Field FieldOverlay::equationField(const calc::Equation& equation) {
    return [equation](const calc::PlotView& view) { return calc::direction_field(equation, view); };
}

FieldOverlay::CurveThrough FieldOverlay::equationSolutions(const calc::Equation& equation,
                                                           const calc::NumberLocale& locale) {
    return [equation, locale](QPointF value, const calc::PlotView& view) {
        const calc::Point through = calc::clicked_point({value.x(), value.y()}, view);
        Through curve{QString::fromStdString(calc::solution_legend(through, locale)), {}};
        for (const calc::Point& p : calc::solution_through(equation, through, view)) {
            curve.points.append(QPointF(p.x, p.y));
        }
        return curve;
    };
}

// Adds the field, the highlight and the solutions to the view's chart, and again to the chart
// that replaces it. That happens once the old chart has gone and control is back in the event
// loop, when the view shows its successor; a view that goes takes this overlay with it first.
void FieldOverlay::attachToChart() {
    QChart* chart = m_view->chart();
    if (!chart || chart == m_chart) {
        return;
    }
    m_chart = chart;
    m_legendAlignment = chart->legend()->alignment();
    m_legendFont = chart->legend()->font();
    connect(chart, &QObject::destroyed, this, &FieldOverlay::attachToChart, Qt::QueuedConnection);
    // A legend too narrow for the solutions' names shows them whole on hovering.
    chart->legend()->setShowToolTips(true);
    if (m_fieldOf) {
        m_field = new DirectionFieldItem(chart, m_fieldOf);
        m_field->setVisible(m_fieldVisible);
    }
    m_highlight = new QLineSeries(chart);
    m_highlight->setPen(QPen(QColor(highlight_colour), 3));
    m_highlight->setPointsVisible(true);
    m_highlight->setMarkerSize(9);
    m_highlight->replace(m_highlighted);
    addSeries(m_highlight, false);
    for (Curve& curve : m_curves) {
        showCurve(curve);
    }
    placeLegend();
}

// The solutions' names need more room than a row under the plot gives, so while there are any
// the legend lists its entries beside the plot, one under another in a smaller font, as wide as
// its longest name with its marker, up to half the chart.
void FieldOverlay::placeLegend() {
    if (!m_chart) {
        return;
    }
    QLegend* legend = m_chart->legend();
    QFont font = m_legendFont;
    qreal width = 0;
    if (!m_curves.empty()) {
        font.setPointSizeF(font.pointSizeF() * 0.75);
        const QFontMetricsF metrics(font);
        for (const QAbstractSeries* series : m_chart->series()) {
            width = std::max(width, metrics.horizontalAdvance(series->name()));
        }
        width = std::min(width + 4 * metrics.height(), m_chart->size().width() / 2);
    }
    legend->setAlignment(m_curves.empty() ? m_legendAlignment : Qt::AlignRight);
    legend->setFont(font);
    legend->setMinimumWidth(width);
}

// Adds the series on the chart's axes without changing their ranges, which attaching a series
// may widen to its points.
void FieldOverlay::addSeries(QLineSeries* series, bool inLegend) {
    QValueAxis* x = plot::firstAxis(m_chart, Qt::Horizontal);
    QValueAxis* y = plot::firstAxis(m_chart, Qt::Vertical);
    m_chart->addSeries(series);
    if (x && y) {
        const double xLow = x->min(), xHigh = x->max(), yLow = y->min(), yHigh = y->max();
        series->attachAxis(x);
        series->attachAxis(y);
        x->setRange(xLow, xHigh);
        y->setRange(yLow, yHigh);
    }
    if (!inLegend) {
        for (QLegendMarker* marker : m_chart->legend()->markers(series)) {
            marker->setVisible(false);
        }
    }
}

void FieldOverlay::showCurve(Curve& curve) {
    curve.series = new QLineSeries(m_chart);
    curve.series->setName(curve.name);
    curve.series->setPen(QPen(curve.colour, 1.5));
    curve.series->replace(curve.points);
    addSeries(curve.series, true);
}

void FieldOverlay::setFieldVisible(bool visible) {
    m_fieldVisible = visible;
    if (m_field) {
        m_field->setVisible(visible);
    }
}

void FieldOverlay::highlightPass(const std::optional<calc::PassView>& pass) {
    QList<QPointF> points;
    if (pass && calc::finite(pass->start) && calc::finite(pass->next)) {
        points = {QPointF(pass->start.x, pass->start.y), QPointF(pass->next.x, pass->next.y)};
    }
    highlightPoints(points);
}

void FieldOverlay::highlightPoints(const QList<QPointF>& points) {
    m_highlighted.clear();
    for (const QPointF& point : points) {
        if (!plot::finite(point)) {
            break;
        }
        m_highlighted.append(point);
    }
    if (m_highlight) {
        m_highlight->replace(m_highlighted);
        // A line series repaints only where its points are now, which leaves the markers of
        // the pass highlighted before on the screen.
        m_view->viewport()->update();
    }
}

bool FieldOverlay::addSolutionThrough(QPointF value) {
    if (!m_chart || !m_through) {
        return false;
    }
    const calc::PlotView view = DirectionFieldItem::viewOf(m_chart);
    if (!(value.x() >= view.x_low && value.x() <= view.x_high && value.y() >= view.y_low &&
          value.y() <= view.y_high)) {
        return false;
    }
    Through through = m_through(value, view);
    Curve curve{std::move(through.name), QColor(), std::move(through.points), {}};
    if (m_curves.size() == most_solutions) {
        deleteSeries(m_curves.front().series);
        m_curves.erase(m_curves.begin());
    }
    curve.colour = freeColour();
    showCurve(curve);
    m_curves.push_back(std::move(curve));
    placeLegend();
    return true;
}

QList<QLineSeries*> FieldOverlay::solutions() const {
    QList<QLineSeries*> series;
    for (const Curve& curve : m_curves) {
        if (curve.series) {
            series.append(curve.series);
        }
    }
    return series;
}

void FieldOverlay::clearSolutions() {
    for (const Curve& curve : m_curves) {
        deleteSeries(curve.series);
    }
    m_curves.clear();
    placeLegend();
}

// The first colour of the list that no solution drawn has.
QColor FieldOverlay::freeColour() const {
    for (const QRgb rgb : solution_colours) {
        const bool taken = std::any_of(m_curves.begin(), m_curves.end(), [&](const Curve& curve) {
            return curve.colour == QColor(rgb);
        });
        if (!taken) {
            return QColor(rgb);
        }
    }
    return QColor(solution_colours.front());
}

// A click, not a drag, inside the plot area draws the solution through the point.
bool FieldOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_pressedAt.reset();
        if (mouse->button() == Qt::LeftButton) {
            m_pressedAt = mouse->position().toPoint();
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        if (mouse->button() == Qt::LeftButton && m_pressedAt &&
            (at - *m_pressedAt).manhattanLength() <= QApplication::startDragDistance()) {
            click(at);
        }
        m_pressedAt.reset();
    }
    return QObject::eventFilter(watched, event);
}

void FieldOverlay::click(QPoint at) {
    if (!m_chart || !m_highlight) {
        return;
    }
    const QPointF inChart = m_chart->mapFromScene(m_view->mapToScene(at));
    if (m_chart->plotArea().contains(inChart)) {
        addSolutionThrough(m_chart->mapToValue(inChart, m_highlight));
    }
}
