// SPDX-License-Identifier: GPL-3.0-or-later
// The course window as a module that the main window loads when it first shows a course, so
// that the main window starts without Qt Charts.
#include "window/course/course_module.h"
#include "calc/analysis/adaptive_course.h"
#include "calc/analysis/course.h"
#include "calc/analysis/system_course.h"
#include "calc/calculate.h"
#include "calc/system_calculate.h"
#include "window/course/adaptive_course_window.h"
#include "window/course/course_window.h"
#include "window/course/pair_comparison_page.h"
#include "window/course/system_course_window.h"
#include "window/course/tolerance_study_page.h"

namespace {

namespace text {
constexpr char comparison_page[] = "Vergleich";
constexpr char convergence_page[] = "Konvergenz";
} // namespace text

// A run with step size control is compared with the other pairs at its tolerance, and studied
// over the tolerances against the fixed step.
template <class Line>
QWidget* withPairPages(AdaptiveCourseWindow* window, const Line& line, const QLocale& locale) {
    window->appendPage(new PairComparisonPage(line, locale, window->fileExport(), window),
                       text::comparison_page);
    window->appendPage(new ToleranceStudyPage(line, locale, window->fileExport(), window),
                       text::convergence_page);
    return window;
}

} // namespace

extern "C" Q_DECL_EXPORT QWidget* numer_integration_course_window(const calc::ResultLine* line,
                                                                  const QLocale* locale,
                                                                  QWidget* parent) {
    if (line->adaptive) {
        return withPairPages(
            new AdaptiveCourseWindow(calc::build_adaptive_course(*line), *locale, parent), *line,
            *locale);
    }
    return new CourseWindow(calc::build_course(*line), *locale, parent);
}

extern "C" Q_DECL_EXPORT QWidget*
numer_integration_system_course_window(const calc::SystemLine* line, const QLocale* locale,
                                       QWidget* parent) {
    if (line->adaptive) {
        return withPairPages(
            new AdaptiveCourseWindow(calc::build_system_adaptive_course(*line), *locale, parent),
            *line, *locale);
    }
    return new SystemCourseWindow(calc::build_system_course(*line), *locale, parent);
}
