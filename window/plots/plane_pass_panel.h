// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/phase_plane.h"
#include "calc/text/number_text.h"
#include "window/plots/pass_controls.h"

#include <QLocale>
#include <QString>
#include <QWidget>

#include <optional>

class PlanePassPlot;

// The pass of a system's chosen row in the phase plane: drawn in its own plot, with its local
// error below and the buttons that go to the pass before and after it.
class PlanePassPanel : public QWidget {
    Q_OBJECT

public:
    explicit PlanePassPanel(const QLocale& locale, QWidget* parent = nullptr);

    PlanePassPlot* plot() const { return m_plot; }

    // Shows `pass`, that of row `row` (-1 for none) of a course of `rows` rows.
    void showPass(const std::optional<calc::PlanePass>& pass, int row, int rows);

signals:
    // A button asks for the row of the pass before or after the one shown.
    void rowRequested(int row);

private:
    calc::NumberLocale m_locale;
    PlanePassPlot* m_plot = nullptr;
    PassControls m_controls;
    int m_row = -1;
};
