// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/tolerance_error_plot.h"

#include "calc/analysis/tolerance_study.h"
#include "qt/qt_text.h"
#include "window/plots/plot_curves.h"

#include <QChart>
#include <QLineSeries>
#include <QLogValueAxis>

#include <cmath>
#include <vector>

namespace {

namespace text {
constexpr char accessible_name[] = "Fehler über der Toleranz";
constexpr char tolerance_axis[] = "Toleranz";
constexpr char error_axis[] = "|Fehler|";
constexpr char diagonal[] = "|Fehler| = Toleranz";
} // namespace text

template <class Study> QChart* chartOf(const Study& study, const QLocale& locale) {
    QChart* chart = plot::newChart(locale);
    std::vector<double> tolerances;
    std::vector<double> sizes;
    for (const auto& pair : study.pairs) {
        const calc::PairInfo& info = calc::pair_info(pair.pair);
        auto* series = new QLineSeries(chart);
        series->setName(fromUtf8(info.short_name));
        series->setPen(QPen(QColor(static_cast<QRgb>(info.colour)), 1.5));
        series->setPointsVisible(true);
        series->setMarkerSize(5);
        for (const auto& run : pair.runs) {
            tolerances.push_back(run.tolerance);
            const double size = run.error ? std::fabs(*run.error) : 0;
            if (run.reached && size > 0 && std::isfinite(size)) {
                series->append(run.tolerance, size);
                sizes.push_back(size);
            }
        }
        chart->addSeries(series);
    }
    const plot::Range xRange = plot::decadesAround(plot::rangeOf(tolerances));
    std::vector<double> shown = sizes;
    shown.insert(shown.end(), tolerances.begin(), tolerances.end());
    const plot::Range yRange = plot::decadesAround(plot::rangeOf(shown));
    auto* diagonal = new QLineSeries(chart);
    diagonal->setName(QString::fromUtf8(text::diagonal));
    diagonal->setPen(QPen(Qt::gray, 1, Qt::DashLine));
    diagonal->append(xRange.low, xRange.low);
    diagonal->append(xRange.high, xRange.high);
    chart->addSeries(diagonal);
    QLogValueAxis* xAxis =
        plot::addLogAxis(chart, QString::fromUtf8(text::tolerance_axis), Qt::AlignBottom, "%.0e");
    QLogValueAxis* yAxis =
        plot::addLogAxis(chart, QString::fromUtf8(text::error_axis), Qt::AlignLeft, "%.0e");
    plot::attachToAll(chart, xAxis, yAxis);
    xAxis->setRange(xRange.low, xRange.high);
    yAxis->setRange(yRange.low, yRange.high);
    return chart;
}

} // namespace

ToleranceErrorPlot::ToleranceErrorPlot(const QLocale& locale, QWidget* parent)
    : ChartPlot(plot::newChart(locale), locale, "Toleranzdiagramm", parent) {
    setAccessibleName(QString::fromUtf8(text::accessible_name));
}

void ToleranceErrorPlot::showStudy(const calc::ToleranceStudy& study) {
    replaceChart(chartOf(study, numberLocale()));
}

void ToleranceErrorPlot::showStudy(const calc::SystemToleranceStudy& study) {
    replaceChart(chartOf(study, numberLocale()));
}
