// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/plots/chart_plot.h"

#include <QLocale>

namespace calc {
struct Study;
struct SystemStudy;
} // namespace calc

// The log-log plot of a convergence study: each method's |error| against the step h, or against
// the evaluations of f its runs made, with reference lines of slope 1 to 4.
class ConvergencePlot : public ChartPlot {
    Q_OBJECT

public:
    ConvergencePlot(const QLocale& locale, QWidget* parent);

    // Draws the study against h, or against stages × passes when `againstEvaluations`.
    void showStudy(const calc::Study& study, bool againstEvaluations);
    void showStudy(const calc::SystemStudy& study, bool againstEvaluations);
};
