// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/system_course_window.h"

#include "calc/analysis/stability.h"
#include "calc/analysis/system_course.h"
#include "window/course/convergence_page.h"
#include "window/course/phase_plane_page.h"
#include "window/course/stability_page.h"
#include "window/course/system_comparison_page.h"
#include "window/course/system_course_page.h"

#include <QTabWidget>

#include <memory>

namespace {

namespace text {
constexpr char course_page[] = "Verlauf";
constexpr char plane_page[] = "Phasenebene";
constexpr char comparison_page[] = "Vergleich";
constexpr char convergence_page[] = "Konvergenz";
} // namespace text

} // namespace

SystemCourseWindow::SystemCourseWindow(const calc::SystemCourse& course, const QLocale& locale,
                                       QWidget* parent)
    : CourseFrame(parent) {
    m_course = new SystemCoursePage(course, locale, files(), pages());
    addPage(m_course, text::course_page);
    m_plane = new PhasePlanePage(course, locale, files(), pages());
    addPage(m_plane, text::plane_page);
    m_comparison =
        new SystemComparisonPage(course.numbers, course.problem, locale, files(), pages());
    addPage(m_comparison, text::comparison_page);
    m_convergence = new ConvergencePage(course.numbers, course.problem, locale, files(), pages());
    addPage(m_convergence, text::convergence_page);
    auto shared = std::make_shared<const calc::SystemCourse>(course);
    auto* stability = new StabilityPage(
        course.method, [shared] { return calc::stability_of(*shared); }, locale, pages());
    addPage(stability, StabilityPage::tab_name);

    // The table's current row is the pass the plane draws; the plane's buttons move the row.
    connect(m_course, &SystemCoursePage::currentRowChanged, m_plane, &PhasePlanePage::showRow);
    connect(m_plane, &PhasePlanePage::rowRequested, m_course, &SystemCoursePage::selectRow);
    m_plane->showRow(m_course->currentRow());
    connect(m_course, &SystemCoursePage::currentRowChanged, stability, &StabilityPage::showRow);
    connect(stability, &StabilityPage::rowRequested, m_course, &SystemCoursePage::selectRow);
    stability->showRow(m_course->currentRow());
    finish(m_course, m_course->defaultSize());
    m_course->focusTable();
}

bool SystemCourseWindow::saveCsv(const QString& fileName) {
    return m_course->saveCsv(fileName);
}

bool SystemCourseWindow::saveImage(const QString& fileName) {
    return m_course->saveImage(fileName);
}
