// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/tolerance_study_page.h"

#include "qt/number_locale.h"
#include "qt/qt_text.h"
#include "window/course/file_export.h"
#include "window/course/number_table.h"
#include "window/course/study_progress.h"
#include "window/plots/tolerance_error_plot.h"
#include "window/plots/work_accuracy_plot.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPromise>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace text {
constexpr char title[] = "Toleranzstudie";
constexpr char file_stem[] = "Toleranzstudie";
} // namespace text

// Each of the two studies fills one half of the progress bar.
constexpr int progress_half = 1000;

// The runs hold their own copies of the line, which the studies copy for each thread.
template <class Line> ToleranceStudyPage::ToleranceRun toleranceRun(const Line& line) {
    return [line](const calc::StudyProgress& progress)
               -> std::optional<ToleranceStudyPage::AnyToleranceStudy> {
        auto study = calc::run_tolerance_study(line, calc::all_pairs(), progress);
        return study ? std::optional<ToleranceStudyPage::AnyToleranceStudy>(std::move(*study))
                     : std::nullopt;
    };
}

template <class Line> ToleranceStudyPage::FixedRun fixedRun(const Line& line) {
    return [line](const calc::StudyProgress& progress)
               -> std::optional<ToleranceStudyPage::AnyFixedStudy> {
        auto study = calc::run_fixed_step_work(line, calc::study_pass_limit, progress);
        return study ? std::optional<ToleranceStudyPage::AnyFixedStudy>(std::move(*study))
                     : std::nullopt;
    };
}

} // namespace

ToleranceStudyPage::ToleranceStudyPage(const calc::ResultLine& line, const QLocale& locale,
                                       const FileExport& files, QWidget* parent)
    : ToleranceStudyPage(toleranceRun(line), fixedRun(line), locale, files, parent) {}

ToleranceStudyPage::ToleranceStudyPage(const calc::SystemLine& line, const QLocale& locale,
                                       const FileExport& files, QWidget* parent)
    : ToleranceStudyPage(toleranceRun(line), fixedRun(line), locale, files, parent) {}

ToleranceStudyPage::ToleranceStudyPage(ToleranceRun tolerance, FixedRun fixed,
                                       const QLocale& locale, const FileExport& files,
                                       QWidget* parent)
    : QWidget(parent), m_toleranceRun(std::move(tolerance)), m_fixedRun(std::move(fixed)),
      m_locale(locale), m_files(files), m_watcher(new QFutureWatcher<Result>(this)) {
    m_watcher->setObjectName("Toleranzstudie");
    new QVBoxLayout(this);
}

ToleranceStudyPage::~ToleranceStudyPage() {
    QFuture<Result> future = m_watcher->future();
    future.cancel();
    future.waitForFinished();
}

void ToleranceStudyPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_table) {
        createContents();
    }
    if (m_wanted) {
        start();
    }
}

void ToleranceStudyPage::createContents() {
    auto* column = static_cast<QVBoxLayout*>(layout());
    m_studyProgress = new StudyProgress(this);
    layout()->addWidget(m_studyProgress);
    m_progress = m_studyProgress->bar();
    connect(m_studyProgress, &StudyProgress::cancelRequested, this, &ToleranceStudyPage::cancel);
    connect(m_studyProgress, &StudyProgress::restartRequested, this, &ToleranceStudyPage::start);
    m_table = new NumberTable(text::title, QString::fromUtf8(text::title), this);
    column->addWidget(m_table, 2);
    auto* plots = new QHBoxLayout;
    m_errorPlot = new ToleranceErrorPlot(m_locale, this);
    plots->addWidget(m_errorPlot, 1);
    m_workPlot = new WorkAccuracyPlot(m_locale, this);
    plots->addWidget(m_workPlot, 1);
    column->addLayout(plots, 3);
    createButtons();

    connect(m_watcher, &QFutureWatcher<Result>::progressRangeChanged, m_progress,
            &QProgressBar::setRange);
    connect(m_watcher, &QFutureWatcher<Result>::progressValueChanged, m_progress,
            &QProgressBar::setValue);
    connect(m_watcher, &QFutureWatcher<Result>::resultReadyAt, this,
            &ToleranceStudyPage::takeResult);
    connect(m_watcher, &QFutureWatcher<Result>::finished, this, &ToleranceStudyPage::finish);
}

