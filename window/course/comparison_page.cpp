// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/comparison_page.h"

#include "calc/analysis/comparison.h"
#include "window/plots/comparison_error_plot.h"
#include "window/plots/comparison_plot.h"
#include "qt/number_locale.h"
#include "window/course/number_table.h"
#include "qt/qt_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace {

constexpr char title[] = "Vergleich";

} // namespace

ComparisonPage::ComparisonPage(const calc::Course& course, const QLocale& locale, QWidget* parent)
    : QWidget(parent), m_numbers(course.numbers), m_equation(course.equation),
      m_exact(course.exact), m_locale(locale) {
    new QVBoxLayout(this);
}

void ComparisonPage::setExactSolution(const std::optional<calc::ExactSolution>& exact) {
    m_exact = exact;
    if (m_table) {
        const calc::Comparison comparison = calc::compare_methods(m_numbers, m_equation, m_exact);
        showTable(comparison);
        m_plot->showComparison(comparison);
        m_errorPlot->showComparison(comparison);
    }
}

void ComparisonPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_table) {
        createContents();
    }
}

void ComparisonPage::createContents() {
    auto* column = static_cast<QVBoxLayout*>(layout());
    m_table = new NumberTable(title, QString::fromUtf8(title), this);
    column->addWidget(m_table, 1);
    // A screen reader reads the label's own text, so it has no accessible name.
    m_orders = new QLabel(this);
    m_orders->setObjectName("Ordnungen");
    m_orders->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(m_orders);

    const calc::Comparison comparison = calc::compare_methods(m_numbers, m_equation, m_exact);
    auto* plots = new QWidget(this);
    auto* row = new QHBoxLayout(plots);
    row->setContentsMargins(0, 0, 0, 0);
    m_plot = new ComparisonPlot(comparison, m_locale, plots);
    m_errorPlot = new ComparisonErrorPlot(comparison, m_locale, plots);
    row->addWidget(m_plot);
    row->addWidget(m_errorPlot);
    column->addWidget(plots, 1);
    showTable(comparison);
}

void ComparisonPage::showTable(const calc::Comparison& comparison) {
    const calc::NumberLocale locale = calcNumberLocale(m_locale);
    std::vector<std::vector<std::string>> rows;
    const std::size_t count = comparison.courses.front().rows.size();
    rows.reserve(count);
    for (std::size_t row = 0; row < count; ++row) {
        rows.push_back(calc::comparison_cells(comparison, row, locale));
    }
    m_table->setCells(fromUtf8List(calc::comparison_columns()), rows);
    m_orders->setText(fromUtf8(calc::comparison_orders_text(comparison, locale)));
}
