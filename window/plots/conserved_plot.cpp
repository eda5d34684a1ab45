// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/conserved_plot.h"

#include "calc/analysis/system_comparison.h"
#include "calc/core/methods.h"
#include "calc/text/system_captions.h"
#include "qt/qt_text.h"
#include "window/plots/plot_curves.h"

#include <QChart>
#include <QLineSeries>

#include <vector>

namespace {

QChart* chartOf(const calc::SystemCourse& course, const QLocale& locale) {
    std::vector<double> xs;
    std::vector<double> values;
    QList<QPointF> points;
    for (const calc::Point& p : calc::conserved_over_x(course)) {
        xs.push_back(p.x);
        values.push_back(p.y);
        points.append({p.x, p.y});
    }
    QChart* chart = plot::newChart(locale);
    auto* series = new QLineSeries(chart);
    series->setName(fromUtf8(calc::method_info(course.method).name));
    series->setColor(plot::methodColour(course.method));
    series->replace(points);
    chart->addSeries(series);
    plot::addAxes(chart, fromUtf8(calc::caption::conserved), plot::withMargin(plot::rangeOf(xs)),
                  plot::withMargin(plot::rangeOf(values)));
    return chart;
}

} // namespace

ConservedPlot::ConservedPlot(const calc::SystemCourse& course, const QLocale& locale,
                             QWidget* parent)
    : ChartPlot(chartOf(course, locale), locale, name, parent) {
    setAccessibleName(QString::fromUtf8(name));
}
