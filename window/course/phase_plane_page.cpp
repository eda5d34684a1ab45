// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/phase_plane_page.h"

#include "calc/analysis/phase_plane_csv.h"
#include "calc/analysis/system_comparison.h"
#include "calc/analysis/system_problem.h"
#include "qt/number_locale.h"
#include "qt/qt_text.h"
#include "window/course/file_export.h"
#include "window/plots/conserved_plot.h"
#include "window/plots/field_plot_panel.h"
#include "window/plots/phase_plane_plot.h"
#include "window/plots/plane_pass_panel.h"
#include "window/plots/plane_pass_plot.h"
#include "window/plots/plot_curves.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <optional>
#include <string>
#include <vector>

namespace {

namespace text {
constexpr char title[] = "Phasenebene";
constexpr char horizontal[] = "Waagerecht:";
constexpr char vertical[] = "Senkrecht:";
constexpr char horizontal_name[] = "Waagerecht";
constexpr char vertical_name[] = "Senkrecht";
} // namespace text

// How the plots share the page's width: the plane most, the pass and the conserved quantity less.
constexpr int plane_stretch = 3;
constexpr int side_stretch = 2;

} // namespace

PhasePlanePage::PhasePlanePage(const calc::SystemCourse& course, const QLocale& locale,
                               const FileExport& files, QWidget* parent)
    : QWidget(parent), m_course(std::make_shared<const calc::SystemCourse>(course)),
      m_locale(locale), m_files(files) {
    new QVBoxLayout(this);
    createPlots();
    createPlaneChoice();
    createConserved();
    createButtons();
    showAxisTitles();
    showRow(0);
}

void PhasePlanePage::createPlots() {
    m_plots = new QWidget(this);
    auto* row = new QHBoxLayout(m_plots);
    row->setContentsMargins(0, 0, 0, 0);
    m_plot = new PhasePlanePlot(*m_course, m_plane, m_locale, m_plots);
    m_field = new FieldPlotPanel(
        m_plot, fieldOfPlane(),
        [this](QPointF value, const calc::PlotView& view) { return orbitThrough(value, view); },
        m_plots);
    row->addWidget(m_field, plane_stretch);
    m_passPanel = new PlanePassPanel(m_locale, m_plots);
    row->addWidget(m_passPanel, side_stretch);
    connect(m_passPanel, &PlanePassPanel::rowRequested, this, &PhasePlanePage::rowRequested);
    layout()->addWidget(m_plots);
    static_cast<QVBoxLayout*>(layout())->setStretchFactor(m_plots, 1);
}

// The field where the system has two components and its f does not use x, judged over the
// plot's ranges as they start (the judgement does not look at the size on screen) and again
// over each view it is drawn in.
DirectionFieldItem::Field PhasePlanePage::fieldOfPlane() const {
    calc::PlotView start = DirectionFieldItem::viewOf(m_plot->chart());
    start.width = 1;
    start.height = 1;
    if (!calc::shows_phase_field(*m_course, start)) {
        return {};
    }
    return [course = m_course, plane = m_plane](const calc::PlotView& view) {
        if (!calc::shows_phase_field(*course, view)) {
            return std::vector<calc::Segment>();
        }
        return calc::phase_field(course->problem.f, course->size(), course->numbers.ug, view,
                                 plane);
    };
}

// The orbit through the clicked point, rounded as its name gives it, with the other components
// of the row shown.
FieldOverlay::Through PhasePlanePage::orbitThrough(QPointF value,
                                                   const calc::PlotView& view) const {
    const calc::Point through = calc::clicked_point({value.x(), value.y()}, view);
    FieldOverlay::Through orbit{
        fromUtf8(calc::solution_legend(through, calcNumberLocale(m_locale))), {}};
    const auto row = static_cast<std::size_t>(m_row > 0 ? m_row : 0);
    for (const calc::Point& p : calc::orbit_through(*m_course, row, m_plane, through, view)) {
        orbit.points.append({p.x, p.y});
    }
    return orbit;
}

