// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/course_page.h"

#include "calc/text/warnings.h"
#include "qt/number_locale.h"
#include "qt/qt_text.h"
#include "window/course/file_export.h"
#include "window/course/number_table.h"
#include "window/course/page_size.h"
#include "window/plots/course_plot.h"
#include "window/plots/error_plot.h"
#include "window/plots/field_overlay.h"
#include "window/plots/field_plot_panel.h"
#include "window/plots/pass_panel.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace {

namespace text {
constexpr char title[] = "Verlauf";
constexpr char exact_label[] = "Exakte Lösung: y(x) =";
constexpr char exact_name[] = "Exakte Lösung";
} // namespace text

// Rows the table shows at the default size, and the plots' height in lines of text.
constexpr int visible_rows = 10;
constexpr int plot_lines = 20;

} // namespace

CoursePage::CoursePage(const calc::Course& course, const QLocale& locale, const FileExport& files,
                       QWidget* parent)
    : QWidget(parent), m_course(course), m_locale(locale), m_files(files) {
    new QVBoxLayout(this);
    createHeading();
    createExactField();
    createTable();
    createPlots();
    createPassView();
    createButtons();
}

void CoursePage::createHeading() {
    auto* heading =
        new QLabel(fromUtf8(calc::course_heading(m_course, calcNumberLocale(m_locale))), this);
    heading->setObjectName("Aufgabe");
    heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    layout()->addWidget(heading);
}

// The catalogue's solution is shown read-only; any other may be typed, and Return applies it.
void CoursePage::createExactField() {
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QString::fromUtf8(text::exact_label), this);
    m_exact = new QLineEdit(this);
    m_exact->setObjectName("exakteLoesung");
    m_exact->setAccessibleName(QString::fromUtf8(text::exact_name));
    label->setBuddy(m_exact);
    const std::optional<calc::ExactSolution>& exact = m_course.exact;
    if (exact) {
        m_exact->setText(fromUtf8(exact->text()));
    }
    m_exact->setReadOnly(exact && exact->is_known());
    connect(m_exact, &QLineEdit::returnPressed, this, &CoursePage::applyExactSolution);
    row->addWidget(label);
    row->addWidget(m_exact, 1);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void CoursePage::createTable() {
    m_table = new NumberTable("Tabelle", QString::fromUtf8(text::title), this);
    showTable();
    layout()->addWidget(m_table);
    static_cast<QVBoxLayout*>(layout())->setStretchFactor(m_table, 1);

    const calc::NumberLocale locale = calcNumberLocale(m_locale);
    m_order = new QLabel(fromUtf8(calc::order_text(m_course, locale)), this);
    m_order->setObjectName("Ordnung");
    layout()->addWidget(m_order);
    if (const std::string pole = calc::pole_text(m_course, locale); !pole.empty()) {
        auto* note = new QLabel(fromUtf8(pole), this);
        note->setObjectName("Pol");
        layout()->addWidget(note);
    }
}

void CoursePage::showTable() {
    const calc::NumberLocale locale = calcNumberLocale(m_locale);
    std::vector<std::vector<std::string>> rows;
    rows.reserve(m_course.rows.size());
    for (const calc::CourseRow& row : m_course.rows) {
        rows.push_back(calc::course_cells(m_course, row, locale));
    }
    m_table->setCells(fromUtf8List(calc::course_columns_of(m_course.method)), std::move(rows));
}

// An empty field takes the typed solution away; a faulty one is refused with its reason, and
// the course stays as it was.
void CoursePage::applyExactSolution() {
    if (m_exact->isReadOnly()) {
        return;
    }
    const calc::NumberLocale locale = calcNumberLocale(m_locale);
    const std::string typed = m_exact->text().toStdString();
    std::optional<calc::ExactSolution> exact;
    if (!calc::trimmed(typed).empty()) {
        auto parsed = calc::ExactSolution::parse(typed, locale);
        if (const auto* error = std::get_if<calc::ParseError>(&parsed)) {
            m_files.warn(this, fromUtf8(calc::formula_warning::exact(*error)));
            return;
        }
        exact = std::move(std::get<calc::ExactSolution>(parsed));
    }
    m_course = calc::build_course(m_course.numbers, m_course.equation, m_course.method, exact);
    showTable();
    m_order->setText(fromUtf8(calc::order_text(m_course, locale)));
    m_plot->showCourse(m_course);
    m_errorPlot->showCourse(m_course);
    emit exactSolutionChanged();
}

void CoursePage::createPlots() {
    m_plots = new QWidget(this);
    auto* row = new QHBoxLayout(m_plots);
    row->setContentsMargins(0, 0, 0, 0);
    m_plot = new CoursePlot(m_course, m_locale, m_plots);
    m_errorPlot = new ErrorPlot(m_course, m_locale, m_plots);
    row->addWidget(m_plot);
    row->addWidget(m_errorPlot);
    layout()->addWidget(m_plots);
    static_cast<QVBoxLayout*>(layout())->setStretchFactor(m_plots, 1);
}

void CoursePage::createButtons() {
    m_files.addSaveButtons(
        static_cast<QVBoxLayout*>(layout()), this, {"csvSpeichern", "bildSpeichern", text::title},
        [this](const QString& fileName) { return saveCsv(fileName); },
        [this](const QString& fileName) { return saveImage(fileName); });
}

// The course's plot gets the direction field and solutions through clicked points, and picks out
// the pass of the table's current row, which a plot of its own beside it shows in detail.
void CoursePage::createPassView() {
    auto* row = static_cast<QHBoxLayout*>(m_plots->layout());
    const int place = row->indexOf(m_plot);
    m_field = new FieldPlotPanel(m_plot, m_course.equation, calcNumberLocale(m_locale), m_plots);
    row->insertWidget(place, m_field);
    m_passPanel = new PassPanel(m_course, m_locale, m_plots);
    row->addWidget(m_passPanel);
    // Three plots as wide as the pass plot needs, however narrow the table is.
    m_plots->setMinimumWidth(3 * m_passPanel->minimumWidth());

    connect(m_passPanel, &PassPanel::passChanged, this,
            [this] { m_field->overlay()->highlightPass(m_passPanel->pass()); });
    connect(m_passPanel, &PassPanel::rowRequested, this, &CoursePage::selectRow);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, m_passPanel,
            [this](const QModelIndex& current) { m_passPanel->showRow(current.row()); });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { emit currentRowChanged(current.row()); });
    // The first pass is shown from the start, without selecting cells.
    m_table->startAtFirstRow();
}

void CoursePage::selectRow(int row) {
    m_table->goToRow(row);
}

int CoursePage::currentRow() const {
    return m_table->currentRow();
}

QSize CoursePage::defaultSize() const {
    return columnPageSize(this, m_table, m_plots, visible_rows, plot_lines);
}

void CoursePage::focusTable() {
    m_table->setFocus();
}

bool CoursePage::saveCsv(const QString& fileName) {
    return m_files.saveText(this, fileName, calc::course_csv(m_course, calcNumberLocale(m_locale)));
}

bool CoursePage::saveImage(const QString& fileName) {
    return m_files.saveImage(this, fileName, {m_plot, m_errorPlot});
}
