// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/course.h"
#include "calc/analysis/pass_view.h"
#include "window/plots/pass_controls.h"

#include <QLocale>
#include <QWidget>

#include <cstddef>
#include <functional>
#include <optional>

class PassChartView;

// The pass of the row chosen in a course's table: drawn in its own plot, with its local error
// below and buttons that go to the pass before and after it.
class PassPanel : public QWidget {
    Q_OBJECT

public:
    // The pass of row `row` of a table of `rows` rows, none where a row has no pass.
    using PassSource = std::function<std::optional<calc::PassView>(std::size_t row)>;

    PassPanel(const calc::Course& course, const QLocale& locale, QWidget* parent = nullptr);
    // The passes that `source` gives, for a table of `rows` rows: an adaptive run's attempts.
    PassPanel(PassSource source, int rows, const QLocale& locale, QWidget* parent = nullptr);

    // Shows the pass that starts at `row`; the last row, and -1, show none.
    void showRow(int row);
    int row() const { return m_row; }
    const std::optional<calc::PassView>& pass() const { return m_pass; }

signals:
    // A button asks for the row of the pass before or after the one shown.
    void rowRequested(int row);
    // Another pass, or none, is shown.
    void passChanged();

private:
    PassSource m_source;
    int m_rows = 0;
    calc::NumberLocale m_locale;
    PassChartView* m_plot = nullptr;
    PassControls m_controls;
    int m_row = -1;
    std::optional<calc::PassView> m_pass;
};
