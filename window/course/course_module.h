// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QWidget>

namespace calc {
struct ResultLine;
struct SystemLine;
} // namespace calc

// The entries of the course module: make the course window of a result line, or of a system's
// line, a window of `parent`.
using CourseWindowEntry = QWidget* (*)(const calc::ResultLine* line, const QLocale* locale,
                                       QWidget* parent);
using SystemCourseWindowEntry = QWidget* (*)(const calc::SystemLine* line, const QLocale* locale,
                                             QWidget* parent);
inline constexpr char course_window_entry[] = "numer_integration_course_window";
inline constexpr char system_course_window_entry[] = "numer_integration_system_course_window";
