// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/comparison_error_plot.h"

#include "calc/analysis/comparison.h"
#include "calc/analysis/system_comparison.h"
#include "qt/qt_text.h"
#include "window/plots/plot_curves.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLogValueAxis>

#include <vector>

namespace {

namespace text {
constexpr char error_axis[] = "|Fehler|";
} // namespace text

template <class Comparison> QChart* chartOf(const Comparison& comparison, const QLocale& locale) {
    QChart* chart = plot::newChart(locale);
    std::vector<double> xs;
    std::vector<double> sizes;
    for (const auto& course : comparison.courses) {
        for (const auto& row : course.rows) {
            xs.push_back(row.point.x);
        }
        const std::vector<QList<QPointF>> pieces = plot::errorPieces(course.rows, true);
        const std::vector<double> ordinates = plot::ordinatesOf(pieces);
        sizes.insert(sizes.end(), ordinates.begin(), ordinates.end());
        plot::addPieces(chart, pieces, fromUtf8(calc::method_info(course.method).column),
                        QPen(plot::methodColour(course.method), 1.5));
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
    : ChartPlot(chartOf(comparison, locale), locale, "Fehlervergleich", parent) {}

ComparisonErrorPlot::ComparisonErrorPlot(const calc::SystemComparison& comparison,
                                         const QLocale& locale, QWidget* parent)
    : ChartPlot(chartOf(comparison, locale), locale, "Fehlervergleich", parent) {}

void ComparisonErrorPlot::showComparison(const calc::Comparison& comparison) {
    replaceChart(chartOf(comparison, numberLocale()));
}
