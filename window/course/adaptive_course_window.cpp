// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/adaptive_course_window.h"

#include "calc/analysis/adaptive_course.h"
#include "calc/analysis/stability.h"
#include "qt/number_locale.h"
#include "qt/qt_text.h"
#include "window/course/adaptive_course_page.h"
#include "window/course/stability_page.h"
#include "window/plots/component_plot.h"
#include "window/plots/course_plot.h"
#include "window/plots/error_plot.h"
#include "window/plots/pass_panel.h"
#include "window/plots/plane_pass_panel.h"
#include "window/plots/plane_pass_plot.h"

#include <QTabWidget>

#include <memory>
#include <string>
#include <vector>

namespace {

namespace text {
constexpr char course_page[] = "Verlauf";
} // namespace text

} // namespace

AdaptiveCourseWindow::AdaptiveCourseWindow(const calc::AdaptiveCourse& course,
                                           const QLocale& locale, QWidget* parent)
    : CourseFrame(parent) {
    // The page's CSV and the pass panel's attempts come from one copy of the course.
    auto shared = std::make_shared<const calc::AdaptiveCourse>(course);
    m_course = new AdaptiveCoursePage(AdaptiveTable::of(shared, calcNumberLocale(locale)), locale,
                                      files(), pages());
    const calc::Course accepted = calc::accepted_course(course);
    m_course->addPlot(new CoursePlot(
        accepted, fromUtf8(calc::pair_info(course.adaptive.pair).short_name), locale, m_course));
    m_course->addPlot(new ErrorPlot(accepted, locale, m_course));
    auto* pass =
        new PassPanel([shared](std::size_t row) { return calc::adaptive_pass_view(*shared, row); },
                      static_cast<int>(course.rows.size()), locale, m_course);
    m_course->addPanel(pass);
    connect(m_course, &AdaptiveCoursePage::currentRowChanged, pass, &PassPanel::showRow);
    connect(pass, &PassPanel::rowRequested, m_course, &AdaptiveCoursePage::selectRow);
    finishPage(new StabilityPage(
        course.adaptive.pair, [shared] { return calc::stability_of(*shared); }, locale, pages()));
    pass->showRow(m_course->currentRow());
}

AdaptiveCourseWindow::AdaptiveCourseWindow(const calc::SystemAdaptiveCourse& course,
                                           const QLocale& locale, QWidget* parent)
    : CourseFrame(parent) {
    auto shared = std::make_shared<const calc::SystemAdaptiveCourse>(course);
    m_course = new AdaptiveCoursePage(AdaptiveTable::of(shared, calcNumberLocale(locale)), locale,
                                      files(), pages());
    auto* stability = new StabilityPage(
        course.adaptive.pair, [shared] { return calc::stability_of(*shared); }, locale, pages());
    const calc::SystemCourse accepted = calc::accepted_course(course);
    m_course->addPlot(new ComponentPlot(accepted, locale, m_course));
    // Without the exact solution there is no error to draw.
    if (course.problem.exact) {
        m_course->addPlot(new ErrorPlot(accepted, locale, m_course));
    }
    // The attempt in the plane of the first two components.
    if (calc::fits(calc::Plane{}, course.size())) {
        auto* pass = new PlanePassPanel(locale, m_course);
        const std::vector<std::string> names =
            calc::component_names(course.problem.form, course.size());
        pass->plot()->setAxisTitles(fromUtf8(names[0]), fromUtf8(names[1]));
        m_course->addPanel(pass);
        const int rows = static_cast<int>(course.rows.size());
        const auto show = [shared, pass, rows](int row) {
            pass->showPass(
                row < 0 ? std::nullopt
                        : calc::adaptive_plane_pass(*shared, static_cast<std::size_t>(row), {}),
                row, rows);
        };
        connect(m_course, &AdaptiveCoursePage::currentRowChanged, pass, show);
        connect(pass, &PlanePassPanel::rowRequested, m_course, &AdaptiveCoursePage::selectRow);
        finishPage(stability);
        show(m_course->currentRow());
        return;
    }
    finishPage(stability);
}

// The course page first, the page "Stabilität" behind it, following the table's current row.
void AdaptiveCourseWindow::finishPage(StabilityPage* stability) {
    addPage(m_course, text::course_page);
    addPage(stability, StabilityPage::tab_name);
    connect(m_course, &AdaptiveCoursePage::currentRowChanged, stability, &StabilityPage::showRow);
    connect(stability, &StabilityPage::rowRequested, m_course, &AdaptiveCoursePage::selectRow);
    finish(m_course, m_course->defaultSize());
    m_course->focusTable();
    stability->showRow(m_course->currentRow());
}

void AdaptiveCourseWindow::appendPage(QWidget* page, const char* name) {
    page->setParent(pages());
    addPage(page, name);
}

bool AdaptiveCourseWindow::saveCsv(const QString& fileName) {
    return m_course->saveCsv(fileName);
}

bool AdaptiveCourseWindow::saveImage(const QString& fileName) {
    return m_course->saveImage(fileName);
}
