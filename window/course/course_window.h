// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/course/file_export.h"

#include <QLocale>
#include <QSize>
#include <QString>
#include <QWidget>

namespace calc {
struct Course;
} // namespace calc

class ComparisonPage;
class ConvergencePage;
class CoursePage;
class QTabWidget;

// The window of one calculation's course: pages that show it from different sides. The pages
// other than the course are made when first shown.
class CourseWindow : public QWidget {
    Q_OBJECT

public:
    using FileNameChooser = FileExport::FileNameChooser;
    using WarningPresenter = FileExport::WarningPresenter;

    // Shows `course` in a window of its own; numbers on the axes follow `locale`.
    explicit CourseWindow(const calc::Course& course, const QLocale& locale,
                          QWidget* parent = nullptr);

    // Asks for file names through `chooser` instead of a file dialog; empty restores the dialog.
    void setFileNameChooser(FileNameChooser chooser);
    // Shows warnings through `presenter` instead of a message box; empty restores the box.
    void setWarningPresenter(WarningPresenter presenter);
    // Writes the course's table as CSV to `fileName`; false after a warning.
    bool saveCsv(const QString& fileName);
    // Writes the course's plots side by side as SVG or, by any other extension, as an image.
    bool saveImage(const QString& fileName);

private:
    void createPages(const calc::Course& course, const QLocale& locale);
    void createButtons();
    void passOnExactSolution();
    QSize defaultSize() const;

    FileExport m_files;
    QTabWidget* m_pages = nullptr;
    CoursePage* m_course = nullptr;
    ComparisonPage* m_comparison = nullptr;
    ConvergencePage* m_convergence = nullptr;
};
