// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plots/field_plot_panel.h"

#include "window/plots/plot_curves.h"

#include <QChartView>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace {

namespace text {
constexpr char field[] = "Richtungsfeld";
constexpr char clear[] = "Kurven löschen";
} // namespace text

} // namespace

FieldPlotPanel::FieldPlotPanel(QChartView* plot, const calc::Equation& equation,
                               const calc::NumberLocale& locale, QWidget* parent)
    : FieldPlotPanel(plot, FieldOverlay::equationField(equation),
                     FieldOverlay::equationSolutions(equation, locale), parent) {}

FieldPlotPanel::FieldPlotPanel(QChartView* plot, DirectionFieldItem::Field field,
                               FieldOverlay::CurveThrough through, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_controls = new QHBoxLayout;
    QCheckBox* fieldBox = nullptr;
    if (field) {
        fieldBox = new QCheckBox(QString::fromUtf8(text::field), this);
        fieldBox->setObjectName("Richtungsfeld");
        fieldBox->setChecked(true);
        m_controls->addWidget(fieldBox);
    }
    auto* clear = new QPushButton(QString::fromUtf8(text::clear), this);
    clear->setObjectName("kurvenLoeschen");
    clear->setAutoDefault(false);
    m_controls->addStretch(1);
    m_controls->addWidget(clear);
    layout->addLayout(m_controls);

    layout->addWidget(plot, 1);
    // Wide enough for the field's segments and the legend.
    plot::setPanelMinimumSize(this, plot);
    m_overlay = new FieldOverlay(plot, std::move(field), std::move(through));

    if (fieldBox) {
        connect(fieldBox, &QCheckBox::toggled, m_overlay, &FieldOverlay::setFieldVisible);
    }
    connect(clear, &QPushButton::clicked, m_overlay, &FieldOverlay::clearSolutions);
}
