// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/course_window.h"

#include "window/course/comparison_page.h"
#include "window/course/convergence_page.h"
#include "window/course/course_page.h"
#include "window/course/stability_page.h"

#include "calc/analysis/stability.h"

#include <QTabWidget>

#include <memory>

namespace {

namespace text {
constexpr char course_page[] = "Verlauf";
constexpr char comparison_page[] = "Vergleich";
constexpr char convergence_page[] = "Konvergenz";
} // namespace text

} // namespace

CourseWindow::CourseWindow(const calc::Course& course, const QLocale& locale, QWidget* parent)
    : CourseFrame(parent) {
    m_course = new CoursePage(course, locale, files(), pages());
    addPage(m_course, text::course_page);
    m_comparison = new ComparisonPage(course, locale, files(), pages());
    addPage(m_comparison, text::comparison_page);
    m_convergence = new ConvergencePage(course, locale, files(), pages());
    addPage(m_convergence, text::convergence_page);
    auto shared = std::make_shared<const calc::Course>(course);
    auto* stability = new StabilityPage(
        course.method, [shared] { return calc::stability_of(*shared); }, locale, pages());
    addPage(stability, StabilityPage::tab_name);
    // The table's current row is the pass whose points are ringed; a clicked point moves the row.
    connect(m_course, &CoursePage::currentRowChanged, stability, &StabilityPage::showRow);
    connect(stability, &StabilityPage::rowRequested, m_course, &CoursePage::selectRow);
    stability->showRow(m_course->currentRow());
    connect(m_course, &CoursePage::exactSolutionChanged, this, &CourseWindow::passOnExactSolution);
    finish(m_course, m_course->defaultSize());
    m_course->focusTable();
}

// An exact solution typed on the course page holds for the comparison and the study too.
void CourseWindow::passOnExactSolution() {
    m_comparison->setExactSolution(m_course->course().exact);
    m_convergence->setExactSolution(m_course->course().exact);
}

bool CourseWindow::saveCsv(const QString& fileName) {
    return m_course->saveCsv(fileName);
}

bool CourseWindow::saveImage(const QString& fileName) {
    return m_course->saveImage(fileName);
}
