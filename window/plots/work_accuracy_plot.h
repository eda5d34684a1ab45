// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/plots/chart_plot.h"

#include <QLocale>

#include <vector>

namespace calc {
struct WorkSeries;
} // namespace calc

// The log-log plot of work against accuracy: the |error| at og against the evaluations of f, for
// the pairs at their tolerances and, in the same plot, for the fixed-step methods at their step
// counts; the curve lowest at the right shows the cheapest way to an accuracy.
class WorkAccuracyPlot : public ChartPlot {
    Q_OBJECT

public:
    WorkAccuracyPlot(const QLocale& locale, QWidget* parent);

    // Draws the pairs' series bold and the fixed-step methods' thin and dashed; either may be
    // empty while its study is still running.
    void showSeries(const std::vector<calc::WorkSeries>& pairs,
                    const std::vector<calc::WorkSeries>& methods);
};
