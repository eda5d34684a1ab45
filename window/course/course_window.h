// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/course/course_frame.h"

#include <QLocale>
#include <QString>

namespace calc {
struct Course;
} // namespace calc

class ComparisonPage;
class ConvergencePage;
class CoursePage;

// The window of one calculation's course: pages that show it from different sides. The pages
// other than the course are made when first shown.
class CourseWindow : public CourseFrame {
    Q_OBJECT

public:
    // Shows `course` in a window of its own; numbers on the axes follow `locale`.
    explicit CourseWindow(const calc::Course& course, const QLocale& locale,
                          QWidget* parent = nullptr);

    // Writes the course's table as CSV to `fileName`; false after a warning.
    bool saveCsv(const QString& fileName);
    // Writes the course's plots side by side as SVG or, by any other extension, as an image.
    bool saveImage(const QString& fileName);

private:
    void passOnExactSolution();

    CoursePage* m_course = nullptr;
    ComparisonPage* m_comparison = nullptr;
    ConvergencePage* m_convergence = nullptr;
};
