// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/course/file_export.h"

#include <QLocale>
#include <QSize>
#include <QString>
#include <QWidget>

namespace calc {
struct SystemCourse;
} // namespace calc

class ConvergencePage;
class PhasePlanePage;
class QTabWidget;
class SystemComparisonPage;
class SystemCoursePage;

// The window of a system's course: its passes and components on "Verlauf", the run in the plane
// of two components on "Phasenebene", the five methods on "Vergleich" and the study on
// "Konvergenz". The pass of the table's current row is the one the phase plane draws.
class SystemCourseWindow : public QWidget {
    Q_OBJECT

public:
    using FileNameChooser = FileExport::FileNameChooser;
    using WarningPresenter = FileExport::WarningPresenter;

    SystemCourseWindow(const calc::SystemCourse& course, const QLocale& locale,
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
    void createPages(const calc::SystemCourse& course, const QLocale& locale);
    void createButtons();

    FileExport m_files;
    QTabWidget* m_pages = nullptr;
    SystemCoursePage* m_course = nullptr;
    PhasePlanePage* m_plane = nullptr;
    SystemComparisonPage* m_comparison = nullptr;
    ConvergencePage* m_convergence = nullptr;
};
