// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/convergence_plot.h"

#include "calc/analysis/study.h"
#include "calc/analysis/system_study.h"
#include "qt/qt_text.h"
#include "window/plots/plot_curves.h"

#include <QChart>
#include <QLineSeries>
#include <QLogValueAxis>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace {

namespace text {
constexpr char h_axis[] = "h";
constexpr char evaluations_axis[] = "Auswertungen von f";
constexpr char error_axis[] = "|Fehler|";
constexpr char slope[] = "p = %1";
} // namespace text

// The reference slopes and the method whose coarsest point anchors each.
struct Reference {
    int order;
    calc::Method method;
};
constexpr std::array<Reference, 4> references = {{{1, calc::Method::euler},
                                                  {2, calc::Method::heun},
                                                  {3, calc::Method::rk3},
                                                  {4, calc::Method::rk4}}};

// The runs' errors that a logarithmic scale can show, coarsest first.
template <class State>
std::vector<QPointF> pointsOf(const calc::MethodStudyOf<State>& study, bool againstEvaluations) {
    std::vector<QPointF> points;
    for (const calc::StudyRunOf<State>& run : study.runs) {
        const double size = run.error ? std::fabs(*run.error) : 0;
        if (size > 0 && std::isfinite(size)) {
            points.emplace_back(againstEvaluations ? static_cast<double>(run.evaluations) : run.h,
                                size);
        }
    }
    return points;
}

// A straight line of the given slope in the log-log plane from the anchor towards smaller
// errors, until it leaves the axes.
QList<QPointF> referenceLine(QPointF anchor, double slope, plot::Range x, plot::Range y) {
    const double end =
        std::clamp(anchor.x() * std::pow(y.low / anchor.y(), 1 / slope), x.low, x.high);
    return {anchor, {end, anchor.y() * std::pow(end / anchor.x(), slope)}};
}

template <class Study>
QChart* chartOf(const Study& study, bool againstEvaluations, const QLocale& locale) {
    QChart* chart = plot::newChart(locale);
    std::vector<double> xs;
    std::vector<double> sizes;
    std::array<std::optional<QPointF>, calc::method_table.size()> coarsest;
    for (const auto& method : study.methods) {
        const auto index = static_cast<std::size_t>(method.method);
        const std::vector<QPointF> points = pointsOf(method, againstEvaluations);
        auto* series = new QLineSeries(chart);
        series->setName(fromUtf8(calc::method_info(method.method).short_name));
        series->setPen(QPen(plot::methodColour(method.method), 1.5));
        series->setPointsVisible(true);
        series->setMarkerSize(5);
        for (const QPointF& point : points) {
            series->append(point);
            xs.push_back(point.x());
            sizes.push_back(point.y());
        }
        chart->addSeries(series);
        if (!points.empty()) {
            coarsest[index] = points.front();
        }
    }
    QLogValueAxis* xAxis = plot::addLogAxis(
        chart, QString::fromUtf8(againstEvaluations ? text::evaluations_axis : text::h_axis),
        Qt::AlignBottom, "%.6g");
    QLogValueAxis* yAxis =
        plot::addLogAxis(chart, QString::fromUtf8(text::error_axis), Qt::AlignLeft, "%.0e");
    const plot::Range xRange = plot::decadesAround(plot::rangeOf(xs));
    const plot::Range yRange = plot::decadesAround(plot::rangeOf(sizes));
    // Against the evaluations, the error falls as their number to the power -p.
    for (const Reference& reference : references) {
        const auto& anchor = coarsest[static_cast<std::size_t>(reference.method)];
        if (!anchor) {
            continue;
        }
        const double slope = againstEvaluations ? -reference.order : reference.order;
        auto* line = new QLineSeries(chart);
        line->setName(QString::fromUtf8(text::slope).arg(reference.order));
        line->setPen(QPen(plot::methodColour(reference.method), 1, Qt::DashLine));
        line->replace(referenceLine(*anchor, slope, xRange, yRange));
        chart->addSeries(line);
    }
    plot::attachToAll(chart, xAxis, yAxis);
    xAxis->setRange(xRange.low, xRange.high);
    yAxis->setRange(yRange.low, yRange.high);
    return chart;
}

} // namespace

ConvergencePlot::ConvergencePlot(const QLocale& locale, QWidget* parent)
    : ChartPlot(plot::newChart(locale), locale, "Konvergenzdiagramm", parent) {
    setAccessibleName(QStringLiteral("Konvergenzdiagramm"));
}

void ConvergencePlot::showStudy(const calc::Study& study, bool againstEvaluations) {
    replaceChart(chartOf(study, againstEvaluations, numberLocale()));
}

void ConvergencePlot::showStudy(const calc::SystemStudy& study, bool againstEvaluations) {
    replaceChart(chartOf(study, againstEvaluations, numberLocale()));
}
