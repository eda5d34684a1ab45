// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/plots/chart_plot.h"

#include <QLocale>

namespace calc {
struct ToleranceStudy;
struct SystemToleranceStudy;
} // namespace calc

// The log-log plot of a tolerance study: each pair's |error| at og against the tolerance, with
// the diagonal |error| = tol, near which a well-tuned pair lies.
class ToleranceErrorPlot : public ChartPlot {
    Q_OBJECT

public:
    ToleranceErrorPlot(const QLocale& locale, QWidget* parent);

    void showStudy(const calc::ToleranceStudy& study);
    void showStudy(const calc::SystemToleranceStudy& study);
};
