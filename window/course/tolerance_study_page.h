// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/study.h"
#include "calc/analysis/system_study.h"
#include "calc/analysis/tolerance_study.h"
#include "calc/calculate.h"
#include "calc/system_calculate.h"

#include <QFutureWatcher>
#include <QLocale>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <variant>

class FileExport;
class NumberTable;
class QLabel;
class QProgressBar;
class StudyProgress;
class QPushButton;
class ToleranceErrorPlot;
class WorkAccuracyPlot;

// The page "Konvergenz" of a line with step size control: each pair's run at the tolerances
// 1e-2 … 1e-12 in a table, its error against the tolerance, and the work against the accuracy
// beside the fixed-step methods' from their convergence study. Both studies run in the
// background when the page is first shown, the pairs' first; closing the page cancels them.
class ToleranceStudyPage : public QWidget {
    Q_OBJECT

public:
    ToleranceStudyPage(const calc::ResultLine& line, const QLocale& locale, const FileExport& files,
                       QWidget* parent);
    ToleranceStudyPage(const calc::SystemLine& line, const QLocale& locale, const FileExport& files,
                       QWidget* parent);
    // Cancels the running studies and waits for them, so that nothing is left running.
    ~ToleranceStudyPage() override;

    // Write the tolerance study as CSV, and both plots as SVG or an image; false after a warning
    // or when there is no study yet.
    bool saveCsv(const QString& fileName);
    bool saveImage(const QString& fileName);

    using AnyToleranceStudy = std::variant<calc::ToleranceStudy, calc::SystemToleranceStudy>;
    using AnyFixedStudy = std::variant<calc::Study, calc::SystemStudy>;
    // A result of the future watched by the child "Toleranzstudie": the first holds the pairs'
    // study, the second the fixed-step methods'.
    struct Result {
        std::optional<AnyToleranceStudy> tolerance;
        std::optional<AnyFixedStudy> fixed;
    };
    // Makes one of the studies, reporting its progress; none when cancelled. Runs on a worker.
    using ToleranceRun =
        std::function<std::optional<AnyToleranceStudy>(const calc::StudyProgress&)>;
    using FixedRun = std::function<std::optional<AnyFixedStudy>(const calc::StudyProgress&)>;

protected:
    void showEvent(QShowEvent* event) override;

private:
    ToleranceStudyPage(ToleranceRun tolerance, FixedRun fixed, const QLocale& locale,
                       const FileExport& files, QWidget* parent);
    void createContents();
    void createButtons();
    void start();
    void cancel();
    void takeResult(int index);
    void finish();
    void showPlots();

    ToleranceRun m_toleranceRun;
    FixedRun m_fixedRun;
    QLocale m_locale;
    const FileExport& m_files;
    QFutureWatcher<Result>* m_watcher = nullptr;
    std::optional<AnyToleranceStudy> m_study;
    std::optional<AnyFixedStudy> m_fixed;
    bool m_wanted = true; // the studies are to be made the next time the page is shown

    StudyProgress* m_studyProgress = nullptr;
    QProgressBar* m_progress = nullptr;
    NumberTable* m_table = nullptr;
    ToleranceErrorPlot* m_errorPlot = nullptr;
    WorkAccuracyPlot* m_workPlot = nullptr;
    QPushButton* m_saveCsv = nullptr;
    QPushButton* m_saveImage = nullptr;
};
