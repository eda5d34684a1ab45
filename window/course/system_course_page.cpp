// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/system_course_page.h"

#include "qt/number_locale.h"
#include "qt/qt_text.h"
#include "window/course/file_export.h"
#include "window/course/number_table.h"
#include "window/course/page_size.h"
#include "window/plots/component_plot.h"
#include "window/plots/error_plot.h"

#include <QChartView>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr char title[] = "Verlauf";

// Rows the table shows at the default size, and the plots' height in lines of text.
constexpr int visible_rows = 10;
constexpr int plot_lines = 20;

} // namespace

SystemCoursePage::SystemCoursePage(const calc::SystemCourse& course, const QLocale& locale,
                                   const FileExport& files, QWidget* parent)
    : QWidget(parent), m_course(course), m_locale(locale), m_files(files) {
    new QVBoxLayout(this);
    createHeading();
    createTable();
    createPlots();
    createButtons();
}

void SystemCoursePage::createHeading() {
    auto* heading = new QLabel(
        fromUtf8(calc::system_course_heading(m_course, calcNumberLocale(m_locale))), this);
    heading->setObjectName("Aufgabe");
    heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    heading->setWordWrap(true);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    layout()->addWidget(heading);
}

void SystemCoursePage::createTable() {
    const calc::NumberLocale locale = calcNumberLocale(m_locale);
    m_table = new NumberTable("Tabelle", QString::fromUtf8(title), this);
    std::vector<std::vector<std::string>> rows;
    rows.reserve(m_course.rows.size());
    for (const calc::SystemCourseRow& row : m_course.rows) {
        rows.push_back(calc::system_course_cells(m_course, row, locale));
    }
    m_table->setCells(fromUtf8List(calc::system_course_columns(m_course)), std::move(rows));
    layout()->addWidget(m_table);
    static_cast<QVBoxLayout*>(layout())->setStretchFactor(m_table, 1);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { emit currentRowChanged(current.row()); });
    // The first pass is the current one from the start, without selecting cells.
    m_table->startAtFirstRow();

    auto* order = new QLabel(fromUtf8(calc::system_order_text(m_course, locale)), this);
    order->setObjectName("Ordnung");
    layout()->addWidget(order);
}

void SystemCoursePage::createPlots() {
    m_plots = new QWidget(this);
    auto* row = new QHBoxLayout(m_plots);
    row->setContentsMargins(0, 0, 0, 0);
    m_plot = new ComponentPlot(m_course, m_locale, m_plots);
    row->addWidget(m_plot);
    // Without the exact solution there is no error to draw.
    if (m_course.problem.exact) {
        m_errorPlot = new ErrorPlot(m_course, m_locale, m_plots);
        row->addWidget(m_errorPlot);
    }
    layout()->addWidget(m_plots);
    static_cast<QVBoxLayout*>(layout())->setStretchFactor(m_plots, 1);
}

void SystemCoursePage::createButtons() {
    m_files.addSaveButtons(
        static_cast<QVBoxLayout*>(layout()), this, {"csvSpeichern", "bildSpeichern", title},
        [this](const QString& fileName) { return saveCsv(fileName); },
        [this](const QString& fileName) { return saveImage(fileName); });
}

void SystemCoursePage::selectRow(int row) {
    m_table->goToRow(row);
}

int SystemCoursePage::currentRow() const {
    return m_table->currentRow();
}

QSize SystemCoursePage::defaultSize() const {
    return columnPageSize(this, m_table, m_plots, visible_rows, plot_lines);
}

void SystemCoursePage::focusTable() {
    m_table->setFocus();
}

bool SystemCoursePage::saveCsv(const QString& fileName) {
    return m_files.saveText(this, fileName,
                            calc::system_course_csv(m_course, calcNumberLocale(m_locale)));
}

bool SystemCoursePage::saveImage(const QString& fileName) {
    QList<QChartView*> plots{m_plot};
    if (m_errorPlot) {
        plots.append(m_errorPlot);
    }
    return m_files.saveImage(this, fileName, plots);
}
