// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/course/course_frame.h"

#include <QLocale>
#include <QString>

namespace calc {
struct SystemCourse;
} // namespace calc

class ConvergencePage;
class PhasePlanePage;
class SystemComparisonPage;
class SystemCoursePage;

// The window of a system's course: its passes and components on "Verlauf", the run in the plane
// of two components on "Phasenebene", the five methods on "Vergleich" and the study on
// "Konvergenz". The pass of the table's current row is the one the phase plane draws.
class SystemCourseWindow : public CourseFrame {
    Q_OBJECT

public:
    SystemCourseWindow(const calc::SystemCourse& course, const QLocale& locale,
                       QWidget* parent = nullptr);

    // Writes the course's table as CSV to `fileName`; false after a warning.
    bool saveCsv(const QString& fileName);
    // Writes the course's plots side by side as SVG or, by any other extension, as an image.
    bool saveImage(const QString& fileName);

private:
    SystemCoursePage* m_course = nullptr;
    PhasePlanePage* m_plane = nullptr;
    SystemComparisonPage* m_comparison = nullptr;
    ConvergencePage* m_convergence = nullptr;
};
