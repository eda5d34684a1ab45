// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/plot_axes.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLocale>
#include <QLogValueAxis>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace plot {

namespace {

// The decade at or below a positive value, and the one at or above it, within the doubles.
double decadeBelow(double value) {
    return std::pow(10.0, std::floor(std::log10(value)));
}
double decadeAbove(double value) {
    const double decade = std::pow(10.0, std::ceil(std::log10(value)));
    return std::isfinite(decade) ? decade : value;
}

} // namespace

QCategoryAxis* addLinearAxis(QChart* chart, const QString& title, Qt::Alignment side) {
    auto* axis = new QCategoryAxis(chart);
    axis->setTitleText(title);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setTruncateLabels(false);
    chart->addAxis(axis, side);
    return axis;
}

// Each label is computed as a multiple of the spacing, so that zero is exactly zero; the labels
// have enough digits to tell them apart.
void setLinearRange(QCategoryAxis* axis, Range range, const QLocale& locale) {
    for (const QString& label : axis->categoriesLabels()) {
        axis->remove(label);
    }
    axis->setRange(range.low, range.high);
    axis->setStartValue(range.low);
    const double span = range.high - range.low;
    if (!std::isfinite(span) || !(span > 0)) {
        return;
    }
    const double rough = span / 6;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double spacing = 10 * power;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            spacing = factor * power;
            break;
        }
    }
    if (!std::isfinite(spacing) || !(spacing > 0) || span / spacing > 10) {
        return;
    }
    const double magnitude = std::max(std::fabs(range.low), std::fabs(range.high));
    const int digits =
        std::clamp(static_cast<int>(std::ceil(std::log10(magnitude / spacing))) + 1, 3, 15);
    for (double k = std::ceil(range.low / spacing); k * spacing <= range.high; ++k) {
        const double value = k * spacing + 0.0; // -0 from ceil(-0.25) reads as 0
        axis->append(locale.toString(value, 'G', digits), value);
    }
}

QLogValueAxis* addLogAxis(QChart* chart, const QString& title, Qt::Alignment side,
                          const char* format) {
    auto* axis = new QLogValueAxis(chart);
    axis->setTitleText(title);
    axis->setBase(10);
    axis->setLabelFormat(QString::fromLatin1(format));
    axis->setMinorTickCount(-1);
    axis->setTruncateLabels(false);
    chart->addAxis(axis, side);
    return axis;
}

Range decadesAround(std::optional<Range> values) {
    if (!values || !(values->low > 0)) {
        return {1e-3, 1};
    }
    const double high = decadeAbove(values->high);
    const double low = decadeBelow(values->low);
    return {low < high ? low : high / 10, high};
}

void attachToAll(QChart* chart, QAbstractAxis* x, QAbstractAxis* y) {
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
}

QValueAxis* firstAxis(const QChart* chart, Qt::Orientation orientation) {
    const QList<QAbstractAxis*> axes = chart->axes(orientation);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.front());
}

std::optional<Range> rangeOf(const std::vector<double>& values) {
    std::optional<Range> range;
    for (const double value : values) {
        if (!std::isfinite(value)) {
            continue;
        }
        range = range ? Range{std::min(range->low, value), std::max(range->high, value)}
                      : Range{value, value};
    }
    return range;
}

Range withMargin(std::optional<Range> range) {
    if (!range) {
        return {-1, 1};
    }
    // 5 % of the span; a tenth of the value around a single value, and 1 around zero.
    const double magnitude = std::max(std::fabs(range->low), std::fabs(range->high));
    double margin = range->low < range->high
                        ? std::max((range->high / 2 - range->low / 2) / 10, magnitude * 1e-12)
                        : magnitude / 10;
    if (!(margin > 0)) {
        margin = 1;
    }
    return {std::clamp(range->low - margin, -axis_limit, axis_limit),
            std::clamp(range->high + margin, -axis_limit, axis_limit)};
}

void addAxes(QChart* chart, const QString& yTitle, Range x, Range y) {
    addAxes(chart, QStringLiteral("x"), yTitle, x, y);
}

void addAxes(QChart* chart, const QString& xTitle, const QString& yTitle, Range x, Range y) {
    QCategoryAxis* xAxis = addLinearAxis(chart, xTitle, Qt::AlignBottom);
    QCategoryAxis* yAxis = addLinearAxis(chart, yTitle, Qt::AlignLeft);
    attachToAll(chart, xAxis, yAxis);
    setLinearRange(xAxis, x, chart->locale());
    setLinearRange(yAxis, y, chart->locale());
}

} // namespace plot
