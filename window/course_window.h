// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace calc {
struct Course;
struct NumberLocale;
} // namespace calc

class QChartView;
class QTableWidget;

// The course of one calculation: every pass in a table, the exact solution, the error and plots.
class CourseWindow : public QWidget {
    Q_OBJECT

public:
    // Asks for the name of a file to write: caption, suggested name, filter; empty cancels.
    using FileNameChooser = std::function<QString(const QString& caption, const QString& suggestion,
                                                  const QString& filter)>;
    using WarningPresenter = std::function<void(const QString& text)>;

    // Shows `course` in a window of its own; numbers on the axes follow `locale`.
    explicit CourseWindow(const calc::Course& course, const QLocale& locale,
                          QWidget* parent = nullptr);

    // Asks for file names through `chooser` instead of a file dialog; empty restores the dialog.
    void setFileNameChooser(FileNameChooser chooser);
    // Shows warnings through `presenter` instead of a message box; empty restores the box.
    void setWarningPresenter(WarningPresenter presenter);
    // Writes the table as CSV to `fileName`; false after a warning.
    bool saveCsv(const QString& fileName);
    // Writes both plots side by side as SVG or, by any other extension, as an image.
    bool saveImage(const QString& fileName);

private:
    void createHeading(const calc::Course& course, const calc::NumberLocale& locale);
    void createTable(const calc::Course& course, const calc::NumberLocale& locale);
    void createPlots(const calc::Course& course, const QLocale& locale);
    void createButtons();
    void fitColumns(const std::vector<QStringList>& longest);
    void copySelectedCells();
    void chooseCsvFile();
    void chooseImageFile();
    QString chooseFileName(const QString& caption, const QString& suggestion,
                           const QString& filter);
    void warn(const QString& text);
    QSize defaultSize() const;

    QTableWidget* m_table = nullptr;
    QChartView* m_plot = nullptr;
    QChartView* m_errorPlot = nullptr;
    std::string m_csv;
    FileNameChooser m_chooseFileName;
    WarningPresenter m_presentWarning;
};
