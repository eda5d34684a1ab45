// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/chart_plot.h"

#include "window/plots/plot_curves.h"

#include <QChart>

ChartPlot::ChartPlot(QChart* chart, const QLocale& locale, const char* name, QWidget* parent)
    : QChartView(chart, parent), m_locale(locale) {
    plot::setUpView(this, name);
}

void ChartPlot::replaceChart(QChart* next) {
    QChart* previous = chart();
    setChart(next);
    delete previous;
}
