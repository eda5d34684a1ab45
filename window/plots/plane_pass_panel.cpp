// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/plane_pass_panel.h"

#include "qt/number_locale.h"
#include "window/plots/plane_pass_plot.h"
#include "window/plots/plot_curves.h"

#include <QVBoxLayout>

PlanePassPanel::PlanePassPanel(const QLocale& locale, QWidget* parent)
    : QWidget(parent), m_locale(calcNumberLocale(locale)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_plot = new PlanePassPlot(locale, this);
    layout->addWidget(m_plot, 1);
    // Wide enough for the stages and their arrows to stand apart.
    plot::setPanelMinimumSize(this, m_plot);
    m_controls = addPassControls(layout, this, locale,
                                 [this](int direction) { emit rowRequested(m_row + direction); });
    showPass(std::nullopt, -1, 0);
}

void PlanePassPanel::showPass(const std::optional<calc::PlanePass>& pass, int row, int rows) {
    m_row = row;
    m_plot->showPass(pass);
    showPassControls(m_controls, pass ? pass->local_error : std::nullopt, row, rows, m_locale);
}
