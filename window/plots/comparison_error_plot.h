// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/plots/chart_plot.h"

#include <QLocale>

namespace calc {
struct Comparison;
struct SystemComparison;
} // namespace calc

// The size of every method's error over x (for a system its maximum norm), on a logarithmic
// scale; zero and missing errors are left out.
class ComparisonErrorPlot : public ChartPlot {
    Q_OBJECT

public:
    ComparisonErrorPlot(const calc::Comparison& comparison, const QLocale& locale, QWidget* parent);
    ComparisonErrorPlot(const calc::SystemComparison& comparison, const QLocale& locale,
                        QWidget* parent);

    // Draws the comparison's errors in place of what the plot showed.
    void showComparison(const calc::Comparison& comparison);
};
