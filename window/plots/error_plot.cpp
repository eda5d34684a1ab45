// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/error_plot.h"

#include "calc/analysis/course.h"
#include "calc/analysis/system_course.h"
#include "window/plots/plot_curves.h"

#include <QChart>

#include <vector>

namespace {

constexpr char error_series[] = "Fehler";

template <class Row> QChart* chartOf(const std::vector<Row>& rows, const QLocale& locale) {
    std::vector<double> xs;
    for (const Row& row : rows) {
        xs.push_back(row.point.x);
    }
    const std::vector<QList<QPointF>> pieces = plot::errorPieces(rows, false);
    const std::vector<double> errors = plot::ordinatesOf(pieces);
    const QString name = QString::fromUtf8(error_series);
    QChart* next = plot::newChart(locale);
    plot::addPieces(next, pieces, name, QPen(QColor(0x20, 0x80, 0x40), 1.5));
    plot::addAxes(next, name, plot::withMargin(plot::rangeOf(xs)),
                  plot::withMargin(plot::rangeOf(errors)));
    return next;
}

} // namespace

ErrorPlot::ErrorPlot(const calc::Course& course, const QLocale& locale, QWidget* parent)
    : ChartPlot(chartOf(course.rows, locale), locale, "Fehlerdiagramm", parent) {}

ErrorPlot::ErrorPlot(const calc::SystemCourse& course, const QLocale& locale, QWidget* parent)
    : ChartPlot(chartOf(course.rows, locale), locale, "Fehlerdiagramm", parent) {}

void ErrorPlot::showCourse(const calc::Course& course) {
    replaceChart(chartOf(course.rows, numberLocale()));
}
