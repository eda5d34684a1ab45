// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/adaptive_course.h"

#include <QLocale>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class FileExport;
class NumberTable;
class QChartView;
class QCheckBox;
class QGridLayout;
class QLabel;

// What the page of a run with step size control shows, from a scalar's course or a system's.
struct AdaptiveTable {
    QString heading;
    QStringList captions;
    std::vector<std::vector<std::string>> rows; // every attempt, then the end point
    std::vector<bool> rejected;                 // per row: whether it is a rejected attempt
    QString totals;
    std::function<std::string()> csv; // made when saved: a long run's CSV takes a while
    std::vector<calc::StepMark> steps;

    // The table of a course that the CSV keeps, shared with the window's plots.
    static AdaptiveTable of(const std::shared_ptr<const calc::AdaptiveCourse>& course,
                            const calc::NumberLocale& locale);
    static AdaptiveTable of(const std::shared_ptr<const calc::SystemAdaptiveCourse>& course,
                            const calc::NumberLocale& locale);
};

// The page "Verlauf" of a run with step size control: every attempt in a table, the rejected
// ones greyed, a switch that shows the accepted ones alone, the totals, and below the plot of the
// step size over x beside the plots that the window adds: the course, its error and the pass of
// the chosen attempt.
class AdaptiveCoursePage : public QWidget {
    Q_OBJECT

public:
    AdaptiveCoursePage(AdaptiveTable table, const QLocale& locale, const FileExport& files,
                       QWidget* parent);

    // Adds a plot after those shown; "Bild speichern…" saves it with them.
    void addPlot(QChartView* plot);
    // Adds a panel after the plots, as the pass of the chosen attempt; it is not saved.
    void addPanel(QWidget* panel);

    // Writes the table as CSV to `fileName`; false after a warning.
    bool saveCsv(const QString& fileName);
    // Writes the plots side by side as SVG or, by any other extension, as an image.
    bool saveImage(const QString& fileName);

    // The whole table width, some rows of it and the plots below.
    QSize defaultSize() const;
    void focusTable();
    // Makes `row` the table's current row, or where the switch hides it the next shown row in
    // its direction; a row that does not exist is ignored.
    void selectRow(int row);
    int currentRow() const;

    // Shows the rejected attempts, or hides them, as the switch does.
    void setRejectedShown(bool shown);

signals:
    // The table's current row changed; -1 where there is none.
    void currentRowChanged(int row);

private:
    void createTable();
    void createPlots();
    void place(QWidget* widget);

    AdaptiveTable m_table;
    QLocale m_locale;
    const FileExport& m_files;
    NumberTable* m_cells = nullptr;
    QCheckBox* m_acceptedOnly = nullptr;
    QWidget* m_plots = nullptr;
    QGridLayout* m_grid = nullptr;
    QList<QChartView*> m_saved;
    int m_placed = 0;
};
