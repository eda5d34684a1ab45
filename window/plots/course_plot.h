// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/plots/chart_plot.h"

#include <QLocale>
#include <QString>

namespace calc {
struct Course;
} // namespace calc

// The points of a course joined by lines, with the exact solution as a curve where it is known.
class CoursePlot : public ChartPlot {
    Q_OBJECT

public:
    CoursePlot(const calc::Course& course, const QLocale& locale, QWidget* parent);
    // The same with the points' series named `pointsName` rather than after the method: the
    // accepted points of a run with step size control.
    CoursePlot(const calc::Course& course, const QString& pointsName, const QLocale& locale,
               QWidget* parent);

    // Draws the course in place of what the plot showed.
    void showCourse(const calc::Course& course);

private:
    QString m_pointsName;
};
