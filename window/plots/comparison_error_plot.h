// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/plots/chart_plot.h"

#include <QLocale>

namespace calc {
struct Comparison;
} // namespace calc

// The size of every method's error over x, on a logarithmic scale; zero and missing errors are
// left out.
class ComparisonErrorPlot : public ChartPlot {
    Q_OBJECT

public:
    ComparisonErrorPlot(const calc::Comparison& comparison, const QLocale& locale, QWidget* parent);

    // Draws the comparison's errors in place of what the plot showed.
    void showComparison(const calc::Comparison& comparison);
};
