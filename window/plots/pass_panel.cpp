// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/pass_panel.h"

#include "qt/number_locale.h"
#include "window/plots/pass_chart_view.h"
#include "window/plots/plot_curves.h"

#include <QVBoxLayout>

#include <utility>

PassPanel::PassPanel(const calc::Course& course, const QLocale& locale, QWidget* parent)
    : PassPanel([course](std::size_t row) { return calc::pass_view(course, row); },
                static_cast<int>(course.rows.size()), locale, parent) {}

PassPanel::PassPanel(PassSource source, int rows, const QLocale& locale, QWidget* parent)
    : QWidget(parent), m_source(std::move(source)), m_rows(rows),
      m_locale(calcNumberLocale(locale)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_plot = new PassChartView(locale, this);
    layout->addWidget(m_plot, 1);
    // Wide enough for the stages to stand apart.
    plot::setPanelMinimumSize(this, m_plot);
    m_controls = addPassControls(layout, this, locale,
                                 [this](int direction) { emit rowRequested(m_row + direction); });
    showRow(-1);
}

void PassPanel::showRow(int row) {
    const int rows = m_rows;
    m_row = row >= 0 && row < rows ? row : -1;
    m_pass = m_row < 0 ? std::nullopt : m_source(static_cast<std::size_t>(m_row));
    m_plot->showPass(m_pass);
    showPassControls(m_controls, m_pass ? m_pass->local_error : std::nullopt, m_row, rows,
                     m_locale);
    emit passChanged();
}
