// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/comparison_plot.h"

#include "calc/analysis/comparison.h"
#include "qt/qt_text.h"
#include "window/plots/plot_curves.h"

#include <QChart>
#include <QLineSeries>

#include <vector>

namespace {

// The five methods' points and the exact solution.
QChart* chartOf(const calc::Comparison& comparison, const QLocale& locale) {
    QChart* chart = plot::newChart(locale);
    std::vector<double> xs;
    std::vector<double> ys;
    for (const calc::Course& course : comparison.courses) {
        std::vector<QPointF> points;
        for (const calc::CourseRow& row : course.rows) {
            points.emplace_back(row.point.x, row.point.y);
            xs.push_back(row.point.x);
            ys.push_back(row.point.y);
        }
        auto* series = new QLineSeries(chart);
        series->setName(fromUtf8(calc::method_info(course.method).column));
        series->setPen(QPen(plot::methodColour(course.method), 1));
        series->setPointsVisible(true);
        series->setMarkerSize(5);
        series->replace(plot::finitePoints(points));
        chart->addSeries(series);
    }
    plot::addExactCurveAndAxes(chart, comparison.courses.front(), xs, ys, QPen(Qt::black, 1.5));
    return chart;
}

} // namespace

ComparisonPlot::ComparisonPlot(const calc::Comparison& comparison, const QLocale& locale,
                               QWidget* parent)
    : ChartPlot(chartOf(comparison, locale), locale, "Vergleichsdiagramm", parent) {}

void ComparisonPlot::showComparison(const calc::Comparison& comparison) {
    replaceChart(chartOf(comparison, numberLocale()));
}
