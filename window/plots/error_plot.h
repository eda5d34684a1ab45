// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/plots/chart_plot.h"

#include <QLocale>

namespace calc {
struct Course;
struct SystemCourse;
} // namespace calc

// The error of a course over x, where the exact solution gives one: for a system its maximum
// norm.
class ErrorPlot : public ChartPlot {
    Q_OBJECT

public:
    ErrorPlot(const calc::Course& course, const QLocale& locale, QWidget* parent);
    ErrorPlot(const calc::SystemCourse& course, const QLocale& locale, QWidget* parent);

    // Draws the course's errors in place of what the plot showed.
    void showCourse(const calc::Course& course);
};
