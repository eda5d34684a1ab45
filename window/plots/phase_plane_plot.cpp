// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/phase_plane_plot.h"

#include "calc/analysis/system_course.h"
#include "calc/core/methods.h"
#include "qt/qt_text.h"
#include "window/plots/plot_curves.h"

#include <QChart>
#include <QLineSeries>

#include <string>
#include <vector>

namespace {

// Up to this many points the path marks each of them and is drawn as wide as the other plots'
// lines; beyond, the markers would cover the path, and a thinner line keeps the dense path
// readable and is drawn in half the time (the Lorenz example's 10,000 points in about 3 ms).
constexpr std::size_t marked_points = 500;
constexpr qreal marked_width = 2;
constexpr qreal dense_width = 1;

constexpr QRgb exact_colour = 0xd04020;

// The path of the course's points and the exact orbit, on axes over both.
QChart* chartOf(const calc::SystemCourse& course, calc::Plane plane, const QLocale& locale) {
    std::vector<double> as;
    std::vector<double> bs;
    const auto addLine = [&](QChart* chart, const std::vector<calc::Point>& points) {
        QList<QPointF> line;
        line.reserve(static_cast<qsizetype>(points.size()));
        for (const calc::Point& p : points) {
            line.append({p.x, p.y});
            as.push_back(p.x);
            bs.push_back(p.y);
        }
        auto* series = new QLineSeries(chart);
        series->replace(line);
        chart->addSeries(series);
        return series;
    };

    QChart* chart = plot::newChart(locale);
    const std::vector<calc::Point> path = calc::plane_path(course, plane);
    QLineSeries* method = addLine(chart, path);
    method->setName(fromUtf8(calc::method_info(course.method).name));
    const bool marked = path.size() <= marked_points;
    method->setPen(QPen(plot::methodColour(course.method), marked ? marked_width : dense_width));
    method->setPointsVisible(marked);
    method->setMarkerSize(6);
    if (const std::vector<calc::Point> exact = calc::exact_orbit(course, plane); !exact.empty()) {
        QLineSeries* orbit = addLine(chart, exact);
        orbit->setName(QString::fromUtf8(plot::exact_series));
        orbit->setPen(QPen(QColor(exact_colour), 1.5));
    }

    const std::vector<std::string> names =
        calc::component_names(course.problem.form, course.size());
    const bool fits = calc::fits(plane, names.size());
    plot::addAxes(chart, fits ? fromUtf8(names[plane.horizontal]) : QString(),
                  fits ? fromUtf8(names[plane.vertical]) : QString(),
                  plot::withMargin(plot::rangeOf(as)), plot::withMargin(plot::rangeOf(bs)));
    return chart;
}

} // namespace

PhasePlanePlot::PhasePlanePlot(const calc::SystemCourse& course, calc::Plane plane,
                               const QLocale& locale, QWidget* parent)
    : ChartPlot(chartOf(course, plane, locale), locale, name, parent) {
    setAccessibleName(QString::fromUtf8(name));
}

void PhasePlanePlot::showPlane(const calc::SystemCourse& course, calc::Plane plane) {
    replaceChart(chartOf(course, plane, numberLocale()));
}
