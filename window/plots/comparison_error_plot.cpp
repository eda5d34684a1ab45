// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/comparison_error_plot.h"

#include "calc/analysis/comparison.h"
#include "window/plots/plot_curves.h"
#include "qt/qt_text.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLogValueAxis>

#include <cmath>
#include <vector>

namespace {

namespace text {
constexpr char error_axis[] = "|Fehler|";
} // namespace text

// Consecutive rows with an error that a logarithmic scale can show, each run as one piece.
std::vector<QList<QPointF>> errorPieces(const calc::Course& course, std::vector<double>& sizes) {
    std::vector<QList<QPointF>> pieces;
    bool continues = false;
    for (const calc::CourseRow& row : course.rows) {
        const double size = row.error ? std::fabs(*row.error) : 0;
        if (!(size > 0) || !std::isfinite(size) || !std::isfinite(row.point.x)) {
            continues = false;
            continue;
        }
        if (!continues) {
            pieces.emplace_back();
        }
        pieces.back().append({row.point.x, size});
        sizes.push_back(size);
        continues = true;
    }
    return pieces;
}

QChart* chartOf(const calc::Comparison& comparison, const QLocale& locale) {
    QChart* chart = plot::newChart(locale);
    std::vector<double> xs;
    std::vector<double> sizes;
    for (std::size_t i = 0; i < comparison.courses.size(); ++i) {
        const calc::Course& course = comparison.courses[i];
        for (const calc::CourseRow& row : course.rows) {
            xs.push_back(row.point.x);
        }
        plot::addPieces(chart, errorPieces(course, sizes),
                        fromUtf8(calc::method_info(course.method).column),
                        QPen(plot::methodColor(i), 1.5));
    }
    QCategoryAxis* xAxis = plot::addLinearAxis(chart, QStringLiteral("x"), Qt::AlignBottom);
    QLogValueAxis* yAxis =
        plot::addLogAxis(chart, QString::fromUtf8(text::error_axis), Qt::AlignLeft, "%.0e");
    plot::attachToAll(chart, xAxis, yAxis);
    const plot::Range decades = plot::decadesAround(plot::rangeOf(sizes));
    yAxis->setRange(decades.low, decades.high);
    plot::setLinearRange(xAxis, plot::withMargin(plot::rangeOf(xs)), chart->locale());
    return chart;
}

} // namespace

ComparisonErrorPlot::ComparisonErrorPlot(const calc::Comparison& comparison, const QLocale& locale,
                                         QWidget* parent)
    : QChartView(chartOf(comparison, locale), parent), m_locale(locale) {
    plot::setUpView(this, "Fehlervergleich");
}

void ComparisonErrorPlot::showComparison(const calc::Comparison& comparison) {
    QChart* previous = chart();
    setChart(chartOf(comparison, m_locale));
    delete previous;
}
