// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/system_comparison_page.h"

#include "calc/analysis/system_comparison.h"
#include "calc/text/csv.h"
#include "qt/number_locale.h"
#include "qt/qt_text.h"
#include "window/course/file_export.h"
#include "window/course/number_table.h"
#include "window/plots/comparison_error_plot.h"
#include "window/plots/drift_plot.h"
#include "window/plots/plane_comparison_plot.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr char title[] = "Vergleich";

} // namespace

SystemComparisonPage::SystemComparisonPage(const calc::SystemNumbers& numbers,
                                           const calc::SystemProblem& problem,
                                           const QLocale& locale, const FileExport& files,
                                           QWidget* parent)
    : QWidget(parent), m_numbers(numbers), m_problem(problem), m_locale(locale), m_files(files) {
    new QVBoxLayout(this);
}

void SystemComparisonPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_table) {
        createContents();
    }
}

void SystemComparisonPage::createContents() {
    const calc::NumberLocale locale = calcNumberLocale(m_locale);
    const calc::SystemComparison comparison = calc::compare_system_methods(m_numbers, m_problem);
    auto* column = static_cast<QVBoxLayout*>(layout());
    m_table = new NumberTable(title, QString::fromUtf8(title), this);
    m_columns = calc::system_comparison_columns(comparison);
    const std::size_t count = comparison.courses.front().rows.size();
    m_rows.reserve(count);
    for (std::size_t row = 0; row < count; ++row) {
        m_rows.push_back(calc::system_comparison_cells(comparison, row, locale));
    }
    m_table->setCells(fromUtf8List(m_columns), m_rows);
    column->addWidget(m_table, 1);
    // A screen reader reads the label's own text, so it has no accessible name.
    auto* orders =
        new QLabel(fromUtf8(calc::system_comparison_orders_text(comparison, locale)), this);
    orders->setObjectName("Ordnungen");
    orders->setTextInteractionFlags(Qt::TextSelectableByMouse);
    orders->setWordWrap(true);
    column->addWidget(orders);

    auto* plots = new QWidget(this);
    auto* row = new QHBoxLayout(plots);
    row->setContentsMargins(0, 0, 0, 0);
    m_plots.append(new PlaneComparisonPlot(comparison, m_locale, plots));
    if (m_problem.exact) {
        m_plots.append(new ComparisonErrorPlot(comparison, m_locale, plots));
    }
    if (m_problem.conserved) {
        m_plots.append(new DriftPlot(comparison, m_locale, plots));
    }
    for (QChartView* plot : m_plots) {
        row->addWidget(plot);
    }
    column->addWidget(plots, 1);
    m_files.addSaveButtons(
        column, this, {"vergleichCsvSpeichern", "vergleichBildSpeichern", title},
        [this](const QString& fileName) { return saveCsv(fileName); },
        [this](const QString& fileName) { return saveImage(fileName); });
}

bool SystemComparisonPage::saveCsv(const QString& fileName) {
    return m_table && m_files.saveText(this, fileName,
                                       calc::csv_text({m_columns.begin(), m_columns.end()}, m_rows,
                                                      calcNumberLocale(m_locale)));
}

bool SystemComparisonPage::saveImage(const QString& fileName) {
    return m_table && m_files.saveImage(this, fileName, m_plots);
}