// Two boxes before the plot's own controls, for a system of more than two components.
void PhasePlanePage::createPlaneChoice() {
    if (m_course->size() <= 2) {
        return;
    }
    const QStringList names =
        fromUtf8List(calc::component_names(m_course->problem.form, m_course->size()));
    QHBoxLayout* controls = m_field->controls();
    int place = 0;
    const auto addBox = [&](const char* name, const char* caption, const char* accessible,
                            std::size_t chosen) {
        auto* label = new QLabel(QString::fromUtf8(caption), m_field);
        auto* box = new QComboBox(m_field);
        box->setObjectName(name);
        box->setAccessibleName(QString::fromUtf8(accessible));
        box->addItems(names);
        box->setCurrentIndex(static_cast<int>(chosen));
        label->setBuddy(box);
        controls->insertWidget(place++, label);
        controls->insertWidget(place++, box);
        return box;
    };
    m_horizontal =
        addBox("cboWaagerecht", text::horizontal, text::horizontal_name, m_plane.horizontal);
    m_vertical = addBox("cboSenkrecht", text::vertical, text::vertical_name, m_plane.vertical);
    connect(m_horizontal, &QComboBox::currentIndexChanged, this,
            [this](int index) { choosePlane(index, true); });
    connect(m_vertical, &QComboBox::currentIndexChanged, this,
            [this](int index) { choosePlane(index, false); });
}

// A component chosen for both axes swaps them: the other box takes the one this box had.
void PhasePlanePage::choosePlane(int index, bool horizontal) {
    if (index < 0) {
        return;
    }
    const auto chosen = static_cast<std::size_t>(index);
    calc::Plane plane = m_plane;
    std::size_t& mine = horizontal ? plane.horizontal : plane.vertical;
    std::size_t& other = horizontal ? plane.vertical : plane.horizontal;
    if (chosen == other) {
        other = mine;
    }
    mine = chosen;
    setPlane(plane);
}

// A new plane draws a new chart, so the orbits of the old one go, and the pass is drawn anew.
void PhasePlanePage::setPlane(calc::Plane plane) {
    if (!calc::fits(plane, m_course->size())) {
        return;
    }
    m_plane = plane;
    if (m_horizontal && m_vertical) {
        const QSignalBlocker blockHorizontal(m_horizontal);
        const QSignalBlocker blockVertical(m_vertical);
        m_horizontal->setCurrentIndex(static_cast<int>(plane.horizontal));
        m_vertical->setCurrentIndex(static_cast<int>(plane.vertical));
    }
    m_field->overlay()->clearSolutions();
    m_plot->showPlane(*m_course, m_plane);
    showAxisTitles();
    showRow(m_row);
}

void PhasePlanePage::showAxisTitles() {
    const std::vector<std::string> names =
        calc::component_names(m_course->problem.form, m_course->size());
    m_passPanel->plot()->setAxisTitles(fromUtf8(names[m_plane.horizontal]),
                                       fromUtf8(names[m_plane.vertical]));
}

// The plot of the conserved quantity beside the others, and its drift to the end below them.
void PhasePlanePage::createConserved() {
    const std::optional<calc::Drift> drift = calc::conserved_drift(*m_course);
    if (!m_course->problem.conserved || !drift) {
        return;
    }
    m_conserved = new ConservedPlot(*m_course, m_locale, m_plots);
    plot::setPanelMinimumSize(m_conserved, m_conserved);
    static_cast<QHBoxLayout*>(m_plots->layout())->addWidget(m_conserved, side_stretch);
    // A screen reader reads the label's own text, so it has no accessible name.
    auto* label = new QLabel(fromUtf8(calc::drift_text(*drift, calcNumberLocale(m_locale))), this);
    label->setObjectName("Drift");
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout()->addWidget(label);
}

void PhasePlanePage::createButtons() {
    m_files.addSaveButtons(
        static_cast<QVBoxLayout*>(layout()), this,
        {"phasenCsvSpeichern", "phasenBildSpeichern", text::title},
        [this](const QString& fileName) { return saveCsv(fileName); },
        [this](const QString& fileName) { return saveImage(fileName); });
}

void PhasePlanePage::showRow(int row) {
    const int rows = static_cast<int>(m_course->rows.size());
    m_row = row >= 0 && row < rows ? row : -1;
    std::optional<calc::PlanePass> pass;
    if (m_row >= 0) {
        pass = calc::plane_pass(*m_course, static_cast<std::size_t>(m_row), m_plane);
    }
    m_passPanel->showPass(pass, m_row, rows);
    QList<QPointF> step;
    if (pass) {
        step = {{pass->start.x, pass->start.y}, {pass->next.x, pass->next.y}};
    }
    m_field->overlay()->highlightPoints(step);
}

int PhasePlanePage::row() const {
    return m_row;
}

bool PhasePlanePage::saveCsv(const QString& fileName) {
    return m_files.saveText(this, fileName,
                            calc::phase_plane_csv(*m_course, calcNumberLocale(m_locale)));
}

bool PhasePlanePage::saveImage(const QString& fileName) {
    QList<QChartView*> plots{m_plot};
    if (m_conserved) {
        plots.append(m_conserved);
    }
    return m_files.saveImage(this, fileName, plots);
}
