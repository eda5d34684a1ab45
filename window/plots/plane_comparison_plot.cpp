// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/plane_comparison_plot.h"

#include "calc/analysis/phase_plane.h"
#include "calc/analysis/system_comparison.h"
#include "calc/analysis/system_problem.h"
#include "qt/qt_text.h"
#include "window/plots/plot_curves.h"

#include <QAbstractAxis>
#include <QChart>
#include <QLineSeries>

#include <string>
#include <vector>

namespace {

constexpr char name[] = "Phasenvergleich";

std::vector<QPointF> pointsOf(const std::vector<calc::Point>& points) {
    std::vector<QPointF> out;
    out.reserve(points.size());
    for (const calc::Point& point : points) {
        out.emplace_back(point.x, point.y);
    }
    return out;
}

QChart* chartOf(const calc::SystemComparison& comparison, const QLocale& locale) {
    QChart* chart = plot::newChart(locale);
    const calc::Plane plane;
    std::vector<double> xs;
    std::vector<double> ys;
    for (const calc::SystemCourse& course : comparison.courses) {
        const QList<QPointF> shown = plot::finitePoints(pointsOf(calc::plane_path(course, plane)));
        for (const QPointF& point : shown) {
            xs.push_back(point.x());
            ys.push_back(point.y());
        }
        auto* series = new QLineSeries(chart);
        series->setName(fromUtf8(calc::method_info(course.method).column));
        series->setPen(QPen(plot::methodColour(course.method), 1.5));
        series->replace(shown);
        chart->addSeries(series);
    }
    const QList<QPointF> exact =
        plot::finitePoints(pointsOf(calc::exact_orbit(comparison.courses.front(), plane)));
    if (!exact.isEmpty()) {
        auto* series = new QLineSeries(chart);
        series->setName(QString::fromUtf8(plot::exact_series));
        series->setPen(QPen(Qt::black, 1, Qt::DashLine));
        series->replace(exact);
        chart->addSeries(series);
    }
    const std::vector<std::string> names =
        calc::component_names(comparison.problem().form, comparison.courses.front().size());
    plot::addAxes(chart, fromUtf8(names[plane.vertical]), plot::withMargin(plot::rangeOf(xs)),
                  plot::withMargin(plot::rangeOf(ys)));
    // The horizontal axis shows the first component, not x.
    if (QAbstractAxis* horizontal = chart->axes(Qt::Horizontal).value(0)) {
        horizontal->setTitleText(fromUtf8(names[plane.horizontal]));
    }
    return chart;
}

} // namespace

PlaneComparisonPlot::PlaneComparisonPlot(const calc::SystemComparison& comparison,
                                         const QLocale& locale, QWidget* parent)
    : ChartPlot(chartOf(comparison, locale), locale, name, parent) {
    setAccessibleName(QString::fromUtf8(name));
}
