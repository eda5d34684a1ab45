// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/comparison_page.h"

#include "calc/analysis/comparison.h"
#include "calc/text/csv.h"
#include "qt/number_locale.h"
#include "qt/qt_text.h"
#include "window/course/file_export.h"
#include "window/course/number_table.h"
#include "window/plots/comparison_error_plot.h"
#include "window/plots/comparison_plot.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace {

constexpr char title[] = "Vergleich";

} // namespace

ComparisonPage::ComparisonPage(const calc::Course& course, const QLocale& locale,
                               const FileExport& files, QWidget* parent)
    : QWidget(parent), m_numbers(course.numbers), m_equation(course.equation),
      m_exact(course.exact), m_locale(locale), m_files(files) {
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
    m_files.addSaveButtons(
        column, this, {"vergleichCsvSpeichern", "vergleichBildSpeichern", title},
        [this](const QString& fileName) { return saveCsv(fileName); },
        [this](const QString& fileName) { return saveImage(fileName); });
    showTable(comparison);
}

void ComparisonPage::showTable(const calc::Comparison& comparison) {
    const calc::NumberLocale locale = calcNumberLocale(m_locale);
    const std::size_t count = comparison.courses.front().rows.size();
    m_rows.clear();
    m_rows.reserve(count);
    for (std::size_t row = 0; row < count; ++row) {
        m_rows.push_back(calc::comparison_cells(comparison, row, locale));
    }
    m_table->setCells(fromUtf8List(calc::comparison_columns()), m_rows);
    m_orders->setText(fromUtf8(calc::comparison_orders_text(comparison, locale)));
}

bool ComparisonPage::saveCsv(const QString& fileName) {
    return m_table && m_files.saveText(this, fileName,
                                       calc::csv_text(calc::comparison_columns(), m_rows,
                                                      calcNumberLocale(m_locale)));
}

bool ComparisonPage::saveImage(const QString& fileName) {
    return m_table && m_files.saveImage(this, fileName, {m_plot, m_errorPlot});
}
