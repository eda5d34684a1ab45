// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/adaptive_course.h"
#include "window/plots/chart_plot.h"

#include <QLocale>

#include <vector>

// The step size of a run with step size control over x: |h| of each attempt at its start x on
// a logarithmic axis, the accepted attempts joined by lines, each rejected one a red cross.
class StepSizePlot : public ChartPlot {
    Q_OBJECT

public:
    // The names of its two series, which the legend shows and tests find.
    static constexpr char accepted_series[] = "angenommen";
    static constexpr char rejected_series[] = "verworfen";

    StepSizePlot(const std::vector<calc::StepMark>& marks, const QLocale& locale, QWidget* parent);
};
