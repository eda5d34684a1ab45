// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/field_plot_panel.h"

#include "window/field_chart_view.h"

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

FieldPlotPanel::FieldPlotPanel(QChart* chart, const char* name, const calc::Equation& equation,
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

    m_view = new FieldChartView(chart, equation, locale, this);
    m_view->setObjectName(name);
    // The plot only shows; Tab goes past it.
    m_view->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_view, 1);

    connect(field, &QCheckBox::toggled, m_view, &FieldChartView::setFieldVisible);
    connect(clear, &QPushButton::clicked, m_view, &FieldChartView::clearSolutions);
}
