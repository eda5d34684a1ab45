// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/system_course.h"

#include <QLocale>
#include <QSize>
#include <QString>
#include <QWidget>

class ComponentPlot;
class ErrorPlot;
class FileExport;
class NumberTable;
class QLabel;

// The page "Verlauf" of a system: every pass in a table with each component and each stage's
// increment per component, the exact components and the error's maximum norm where known, the
// observed order, the components over x and, where the exact solution is known, the error
// over x.
class SystemCoursePage : public QWidget {
    Q_OBJECT

public:
    SystemCoursePage(const calc::SystemCourse& course, const QLocale& locale,
                     const FileExport& files, QWidget* parent);

    // Writes the table as CSV to `fileName`; false after a warning.
    bool saveCsv(const QString& fileName);
    // Writes both plots side by side as SVG or, by any other extension, as an image.
    bool saveImage(const QString& fileName);

    // The whole table width, some rows of it and the plots below.
    QSize defaultSize() const;

    // Puts the focus in the table, where the arrow keys go through the passes.
    void focusTable();
    // Makes `row` the table's current row and shows it; a row that does not exist is ignored.
    void selectRow(int row);
    int currentRow() const;

    const calc::SystemCourse& course() const { return m_course; }

signals:
    // The table's current row changed; -1 where there is none.
    void currentRowChanged(int row);

private:
    void createHeading();
    void createTable();
    void createPlots();
    void createButtons();

    calc::SystemCourse m_course;
    QLocale m_locale;
    const FileExport& m_files;
    NumberTable* m_table = nullptr;
    QWidget* m_plots = nullptr;
    ComponentPlot* m_plot = nullptr;
    ErrorPlot* m_errorPlot = nullptr;
};
