// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/comparison_plot.h"

#include "calc/comparison.h"
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

// As on the course page: near a pole the y range follows the methods' points alone.
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
    const calc::Course& first = comparison.courses.front();
    std::vector<QPointF> exact;
    for (const calc::Point& sample : first.exact_samples) {
        if (std::isfinite(sample.x) && std::isfinite(sample.y)) {
            exact.emplace_back(sample.x, sample.y);
            if (!first.pole) {
                ys.push_back(sample.y);
            }
        }
    }
    const plot::Range xRange = plot::withMargin(plot::rangeOf(xs));
    const plot::Range yRange = plot::withMargin(plot::rangeOf(ys));
    const double span = yRange.high / 2 - yRange.low / 2;
    const plot::Range band{std::max(yRange.low - span, -plot::axis_limit),
                           std::min(yRange.high + span, plot::axis_limit)};
    plot::addPieces(chart, plot::piecesWithin(exact, band), QString::fromUtf8(text::exact_series),
                    QPen(Qt::black, 1.5));
    plot::addAxes(chart, QString::fromUtf8(text::y_axis), xRange, yRange);
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
