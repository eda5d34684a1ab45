// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/adaptive_course_page.h"

#include "qt/qt_text.h"
#include "window/course/file_export.h"
#include "window/course/number_table.h"
#include "window/course/page_size.h"
#include "window/plots/step_size_plot.h"

#include <QChartView>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QVBoxLayout>

#include <memory>
#include <utility>

namespace {

namespace text {
constexpr char title[] = "Verlauf";
constexpr char accepted_only[] = "nur angenommene Schritte";
} // namespace text

// Rows the table shows at the default size, the plots' height in lines of text (two rows of
// plots), and the plots in a row of the grid.
constexpr int visible_rows = 10;
constexpr int plot_lines = 36;
constexpr int plots_per_row = 2;

template <class Course>
AdaptiveTable tableOf(const Course& course, QString heading, QStringList captions,
                      std::vector<std::vector<std::string>> cells,
                      std::function<std::string()> csv) {
    AdaptiveTable table{
        std::move(heading), std::move(captions), std::move(cells), {}, {}, std::move(csv), {}};
    for (const auto& row : course.rows) {
        table.rejected.push_back(row.attempt && !row.attempt->accepted);
    }
    table.totals = fromUtf8(calc::adaptive_totals_text(course.adaptive));
    table.steps = calc::step_marks(course.rows);
    return table;
}

} // namespace

AdaptiveTable AdaptiveTable::of(const std::shared_ptr<const calc::AdaptiveCourse>& shared,
                                const calc::NumberLocale& locale) {
    const calc::AdaptiveCourse& course = *shared;
    std::vector<std::vector<std::string>> cells;
    cells.reserve(course.rows.size());
    for (const calc::AdaptiveRowOf<double>& row : course.rows) {
        cells.push_back(calc::adaptive_cells(course, row, locale));
    }
    return tableOf(course, fromUtf8(calc::adaptive_heading(course, locale)),
                   fromUtf8List(calc::adaptive_columns(course.adaptive.pair)), std::move(cells),
                   [shared, locale] { return calc::adaptive_csv(*shared, locale); });
}

AdaptiveTable AdaptiveTable::of(const std::shared_ptr<const calc::SystemAdaptiveCourse>& shared,
                                const calc::NumberLocale& locale) {
    const calc::SystemAdaptiveCourse& course = *shared;
    std::vector<std::vector<std::string>> cells;
    cells.reserve(course.rows.size());
    for (const calc::AdaptiveRowOf<calc::Vector>& row : course.rows) {
        cells.push_back(calc::system_adaptive_cells(course, row, locale));
    }
    return tableOf(course, fromUtf8(calc::system_adaptive_heading(course, locale)),
                   fromUtf8List(calc::system_adaptive_columns(course.problem.form, course.size(),
                                                              course.adaptive.pair)),
                   std::move(cells),
                   [shared, locale] { return calc::system_adaptive_csv(*shared, locale); });
}

AdaptiveCoursePage::AdaptiveCoursePage(AdaptiveTable table, const QLocale& locale,
                                       const FileExport& files, QWidget* parent)
    : QWidget(parent), m_table(std::move(table)), m_locale(locale), m_files(files) {
    auto* column = new QVBoxLayout(this);
    auto* heading = new QLabel(m_table.heading, this);
    heading->setObjectName("Aufgabe");
    heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    heading->setWordWrap(true);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    column->addWidget(heading);
    createTable();
    createPlots();
    m_files.addSaveButtons(
        column, this, {"csvSpeichern", "bildSpeichern", text::title},
        [this](const QString& fileName) { return saveCsv(fileName); },
        [this](const QString& fileName) { return saveImage(fileName); });
}

void AdaptiveCoursePage::createTable() {
    auto* column = static_cast<QVBoxLayout*>(layout());
    m_cells = new NumberTable("Tabelle", QString::fromUtf8(text::title), this);
    m_cells->setCells(m_table.captions, std::move(m_table.rows));
    m_table.rows.clear();
    m_cells->setRowsSetApart(m_table.rejected);
    column->addWidget(m_cells);
    column->setStretchFactor(m_cells, 1);
    connect(m_cells->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { emit currentRowChanged(current.row()); });

    auto* row = new QHBoxLayout;
    m_acceptedOnly = new QCheckBox(QString::fromUtf8(text::accepted_only), this);
    m_acceptedOnly->setObjectName("nurAngenommene");
    connect(m_acceptedOnly, &QCheckBox::toggled, this,
            [this](bool acceptedOnly) { setRejectedShown(!acceptedOnly); });
    auto* totals = new QLabel(m_table.totals, this);
    totals->setObjectName("Bilanz");
    totals->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row->addWidget(m_acceptedOnly);
    row->addStretch(1);
    row->addWidget(totals);
    column->addLayout(row);
}

void AdaptiveCoursePage::createPlots() {
    m_plots = new QWidget(this);
    m_grid = new QGridLayout(m_plots);
    m_grid->setContentsMargins(0, 0, 0, 0);
    auto* steps = new StepSizePlot(m_table.steps, m_locale, m_plots);
    addPlot(steps);
    layout()->addWidget(m_plots);
    static_cast<QVBoxLayout*>(layout())->setStretchFactor(m_plots, 2);
}

void AdaptiveCoursePage::place(QWidget* widget) {
    widget->setParent(m_plots);
    m_grid->addWidget(widget, m_placed / plots_per_row, m_placed % plots_per_row);
    ++m_placed;
}

void AdaptiveCoursePage::addPlot(QChartView* plot) {
    place(plot);
    m_saved.append(plot);
}

void AdaptiveCoursePage::addPanel(QWidget* panel) {
    place(panel);
}

void AdaptiveCoursePage::setRejectedShown(bool shown) {
    if (m_acceptedOnly->isChecked() == shown) {
        m_acceptedOnly->setChecked(!shown); // comes back here through the switch
        return;
    }
    for (std::size_t row = 0; row < m_table.rejected.size(); ++row) {
        if (m_table.rejected[row]) {
            m_cells->setRowHidden(static_cast<int>(row), !shown);
        }
    }
    // A hidden current row gives way to the next shown one.
    const int current = m_cells->currentRow();
    if (!shown && current >= 0 && m_cells->isRowHidden(current)) {
        int next = current;
        while (next < m_cells->rowCount() && m_cells->isRowHidden(next)) {
            ++next;
        }
        m_cells->goToRow(next);
    }
}

// A row that the switch hides gives way to the next shown one in the direction it lies from
// the current row, so that the pass view's buttons step over the rejected attempts.
void AdaptiveCoursePage::selectRow(int row) {
    const int step = row < m_cells->currentRow() ? -1 : 1;
    while (row >= 0 && row < m_cells->rowCount() && m_cells->isRowHidden(row)) {
        row += step;
    }
    m_cells->goToRow(row);
}

int AdaptiveCoursePage::currentRow() const {
    return m_cells->currentRow();
}

QSize AdaptiveCoursePage::defaultSize() const {
    return columnPageSize(this, m_cells, m_plots, visible_rows, plot_lines);
}

void AdaptiveCoursePage::focusTable() {
    m_cells->setFocus();
    if (m_cells->currentRow() < 0) {
        m_cells->startAtFirstRow();
    }
}

bool AdaptiveCoursePage::saveCsv(const QString& fileName) {
    return m_files.saveText(this, fileName, m_table.csv());
}

bool AdaptiveCoursePage::saveImage(const QString& fileName) {
    return m_files.saveImage(this, fileName, m_saved);
}
