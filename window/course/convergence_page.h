// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/course.h"
#include "calc/analysis/study.h"
#include "calc/analysis/system_problem.h"
#include "calc/analysis/system_study.h"
#include "calc/system_calculate.h"

#include <QFutureWatcher>
#include <QLocale>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <variant>

class ConvergencePlot;
class FileExport;
class NumberTable;
class QCheckBox;
class QLabel;
class QProgressBar;
class StudyProgress;
class QPushButton;

// The page "Konvergenz": how each method's error falls as the step halves, in a table and a
// log-log plot, with where rounding stops it, for a scalar equation or a system. The study runs
// in the background when the page is first shown; closing the window cancels it.
class ConvergencePage : public QWidget {
    Q_OBJECT

public:
    ConvergencePage(const calc::Course& course, const QLocale& locale, const FileExport& files,
                    QWidget* parent);
    // The study of a system from these numbers, its error the maximum norm.
    ConvergencePage(const calc::SystemNumbers& numbers, const calc::SystemProblem& problem,
                    const QLocale& locale, const FileExport& files, QWidget* parent);
    // Cancels a running study and waits for it, so that nothing is left running.
    ~ConvergencePage() override;

    // Studies a scalar equation against this exact solution from now on; a study made or
    // running is made again.
    void setExactSolution(const std::optional<calc::ExactSolution>& exact);

    // Write the study as CSV, and its plot as SVG or an image; false after a warning or when
    // there is no study yet.
    bool saveCsv(const QString& fileName);
    bool saveImage(const QString& fileName);

    // What the study's future, watched by the child "Studie", holds: none when cancelled.
    using AnyStudy = std::variant<calc::Study, calc::SystemStudy>;
    using Result = std::optional<AnyStudy>;
    // Makes a study, reporting its progress; none when cancelled. Runs on a worker thread.
    using StudyRun = std::function<Result(const calc::StudyProgress& progress)>;

protected:
    void showEvent(QShowEvent* event) override;

private:
    ConvergencePage(StudyRun run, const QLocale& locale, const FileExport& files, QWidget* parent);
    static StudyRun scalarRun(const calc::Numbers& numbers, const calc::Equation& equation,
                              const std::optional<calc::ExactSolution>& exact);
    void createContents();
    void createButtons();
    void start();
    void cancel();
    void finish();
    void showStudy();
    void showPlot();

    // The scalar's entries, kept for a new exact solution.
    calc::Numbers m_numbers{};
    calc::Equation m_equation;
    StudyRun m_run;
    QLocale m_locale;
    const FileExport& m_files;
    QFutureWatcher<Result>* m_watcher = nullptr;
    Result m_study;
    bool m_wanted = true; // a study is to be made the next time the page is shown

    StudyProgress* m_studyProgress = nullptr;
    QProgressBar* m_progress = nullptr;
    NumberTable* m_table = nullptr;
    QLabel* m_roundoff = nullptr;
    QCheckBox* m_evaluations = nullptr;
    ConvergencePlot* m_plot = nullptr;
    QPushButton* m_saveCsv = nullptr;
    QPushButton* m_saveImage = nullptr;
};
