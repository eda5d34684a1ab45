// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/course/file_export.h"

#include <QSize>
#include <QString>
#include <QWidget>

class QTabWidget;

// What every course window has, a scalar's or a system's: its pages in tabs above a button
// that closes it, the way its pages save files, and its size at first.
class CourseFrame : public QWidget {
    Q_OBJECT

public:
    using FileNameChooser = FileExport::FileNameChooser;
    using WarningPresenter = FileExport::WarningPresenter;

    // Asks for file names through `chooser` instead of a file dialog; empty restores the dialog.
    void setFileNameChooser(FileNameChooser chooser);
    // Shows warnings through `presenter` instead of a message box; empty restores the box.
    void setWarningPresenter(WarningPresenter presenter);

protected:
    // An empty window "Verlauf" of `parent`, deleted when closed, with its tabs.
    explicit CourseFrame(QWidget* parent);

    // Adds a page under the tab's name.
    void addPage(QWidget* page, const char* name);
    // Adds the close button below the pages and sizes the window for the first page, shown at
    // `pageSize`, within the screen's free area.
    void finish(QWidget* firstPage, QSize pageSize);

    const FileExport& files() const { return m_files; }
    QTabWidget* pages() const { return m_pages; }

private:
    FileExport m_files;
    QTabWidget* m_pages = nullptr;
};
