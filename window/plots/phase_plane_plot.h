// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/phase_plane.h"
#include "window/plots/chart_plot.h"

#include <QLocale>

namespace calc {
struct SystemCourse;
} // namespace calc

// A system's course in the plane of two of its components: its points joined in order, and the
// exact orbit where it is known, the axes titled with the components' names.
class PhasePlanePlot : public ChartPlot {
    Q_OBJECT

public:
    // The name that finds the plot, and that a screen reader reads.
    static constexpr char name[] = "Phasendiagramm";

    PhasePlanePlot(const calc::SystemCourse& course, calc::Plane plane, const QLocale& locale,
                   QWidget* parent);

    // Draws the course in the plane in place of what the plot showed.
    void showPlane(const calc::SystemCourse& course, calc::Plane plane);
};
