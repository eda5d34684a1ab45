// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/comparison_plot.h"

#include "calc/analysis/comparison.h"
#include "window/plots/plot_curves.h"
#include "qt/qt_text.h"

#include <QChart>
#include <QLineSeries>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The five methods' points and the exact solution.
QChart* chartOf(const calc::Comparison& comparison, const QLocale& locale) {
    QChart* chart = plot::newChart(locale);
    std::vector<double> xs;
    std::vector<double> ys;
    for (std::size_t i = 0; i < comparison.courses.size(); ++i) {
        const calc::Course& course = comparison.courses[i];
        std::vector<QPointF> points;
        for (const calc::CourseRow& row : course.rows) {
            points.emplace_back(row.point.x, row.point.y);
            xs.push_back(row.point.x);
            ys.push_back(row.point.y);
        }
        auto* series = new QLineSeries(chart);
        series->setName(fromUtf8(calc::method_info(course.method).column));
        series->setPen(QPen(plot::methodColor(i), 1));
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
    : QChartView(chartOf(comparison, locale), parent), m_locale(locale) {
    plot::setUpView(this, "Vergleichsdiagramm");
}

void ComparisonPlot::showComparison(const calc::Comparison& comparison) {
    QChart* previous = chart();
    setChart(chartOf(comparison, m_locale));
    delete previous;
}
