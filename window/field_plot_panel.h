// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/equation.h"
#include "calc/number_text.h"

#include <QWidget>

class FieldChartView;
class QChart;

// The course's main plot with its controls above it: whether the direction field is drawn, and
// a button that removes the solutions drawn by clicks.
class FieldPlotPanel : public QWidget {
    Q_OBJECT

public:
    // Shows `chart`, whose series and axes are set, under the object name `name`.
    FieldPlotPanel(QChart* chart, const char* name, const calc::Equation& equation,
                   const calc::NumberLocale& locale, QWidget* parent = nullptr);

    FieldChartView* view() const { return m_view; }

private:
    FieldChartView* m_view = nullptr;
};
