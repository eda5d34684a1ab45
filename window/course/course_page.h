// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/course.h"

#include <QLocale>
#include <QSize>
#include <QString>
#include <QWidget>

class CoursePlot;
class ErrorPlot;
class FieldPlotPanel;
class FileExport;
class NumberTable;
class QLabel;
class QLineEdit;
class PassPanel;

// The page "Verlauf": every pass of one calculation in a table, the exact solution, the error,
// the observed order and plots of the course and its error. For an equation outside the
// catalogue the user may type the exact solution.
class CoursePage : public QWidget {
    Q_OBJECT

public:
    CoursePage(const calc::Course& course, const QLocale& locale, const FileExport& files,
               QWidget* parent);

    // Writes the table as CSV to `fileName`; false after a warning.
    bool saveCsv(const QString& fileName);
    // Writes both plots side by side as SVG or, by any other extension, as an image.
    bool saveImage(const QString& fileName);

    // The whole table width, some rows of it and the plots below.
    QSize defaultSize() const;

    // Puts the focus in the table, where the arrow keys go through the passes.
    void focusTable();

    // The course shown, with the exact solution it was last given.
    const calc::Course& course() const { return m_course; }

    // Makes `row` the table's current row and scrolls to it; the table's current row.
    void selectRow(int row);
    int currentRow() const;

signals:
    // The user gave the course another exact solution, or took it away.
    void exactSolutionChanged();
    // The table's current row changed to `row`.
    void currentRowChanged(int row);

private:
    void createHeading();
    void createExactField();
    void createTable();
    void createPlots();
    void createButtons();
    void createPassView();
    void showTable();
    void applyExactSolution();

    calc::Course m_course;
    QLocale m_locale;
    const FileExport& m_files;
    QLineEdit* m_exact = nullptr;
    NumberTable* m_table = nullptr;
    QLabel* m_order = nullptr;
    QWidget* m_plots = nullptr;
    CoursePlot* m_plot = nullptr;
    ErrorPlot* m_errorPlot = nullptr;
    // The pass of the current row, and the direction field of the course's plot.
    FieldPlotPanel* m_field = nullptr;
    PassPanel* m_passPanel = nullptr;
};
