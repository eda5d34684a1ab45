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
#include "window/course/system_course_window.h"

extern "C" Q_DECL_EXPORT QWidget* numer_integration_course_window(const calc::ResultLine* line,
                                                                  const QLocale* locale,
                                                                  QWidget* parent) {
    if (line->adaptive) {
        return new AdaptiveCourseWindow(calc::build_adaptive_course(*line), *locale, parent);
    }
    return new CourseWindow(calc::build_course(*line), *locale, parent);
}

extern "C" Q_DECL_EXPORT QWidget*
numer_integration_system_course_window(const calc::SystemLine* line, const QLocale* locale,
                                       QWidget* parent) {
    if (line->adaptive) {
        return new AdaptiveCourseWindow(calc::build_system_adaptive_course(*line), *locale, parent);
    }
    return new SystemCourseWindow(calc::build_system_course(*line), *locale, parent);
}
