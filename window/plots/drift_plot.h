// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/plots/chart_plot.h"

#include <QLocale>

namespace calc {
struct SystemComparison;
} // namespace calc

// How far each method has moved the conserved quantity from its start, E(x) - E(ug), over x.
class DriftPlot : public ChartPlot {
    Q_OBJECT

public:
    DriftPlot(const calc::SystemComparison& comparison, const QLocale& locale, QWidget* parent);
};
