// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/problem/equation.h"
#include "calc/text/number_text.h"

#include <QWidget>

class FieldOverlay;
class QChartView;

// The course's main plot with its controls above it: whether the direction field is drawn, and
// a button that removes the solutions drawn by clicks.
class FieldPlotPanel : public QWidget {
    Q_OBJECT

public:
    // Takes `plot` in, whose chart has its series and axes, and draws the field of `equation`
    // into it.
    FieldPlotPanel(QChartView* plot, const calc::Equation& equation,
                   const calc::NumberLocale& locale, QWidget* parent = nullptr);

    FieldOverlay* overlay() const { return m_overlay; }

private:
    FieldOverlay* m_overlay = nullptr;
};
