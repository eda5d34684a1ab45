// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/problem/equation.h"
#include "calc/text/number_text.h"
#include "window/plots/direction_field_item.h"
#include "window/plots/field_overlay.h"

#include <QWidget>

class QChartView;
class QHBoxLayout;

// A plot with its controls above it: whether the direction field is drawn, where there is one,
// and a button that removes the curves drawn by clicks.
class FieldPlotPanel : public QWidget {
    Q_OBJECT

public:
    // Takes `plot` in, whose chart has its series and axes, and draws `field` (no check box where
    // it is empty) and the curves through clicked points into it.
    FieldPlotPanel(QChartView* plot, DirectionFieldItem::Field field,
                   FieldOverlay::CurveThrough through, QWidget* parent = nullptr);
    // The course's main plot with the direction field of `equation` and its solutions.
    FieldPlotPanel(QChartView* plot, const calc::Equation& equation,
                   const calc::NumberLocale& locale, QWidget* parent = nullptr);

    FieldOverlay* overlay() const { return m_overlay; }
    // The row of controls above the plot, for a page to add its own to.
    QHBoxLayout* controls() const { return m_controls; }

private:
    FieldOverlay* m_overlay = nullptr;
    QHBoxLayout* m_controls = nullptr;
};
