// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/component_plot.h"

#include "calc/analysis/system_course.h"
#include "calc/analysis/system_problem.h"
#include "qt/qt_text.h"
#include "window/plots/plot_curves.h"

#include <QChart>
#include <QLineSeries>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

constexpr char exact_suffix[] = " exakt";

// Blue, orange, green and purple: told apart also in print.
constexpr std::array<QRgb, 4> component_colours = {0x1f77b4, 0xff7f0e, 0x2ca02c, 0x9467bd};

QChart* chartOf(const calc::SystemCourse& course, const QLocale& locale) {
    QChart* chart = plot::newChart(locale);
    const std::vector<std::string> names =
        calc::component_names(course.problem.form, course.size());
    std::vector<double> xs;
    std::vector<double> ys;
    xs.reserve(course.rows.size());
    for (std::size_t i = 0; i < course.size(); ++i) {
        std::vector<QPointF> points;
        points.reserve(course.rows.size());
        for (const calc::SystemCourseRow& row : course.rows) {
            points.emplace_back(row.point.x, row.point.y[i]);
        }
        const QList<QPointF> shown = plot::finitePoints(points);
        for (const QPointF& point : shown) {
            if (i == 0) {
                xs.push_back(point.x());
            }
            ys.push_back(point.y());
        }
        auto* series = new QLineSeries(chart);
        series->setName(fromUtf8(names[i]));
        series->setPen(QPen(ComponentPlot::componentColour(i), 1.5));
        // Markers only where they stay apart: thousands of them would hide the line.
        series->setPointsVisible(course.rows.size() <= 200);
        series->setMarkerSize(5);
        series->replace(shown);
        chart->addSeries(series);
    }
    const plot::Range xRange = plot::withMargin(plot::rangeOf(xs));
    const plot::Range yRange = plot::withMargin(plot::rangeOf(ys));
    // The exact curves are cut where they leave the points' range by more than its height.
    const double span = yRange.high / 2 - yRange.low / 2;
    const plot::Range band{std::max(yRange.low - span, -plot::axis_limit),
                           std::min(yRange.high + span, plot::axis_limit)};
    for (std::size_t i = 0; i < course.size() && !course.exact_samples.empty(); ++i) {
        std::vector<QPointF> exact;
        exact.reserve(course.exact_samples.size());
        for (const calc::SystemPoint& sample : course.exact_samples) {
            exact.emplace_back(sample.x, sample.y[i]);
        }
        plot::addPieces(chart, plot::piecesWithin(exact, band), fromUtf8(names[i] + exact_suffix),
                        QPen(ComponentPlot::componentColour(i), 1, Qt::DashLine));
    }
    plot::addAxes(chart, QStringLiteral("y"), xRange, yRange);
    return chart;
}

} // namespace

ComponentPlot::ComponentPlot(const calc::SystemCourse& course, const QLocale& locale,
                             QWidget* parent)
    : ChartPlot(chartOf(course, locale), locale, "Diagramm", parent) {}

QColor ComponentPlot::componentColour(std::size_t i) {
    return QColor(component_colours[i % component_colours.size()]);
}
