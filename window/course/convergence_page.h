// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/course.h"
#include "calc/analysis/study.h"

#include <QFutureWatcher>
#include <QLocale>
#include <QString>
#include <QWidget>

#include <optional>

class ConvergencePlot;
class FileExport;
class NumberTable;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

// The page "Konvergenz": how each method's error falls as the step halves, in a table and a
// log-log plot, with where rounding stops it. The study runs in the background when the page is
// first shown; closing the window cancels it.
class ConvergencePage : public QWidget {
    Q_OBJECT

public:
    ConvergencePage(const calc::Course& course, const QLocale& locale, const FileExport& files,
                    QWidget* parent);
    // Cancels a running study and waits for it, so that nothing is left running.
    ~ConvergencePage() override;

    // Studies against this exact solution from now on; a study made or running is made again.
    void setExactSolution(const std::optional<calc::ExactSolution>& exact);

    // Write the study as CSV, and its plot as SVG or an image; false after a warning or when
    // there is no study yet.
    bool saveCsv(const QString& fileName);
    bool saveImage(const QString& fileName);

    // What the study's future, watched by the child "Studie", holds: none when cancelled.
    using Result = std::optional<calc::Study>;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createContents();
    void createProgress();
    void createButtons();
    void start();
    void cancel();
    void finish();
    void showStudy();
    void showPlot();

    calc::Numbers m_numbers;
    calc::Equation m_equation;
    std::optional<calc::ExactSolution> m_exact;
    QLocale m_locale;
    const FileExport& m_files;
    QFutureWatcher<Result>* m_watcher = nullptr;
    std::optional<calc::Study> m_study;
    bool m_wanted = true; // a study is to be made the next time the page is shown

    QWidget* m_running = nullptr;
    QProgressBar* m_progress = nullptr;
    QWidget* m_cancelled = nullptr;
    NumberTable* m_table = nullptr;
    QLabel* m_roundoff = nullptr;
    QCheckBox* m_evaluations = nullptr;
    ConvergencePlot* m_plot = nullptr;
    QPushButton* m_saveCsv = nullptr;
    QPushButton* m_saveImage = nullptr;
};
