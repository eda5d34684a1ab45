// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/plots/chart_plot.h"

#include <QLocale>

namespace calc {
struct SystemComparison;
} // namespace calc

// Every method's points in the plane of the system's first two components, joined in order,
// beside the exact orbit where it is known: where one method spirals away and another stays on
// the orbit.
class PlaneComparisonPlot : public ChartPlot {
    Q_OBJECT

public:
    PlaneComparisonPlot(const calc::SystemComparison& comparison, const QLocale& locale,
                        QWidget* parent);
};
