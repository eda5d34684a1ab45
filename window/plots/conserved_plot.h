// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/plots/chart_plot.h"

#include <QLocale>

namespace calc {
struct SystemCourse;
} // namespace calc

// The value of the quantity that a system's exact solution conserves, at each point of its
// course over x: a method that keeps it draws a flat line.
class ConservedPlot : public ChartPlot {
    Q_OBJECT

public:
    // The name that finds the plot, and that a screen reader reads.
    static constexpr char name[] = "Erhaltungsgröße";

    ConservedPlot(const calc::SystemCourse& course, const QLocale& locale, QWidget* parent);
};
