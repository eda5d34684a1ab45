// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/work_accuracy_plot.h"

#include "calc/analysis/tolerance_study.h"
#include "qt/qt_text.h"
#include "window/plots/plot_curves.h"

#include <QChart>
#include <QLineSeries>
#include <QLogValueAxis>

#include <variant>

namespace {

namespace text {
constexpr char accessible_name[] = "Aufwand und Genauigkeit";
constexpr char evaluations_axis[] = "Auswertungen von f";
constexpr char error_axis[] = "|Fehler|";
} // namespace text

QString nameOf(const calc::Scheme& scheme) {
    if (const auto pair = calc::pair_of(scheme)) {
        return fromUtf8(calc::pair_info(*pair).short_name);
    }
    return fromUtf8(calc::method_info(std::get<calc::Method>(scheme)).short_name);
}

QPen penOf(const calc::Scheme& scheme) {
    if (const auto pair = calc::pair_of(scheme)) {
        return QPen(QColor(static_cast<QRgb>(calc::pair_info(*pair).colour)), 2.5);
    }
    return QPen(plot::methodColour(std::get<calc::Method>(scheme)), 1, Qt::DashLine);
}

} // namespace

WorkAccuracyPlot::WorkAccuracyPlot(const QLocale& locale, QWidget* parent)
    : ChartPlot(plot::newChart(locale), locale, "Aufwandsdiagramm", parent) {
    setAccessibleName(QString::fromUtf8(text::accessible_name));
}

void WorkAccuracyPlot::showSeries(const std::vector<calc::WorkSeries>& pairs,
                                  const std::vector<calc::WorkSeries>& methods) {
    QChart* chart = plot::newChart(numberLocale());
    std::vector<double> evaluations;
    std::vector<double> sizes;
    for (const std::vector<calc::WorkSeries>* group : {&pairs, &methods}) {
        for (const calc::WorkSeries& work : *group) {
            auto* series = new QLineSeries(chart);
            series->setName(nameOf(work.scheme));
            series->setPen(penOf(work.scheme));
            series->setPointsVisible(true);
            series->setMarkerSize(group == &pairs ? 6 : 4);
            for (const calc::WorkPoint& point : work.points) {
                series->append(point.evaluations, point.error);
                evaluations.push_back(point.evaluations);
                sizes.push_back(point.error);
            }
            chart->addSeries(series);
        }
    }
    QLogValueAxis* xAxis =
        plot::addLogAxis(chart, QString::fromUtf8(text::evaluations_axis), Qt::AlignBottom, "%.0e");
    QLogValueAxis* yAxis =
        plot::addLogAxis(chart, QString::fromUtf8(text::error_axis), Qt::AlignLeft, "%.0e");
    plot::attachToAll(chart, xAxis, yAxis);
    const plot::Range xRange = plot::decadesAround(plot::rangeOf(evaluations));
    const plot::Range yRange = plot::decadesAround(plot::rangeOf(sizes));
    xAxis->setRange(xRange.low, xRange.high);
    yAxis->setRange(yRange.low, yRange.high);
    replaceChart(chart);
}
