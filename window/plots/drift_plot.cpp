// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/drift_plot.h"

#include "calc/analysis/system_comparison.h"
#include "qt/qt_text.h"
#include "window/plots/plot_curves.h"

#include <QChart>
#include <QLineSeries>

#include <vector>

namespace {

namespace text {
constexpr char name[] = "Drift der Erhaltungsgröße";
constexpr char axis[] = "E(x) − E(ug)";
} // namespace text

QChart* chartOf(const calc::SystemComparison& comparison, const QLocale& locale) {
    QChart* chart = plot::newChart(locale);
    std::vector<double> xs;
    std::vector<double> drifts;
    for (const calc::SystemCourse& course : comparison.courses) {
        std::vector<QPointF> points;
        for (const calc::Point& point : calc::drift_over_x(course)) {
            points.emplace_back(point.x, point.y);
        }
        const QList<QPointF> shown = plot::finitePoints(points);
        for (const QPointF& point : shown) {
            xs.push_back(point.x());
            drifts.push_back(point.y());
        }
        auto* series = new QLineSeries(chart);
        series->setName(fromUtf8(calc::method_info(course.method).column));
        series->setPen(QPen(plot::methodColour(course.method), 1.5));
        series->replace(shown);
        chart->addSeries(series);
    }
    plot::addAxes(chart, QString::fromUtf8(text::axis), plot::withMargin(plot::rangeOf(xs)),
                  plot::withMargin(plot::rangeOf(drifts)));
    return chart;
}

} // namespace

DriftPlot::DriftPlot(const calc::SystemComparison& comparison, const QLocale& locale,
                     QWidget* parent)
    : ChartPlot(chartOf(comparison, locale), locale, "Driftdiagramm", parent) {
    setAccessibleName(QString::fromUtf8(text::name));
}
