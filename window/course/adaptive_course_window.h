// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/course/course_frame.h"

#include <QLocale>
#include <QString>

namespace calc {
struct AdaptiveCourse;
struct SystemAdaptiveCourse;
} // namespace calc

class AdaptiveCoursePage;
class StabilityPage;

// The window of a run with step size control, a scalar equation's or a system's: every attempt
// and the step size on "Verlauf". Further pages, that compare the pairs or study the tolerance,
// are added behind it with appendPage.
class AdaptiveCourseWindow : public CourseFrame {
    Q_OBJECT

public:
    AdaptiveCourseWindow(const calc::AdaptiveCourse& course, const QLocale& locale,
                         QWidget* parent = nullptr);
    AdaptiveCourseWindow(const calc::SystemAdaptiveCourse& course, const QLocale& locale,
                         QWidget* parent = nullptr);

    // Adds a page under the tab's name after those there; its files go through fileExport().
    void appendPage(QWidget* page, const char* name);
    const FileExport& fileExport() const { return files(); }

    AdaptiveCoursePage* coursePage() const { return m_course; }

    // Writes the table of attempts as CSV to `fileName`; false after a warning.
    bool saveCsv(const QString& fileName);
    // Writes the course page's plots side by side as SVG or, by any other extension, as an image.
    bool saveImage(const QString& fileName);

private:
    void finishPage(StabilityPage* stability);

    AdaptiveCoursePage* m_course = nullptr;
};
