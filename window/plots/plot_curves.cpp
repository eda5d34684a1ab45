// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/plot_curves.h"

#include "calc/analysis/course.h"

#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace plot {

namespace {

// The part of the segment from a to b whose ordinate lies within the band, if any.
std::optional<std::pair<QPointF, QPointF>> clipToBand(QPointF a, QPointF b, Range band) {
    const double dy = b.y() - a.y();
    double from = 0;
    double to = 1;
    if (dy == 0) {
        if (a.y() < band.low || a.y() > band.high) {
            return std::nullopt;
        }
    } else {
        const double t1 = (band.low - a.y()) / dy;
        const double t2 = (band.high - a.y()) / dy;
        from = std::max(from, std::min(t1, t2));
        to = std::min(to, std::max(t1, t2));
        if (!(from <= to)) {
            return std::nullopt;
        }
    }
    const auto at = [&](double t) {
        if (t == 0) {
            return a;
        }
        if (t == 1) {
            return b;
        }
        return QPointF(a.x() + (b.x() - a.x()) * t,
                       std::clamp(a.y() + dy * t, band.low, band.high));
    };
    return std::pair{at(from), at(to)};
}

} // namespace

QChart* newChart(const QLocale& locale) {
    auto* chart = new QChart;
    QLocale axisLocale = locale;
    axisLocale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart->setLocalizeNumbers(true);
    chart->setLocale(axisLocale);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

void setUpView(QChartView* view, const char* name) {
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFocusPolicy(Qt::NoFocus);
}

void setPanelMinimumSize(QWidget* panel, QWidget* plot) {
    constexpr int min_width_chars = 55;
    constexpr int min_height_lines = 15;
    plot->setMinimumHeight(min_height_lines * panel->fontMetrics().height());
    panel->setMinimumWidth(min_width_chars * panel->fontMetrics().averageCharWidth());
}

std::vector<QList<QPointF>> piecesWithin(const std::vector<QPointF>& points, Range band) {
    std::vector<QList<QPointF>> pieces;
    if (points.size() == 1 && points[0].y() >= band.low && points[0].y() <= band.high) {
        pieces.push_back({points[0]});
    }
    for (std::size_t i = 1; i < points.size(); ++i) {
        const auto part = clipToBand(points[i - 1], points[i], band);
        if (!part) {
            continue;
        }
        if (pieces.empty() || pieces.back().back() != part->first) {
            pieces.push_back({part->first});
        }
        pieces.back().append(part->second);
    }
    return pieces;
}

QColor methodColour(calc::Method method) {
    return QColor(static_cast<QRgb>(calc::method_info(method).colour));
}

bool finite(QPointF point) {
    return std::isfinite(point.x()) && std::isfinite(point.y());
}

QList<QPointF> finitePoints(const std::vector<QPointF>& points) {
    QList<QPointF> shown;
    for (const QPointF& point : points) {
        if (finite(point)) {
            shown.append(point);
        }
    }
    return shown;
}

std::vector<QList<QPointF>> errorPieces(const calc::Course& course, bool sizes) {
    return errorPieces(course.rows, sizes);
}

std::vector<double> ordinatesOf(const std::vector<QList<QPointF>>& pieces) {
    std::vector<double> ordinates;
    for (const QList<QPointF>& piece : pieces) {
        for (const QPointF& point : piece) {
            ordinates.push_back(point.y());
        }
    }
    return ordinates;
}

void addPieces(QChart* chart, const std::vector<QList<QPointF>>& pieces, const QString& name,
               const QPen& pen) {
    bool first = true;
    for (const QList<QPointF>& piece : pieces) {
        auto* series = new QLineSeries(chart);
        series->setName(name);
        series->setPen(pen);
        series->replace(piece);
        chart->addSeries(series);
        if (!first) {
            for (QLegendMarker* marker : chart->legend()->markers(series)) {
                marker->setVisible(false);
            }
        }
        first = false;
    }
}

void addExactCurveAndAxes(QChart* chart, const calc::Course& course, const std::vector<double>& xs,
                          std::vector<double> ys, const QPen& pen) {
    std::vector<QPointF> exact;
    for (const calc::Point& sample : course.exact_samples) {
        if (calc::finite(sample)) {
            exact.emplace_back(sample.x, sample.y);
            if (!course.pole) {
                ys.push_back(sample.y);
            }
        }
    }
    const Range xRange = withMargin(rangeOf(xs));
    const Range yRange = withMargin(rangeOf(ys));
    const double span = yRange.high / 2 - yRange.low / 2;
    const Range band{std::max(yRange.low - span, -axis_limit),
                     std::min(yRange.high + span, axis_limit)};
    addPieces(chart, piecesWithin(exact, band), QString::fromUtf8(exact_series), pen);
    addAxes(chart, QStringLiteral("y"), xRange, yRange);
}

} // namespace plot
