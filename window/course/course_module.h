// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QWidget>

namespace calc {
struct ResultLine;
} // namespace calc

// The entry of the course module: makes the course window of a result line, a window of `parent`.
using CourseWindowEntry = QWidget* (*)(const calc::ResultLine* line, const QLocale* locale,
                                       QWidget* parent);
inline constexpr char course_window_entry[] = "numer_integration_course_window";
