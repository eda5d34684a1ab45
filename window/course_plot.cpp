// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course_plot.h"

#include "calc/course.h"
#include "window/plot_curves.h"
#include "window/qt_text.h"

#include <QChart>
#include <QLineSeries>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

namespace text {
constexpr char exact_series[] = "exakte Lösung";
constexpr char y_axis[] = "y";
} // namespace text

// Near a pole the exact solution blows up; the y range then follows the method's points alone,
// and the exact curve is cut where it leaves the plot well outside that range.
QChart* chartOf(const calc::Course& course, const QLocale& locale) {
    std::vector<double> xs;
    std::vector<double> ys;
    QList<QPointF> points;
    for (const calc::CourseRow& row : course.rows) {
        xs.push_back(row.point.x);
        ys.push_back(row.point.y);
        if (std::isfinite(row.point.x) && std::isfinite(row.point.y)) {
            points.append({row.point.x, row.point.y});
        }
    }
    std::vector<QPointF> exactPoints;
    for (const calc::Point& sample : course.exact_samples) {
        if (std::isfinite(sample.x) && std::isfinite(sample.y)) {
            exactPoints.emplace_back(sample.x, sample.y);
            if (!course.pole) {
                ys.push_back(sample.y);
            }
        }
    }
    const plot::Range xRange = plot::withMargin(plot::rangeOf(xs));
    const plot::Range yRange = plot::withMargin(plot::rangeOf(ys));
    const double span = yRange.high / 2 - yRange.low / 2;
    const plot::Range band{std::max(yRange.low - span, -plot::axis_limit),
                           std::min(yRange.high + span, plot::axis_limit)};

    QChart* next = plot::newChart(locale);
    auto* method = new QLineSeries(next);
    method->setName(fromUtf8(calc::method_info(course.method).name));
    method->setPointsVisible(true);
    method->setMarkerSize(6);
    method->replace(points);
    next->addSeries(method);
    plot::addPieces(next, plot::piecesWithin(exactPoints, band),
                    QString::fromUtf8(text::exact_series), QPen(QColor(0xd0, 0x40, 0x20), 1.5));
    plot::addAxes(next, QString::fromUtf8(text::y_axis), xRange, yRange);
    return next;
}

} // namespace

CoursePlot::CoursePlot(const calc::Course& course, const QLocale& locale, QWidget* parent)
    : QChartView(chartOf(course, locale), parent), m_locale(locale) {
    plot::setUpView(this, "Diagramm");
}

void CoursePlot::showCourse(const calc::Course& course) {
    QChart* previous = chart();
    setChart(chartOf(course, m_locale));
    delete previous;
}
