// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/course_plot.h"

#include "calc/analysis/course.h"
#include "calc/core/methods.h"
#include "qt/qt_text.h"
#include "window/plots/plot_curves.h"

#include <QChart>
#include <QLineSeries>

#include <vector>

namespace {

// The method's points and the exact solution.
QChart* chartOf(const calc::Course& course, const QString& pointsName, const QLocale& locale) {
    std::vector<double> xs;
    std::vector<double> ys;
    QList<QPointF> points;
    for (const calc::CourseRow& row : course.rows) {
        xs.push_back(row.point.x);
        ys.push_back(row.point.y);
        if (calc::finite(row.point)) {
            points.append({row.point.x, row.point.y});
        }
    }
    QChart* next = plot::newChart(locale);
    auto* method = new QLineSeries(next);
    method->setName(pointsName.isEmpty() ? fromUtf8(calc::method_info(course.method).name)
                                         : pointsName);
    method->setPointsVisible(true);
    method->setMarkerSize(6);
    method->replace(points);
    next->addSeries(method);
    plot::addExactCurveAndAxes(next, course, xs, ys, QPen(QColor(0xd0, 0x40, 0x20), 1.5));
    return next;
}

} // namespace

CoursePlot::CoursePlot(const calc::Course& course, const QLocale& locale, QWidget* parent)
    : CoursePlot(course, QString(), locale, parent) {}

CoursePlot::CoursePlot(const calc::Course& course, const QString& pointsName, const QLocale& locale,
                       QWidget* parent)
    : ChartPlot(chartOf(course, pointsName, locale), locale, "Diagramm", parent),
      m_pointsName(pointsName) {}

void CoursePlot::showCourse(const calc::Course& course) {
    replaceChart(chartOf(course, m_pointsName, numberLocale()));
}
