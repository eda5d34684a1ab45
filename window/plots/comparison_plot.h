// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/plots/chart_plot.h"

#include <QLocale>

namespace calc {
struct Comparison;
} // namespace calc

// The points of every method of a comparison, with the exact solution as a curve where known.
class ComparisonPlot : public ChartPlot {
    Q_OBJECT

public:
    ComparisonPlot(const calc::Comparison& comparison, const QLocale& locale, QWidget* parent);

    // Draws the comparison in place of what the plot showed.
    void showComparison(const calc::Comparison& comparison);
};
