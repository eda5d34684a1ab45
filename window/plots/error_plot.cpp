// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/error_plot.h"

#include "calc/analysis/course.h"
#include "window/plots/plot_curves.h"

#include <QChart>

#include <cmath>
#include <vector>

namespace {

constexpr char error_series[] = "Fehler";

// Consecutive rows that have an error, each run as one piece.
std::vector<QList<QPointF>> errorPieces(const calc::Course& course) {
    std::vector<QList<QPointF>> pieces;
    bool continues = false;
    for (const calc::CourseRow& row : course.rows) {
        if (!row.error || !std::isfinite(row.point.x)) {
            continues = false;
            continue;
        }
        if (!continues) {
            pieces.emplace_back();
        }
        pieces.back().append({row.point.x, *row.error});
        continues = true;
    }
    return pieces;
}

QChart* chartOf(const calc::Course& course, const QLocale& locale) {
    std::vector<double> xs;
    for (const calc::CourseRow& row : course.rows) {
        xs.push_back(row.point.x);
    }
    const std::vector<QList<QPointF>> pieces = errorPieces(course);
    std::vector<double> errors;
    for (const QList<QPointF>& piece : pieces) {
        for (const QPointF& point : piece) {
            errors.push_back(point.y());
        }
    }
    const QString name = QString::fromUtf8(error_series);
    QChart* next = plot::newChart(locale);
    plot::addPieces(next, pieces, name, QPen(QColor(0x20, 0x80, 0x40), 1.5));
    plot::addAxes(next, name, plot::withMargin(plot::rangeOf(xs)),
                  plot::withMargin(plot::rangeOf(errors)));
    return next;
}

} // namespace

ErrorPlot::ErrorPlot(const calc::Course& course, const QLocale& locale, QWidget* parent)
    : QChartView(chartOf(course, locale), parent), m_locale(locale) {
    plot::setUpView(this, "Fehlerdiagramm");
}

void ErrorPlot::showCourse(const calc::Course& course) {
    QChart* previous = chart();
    setChart(chartOf(course, m_locale));
    delete previous;
}
