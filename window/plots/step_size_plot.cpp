// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/step_size_plot.h"

#include "window/plots/plot_curves.h"

#include <QCategoryAxis>
#include <QChart>
#include <QImage>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QScatterSeries>

#include <cmath>

namespace {

namespace text {
constexpr char title[] = "Schrittweite";
constexpr char size_axis[] = "|h|";
} // namespace text

constexpr QRgb accepted_colour = 0x2060c0;
constexpr QRgb rejected_colour = 0xd02020;
constexpr int cross_size = 11;

// A red cross on a clear ground, the marker of a rejected attempt: Qt Charts has no cross shape,
// so the square marker is filled with this image and drawn without its border.
QImage crossImage() {
    QImage image(cross_size, cross_size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(rejected_colour), 2));
    painter.drawLine(1, 1, cross_size - 2, cross_size - 2);
    painter.drawLine(1, cross_size - 2, cross_size - 2, 1);
    return image;
}

// Whether a logarithmic axis can show the mark.
bool shown(const calc::StepMark& mark) {
    return std::isfinite(mark.x) && mark.size > 0 && std::isfinite(mark.size);
}

QChart* chartOf(const std::vector<calc::StepMark>& marks, const QLocale& locale) {
    QChart* chart = plot::newChart(locale);
    auto* accepted = new QLineSeries(chart);
    accepted->setName(QString::fromUtf8(StepSizePlot::accepted_series));
    accepted->setPen(QPen(QColor(accepted_colour), 1.5));
    accepted->setPointsVisible(marks.size() <= 200);
    accepted->setMarkerSize(5);
    auto* rejected = new QScatterSeries(chart);
    rejected->setName(QString::fromUtf8(StepSizePlot::rejected_series));
    rejected->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    rejected->setMarkerSize(cross_size);
    rejected->setBrush(crossImage());
    rejected->setPen(QColor(Qt::transparent));
    std::vector<double> xs;
    std::vector<double> sizes;
    for (const calc::StepMark& mark : marks) {
        if (!shown(mark)) {
            continue;
        }
        (mark.accepted ? static_cast<QXYSeries*>(accepted) : rejected)->append(mark.x, mark.size);
        xs.push_back(mark.x);
        sizes.push_back(mark.size);
    }
    chart->addSeries(accepted);
    chart->addSeries(rejected);
    QCategoryAxis* xAxis = plot::addLinearAxis(chart, QStringLiteral("x"), Qt::AlignBottom);
    QLogValueAxis* yAxis =
        plot::addLogAxis(chart, QString::fromUtf8(text::size_axis), Qt::AlignLeft, "%.0e");
    plot::attachToAll(chart, xAxis, yAxis);
    plot::setLinearRange(xAxis, plot::withMargin(plot::rangeOf(xs)), chart->locale());
    const plot::Range yRange = plot::decadesAround(plot::rangeOf(sizes));
    yAxis->setRange(yRange.low, yRange.high);
    chart->setTitle(QString::fromUtf8(text::title));
    return chart;
}

} // namespace

StepSizePlot::StepSizePlot(const std::vector<calc::StepMark>& marks, const QLocale& locale,
                           QWidget* parent)
    : ChartPlot(chartOf(marks, locale), locale, "Schrittweitendiagramm", parent) {
    setAccessibleName(QString::fromUtf8(text::title));
}
