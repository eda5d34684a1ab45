// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/plots/chart_plot.h"

#include <QColor>
#include <QLocale>

#include <cstddef>

namespace calc {
struct SystemCourse;
} // namespace calc

// Each component of a system's course over x, its points joined by lines, with the exact
// component beside it as a dashed curve of the same colour where the solution is known.
class ComponentPlot : public ChartPlot {
    Q_OBJECT

public:
    ComponentPlot(const calc::SystemCourse& course, const QLocale& locale, QWidget* parent);

    // The colour of component i, the same wherever a component is drawn.
    static QColor componentColour(std::size_t i);
};
