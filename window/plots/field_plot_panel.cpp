// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/field_plot_panel.h"

#include "window/plots/field_overlay.h"
#include "window/plots/plot_curves.h"

#include <QChartView>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

namespace text {
constexpr char field[] = "Richtungsfeld";
constexpr char clear[] = "Kurven löschen";
} // namespace text

} // namespace

FieldPlotPanel::FieldPlotPanel(QChartView* plot, const calc::Equation& equation,
                               const calc::NumberLocale& locale, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* controls = new QHBoxLayout;
    auto* field = new QCheckBox(QString::fromUtf8(text::field), this);
    field->setObjectName("Richtungsfeld");
    field->setChecked(true);
    auto* clear = new QPushButton(QString::fromUtf8(text::clear), this);
    clear->setObjectName("kurvenLoeschen");
    clear->setAutoDefault(false);
    controls->addWidget(field);
    controls->addStretch(1);
    controls->addWidget(clear);
    layout->addLayout(controls);

    layout->addWidget(plot, 1);
    // Wide enough for the field's segments and the legend.
    plot::setPanelMinimumSize(this, plot);
    m_overlay = new FieldOverlay(plot, equation, locale);

    connect(field, &QCheckBox::toggled, m_overlay, &FieldOverlay::setFieldVisible);
    connect(clear, &QPushButton::clicked, m_overlay, &FieldOverlay::clearSolutions);
}