void ToleranceStudyPage::createButtons() {
    const SaveButtons buttons = m_files.addSaveButtons(
        static_cast<QVBoxLayout*>(layout()), this,
        {"toleranzCsvSpeichern", "toleranzBildSpeichern", text::file_stem},
        [this](const QString& fileName) { return saveCsv(fileName); },
        [this](const QString& fileName) { return saveImage(fileName); });
    m_saveCsv = buttons.csv;
    m_saveImage = buttons.image;
}

// The studies run one after the other on a thread of the pool, each using a second one
// itself; they ask the promise between runs, and while a run lasts, whether to stop.
void ToleranceStudyPage::start() {
    m_wanted = false;
    m_study.reset();
    m_fixed.reset();
    m_table->setCells({}, {});
    m_saveCsv->setEnabled(false);
    m_saveImage->setEnabled(false);
    m_progress->setRange(0, 2 * progress_half);
    m_progress->setValue(0);
    m_studyProgress->showRunning();
    m_watcher->setFuture(QtConcurrent::run(
        [tolerance = m_toleranceRun, fixed = m_fixedRun](QPromise<Result>& promise) {
            promise.setProgressRange(0, 2 * progress_half);
            const auto reportFrom = [&promise](int offset) {
                return [&promise, offset](int done, int total) {
                    promise.setProgressValue(offset + done * progress_half / std::max(1, total));
                    return !promise.isCanceled();
                };
            };
            auto study = tolerance(reportFrom(0));
            if (!study || promise.isCanceled()) {
                return;
            }
            promise.addResult(Result{std::move(study), std::nullopt});
            auto methods = fixed(reportFrom(progress_half));
            if (!methods || promise.isCanceled()) {
                return;
            }
            promise.addResult(Result{std::nullopt, std::move(methods)}, 1);
        }));
}

void ToleranceStudyPage::cancel() {
    m_watcher->future().cancel();
}

void ToleranceStudyPage::takeResult(int index) {
    Result result = m_watcher->future().resultAt(index);
    const calc::NumberLocale locale = calcNumberLocale(m_locale);
    if (result.tolerance) {
        m_study = std::move(result.tolerance);
        std::visit(
            [&](const auto& study) {
                m_table->setCells(fromUtf8List(calc::tolerance_study_columns()),
                                  calc::tolerance_study_rows(study, locale));
                m_errorPlot->showStudy(study);
            },
            *m_study);
        m_saveCsv->setEnabled(true);
        m_saveImage->setEnabled(true);
    }
    if (result.fixed) {
        m_fixed = std::move(result.fixed);
    }
    showPlots();
}

void ToleranceStudyPage::finish() {
    // Studies replaced by others may still report their end.
    if (!m_watcher->isFinished()) {
        return;
    }
    const QFuture<Result> future = m_watcher->future();
    const bool cancelled = future.isCanceled() || future.resultCount() < 2;
    m_studyProgress->showEnded(cancelled);
}

void ToleranceStudyPage::showPlots() {
    if (!m_study) {
        return;
    }
    const std::vector<calc::WorkSeries> pairs =
        std::visit([](const auto& study) { return calc::work_series(study); }, *m_study);
    const std::vector<calc::WorkSeries> methods =
        m_fixed ? std::visit([](const auto& study) { return calc::work_series(study); }, *m_fixed)
                : std::vector<calc::WorkSeries>{};
    m_workPlot->showSeries(pairs, methods);
}

bool ToleranceStudyPage::saveCsv(const QString& fileName) {
    if (!m_study) {
        return false;
    }
    const calc::NumberLocale locale = calcNumberLocale(m_locale);
    return m_files.saveText(
        this, fileName,
        std::visit(
            [&locale](const auto& study) { return calc::tolerance_study_csv(study, locale); },
            *m_study));
}

bool ToleranceStudyPage::saveImage(const QString& fileName) {
    return m_study && m_files.saveImage(this, fileName, {m_errorPlot, m_workPlot});
}
