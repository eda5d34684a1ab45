// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/analysis/pair_comparison.h"
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
class QPushButton;
class WorkAccuracyPlot;

// The page "Vergleich" of a line with step size control: the three pairs at the line's
// tolerance side by side, each one's steps, rejected attempts, evaluations of f, its point at og
// and its error there, in a table and as work against accuracy. The runs are made in the
// background when the page is first shown; closing the page cancels them.
class PairComparisonPage : public QWidget {
    Q_OBJECT

public:
    PairComparisonPage(const calc::ResultLine& line, const QLocale& locale, const FileExport& files,
                       QWidget* parent);
    PairComparisonPage(const calc::SystemLine& line, const QLocale& locale, const FileExport& files,
                       QWidget* parent);
    // Cancels the runs and waits for them, so that nothing is left running.
    ~PairComparisonPage() override;

    bool saveCsv(const QString& fileName);
    bool saveImage(const QString& fileName);

    using AnyComparison = std::variant<calc::PairComparison, calc::SystemPairComparison>;
    // What the future watched by the child "Paarvergleich" holds: none when cancelled.
    using Result = std::optional<AnyComparison>;
    using ComparisonRun = std::function<Result(const calc::StudyProgress& progress)>;

protected:
    void showEvent(QShowEvent* event) override;

private:
    PairComparisonPage(ComparisonRun run, const QLocale& locale, const FileExport& files,
                       QWidget* parent);
    void createContents();
    void finish();

    ComparisonRun m_run;
    QLocale m_locale;
    const FileExport& m_files;
    QFutureWatcher<Result>* m_watcher = nullptr;
    Result m_comparison;
    bool m_started = false;

    NumberTable* m_table = nullptr;
    WorkAccuracyPlot* m_plot = nullptr;
    QPushButton* m_saveCsv = nullptr;
    QPushButton* m_saveImage = nullptr;
};
