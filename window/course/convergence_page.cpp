// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/convergence_page.h"

#include "qt/number_locale.h"
#include "qt/qt_text.h"
#include "window/course/file_export.h"
#include "window/course/number_table.h"
#include "window/course/study_progress.h"
#include "window/plots/convergence_plot.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPromise>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent>

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace {

namespace text {
constexpr char title[] = "Konvergenz";
constexpr char evaluations[] = "x-Achse: Auswertungen von f";
} // namespace text

// Every method, in the order of calc::method_table.
std::vector<calc::Method> allMethods() {
    std::vector<calc::Method> methods;
    for (const calc::MethodInfo& method : calc::method_table) {
        methods.push_back(method.id);
    }
    return methods;
}

} // namespace

ConvergencePage::ConvergencePage(const calc::Course& course, const QLocale& locale,
                                 const FileExport& files, QWidget* parent)
    : ConvergencePage(scalarRun(course.numbers, course.equation, course.exact), locale, files,
                      parent) {
    m_numbers = course.numbers;
    m_equation = course.equation;
}

ConvergencePage::ConvergencePage(const calc::SystemNumbers& numbers,
                                 const calc::SystemProblem& problem, const QLocale& locale,
                                 const FileExport& files, QWidget* parent)
    : ConvergencePage(
          // The run holds its own copy of the formulas, which the study copies for each thread.
          [numbers, problem](const calc::StudyProgress& progress) -> Result {
              auto study = calc::run_system_study(numbers, problem, allMethods(),
                                                  calc::study_pass_limit, progress);
              return study ? Result(std::move(*study)) : std::nullopt;
          },
          locale, files, parent) {}

ConvergencePage::ConvergencePage(StudyRun run, const QLocale& locale, const FileExport& files,
                                 QWidget* parent)
    : QWidget(parent), m_run(std::move(run)), m_locale(locale), m_files(files),
      m_watcher(new QFutureWatcher<Result>(this)) {
    m_watcher->setObjectName("Studie");
    new QVBoxLayout(this);
}

ConvergencePage::StudyRun
ConvergencePage::scalarRun(const calc::Numbers& numbers, const calc::Equation& equation,
                           const std::optional<calc::ExactSolution>& exact) {
    return [numbers, equation, exact](const calc::StudyProgress& progress) -> Result {
        auto study = calc::run_study(numbers, equation, allMethods(), exact, calc::study_pass_limit,
                                     progress);
        return study ? Result(std::move(*study)) : std::nullopt;
    };
}

ConvergencePage::~ConvergencePage() {
    QFuture<Result> future = m_watcher->future();
    future.cancel();
    future.waitForFinished();
}

void ConvergencePage::setExactSolution(const std::optional<calc::ExactSolution>& exact) {
    m_run = scalarRun(m_numbers, m_equation, exact);
    if (m_wanted) {
        return;
    }
    cancel();
    m_watcher->waitForFinished();
    m_wanted = true;
    if (isVisible()) {
        start();
    }
}

void ConvergencePage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_table) {
        createContents();
    }
    if (m_wanted) {
        start();
    }
}

void ConvergencePage::createContents() {
    auto* column = static_cast<QVBoxLayout*>(layout());
    m_studyProgress = new StudyProgress(this);
    layout()->addWidget(m_studyProgress);
    m_progress = m_studyProgress->bar();
    connect(m_studyProgress, &StudyProgress::cancelRequested, this, &ConvergencePage::cancel);
    connect(m_studyProgress, &StudyProgress::restartRequested, this, &ConvergencePage::start);
    m_table = new NumberTable(text::title, QString::fromUtf8(text::title), this);
    column->addWidget(m_table, 2);
    // The note is read by screen readers from its text, so it has no accessible name.
    m_roundoff = new QLabel(this);
    m_roundoff->setObjectName("Rundung");
    m_roundoff->setWordWrap(true);
    m_roundoff->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(m_roundoff);
    m_evaluations = new QCheckBox(QString::fromUtf8(text::evaluations), this);
    m_evaluations->setObjectName("auswertungen");
    connect(m_evaluations, &QCheckBox::toggled, this, &ConvergencePage::showPlot);
    column->addWidget(m_evaluations);
    m_plot = new ConvergencePlot(m_locale, this);
    column->addWidget(m_plot, 3);
    createButtons();

    connect(m_watcher, &QFutureWatcher<Result>::progressRangeChanged, m_progress,
            &QProgressBar::setRange);
    connect(m_watcher, &QFutureWatcher<Result>::progressValueChanged, m_progress,
            &QProgressBar::setValue);
    connect(m_watcher, &QFutureWatcher<Result>::finished, this, &ConvergencePage::finish);
}

void ConvergencePage::createButtons() {
    const SaveButtons buttons = m_files.addSaveButtons(
        static_cast<QVBoxLayout*>(layout()), this,
        {"konvergenzCsvSpeichern", "konvergenzBildSpeichern", text::title},
        [this](const QString& fileName) { return saveCsv(fileName); },
        [this](const QString& fileName) { return saveImage(fileName); });
    m_saveCsv = buttons.csv;
    m_saveImage = buttons.image;
}

// The study runs on a thread of the pool and uses a second one itself; it asks the promise
// after every chunk of passes whether it is to stop.
void ConvergencePage::start() {
    m_wanted = false;
    m_study.reset();
    m_saveCsv->setEnabled(false);
    m_saveImage->setEnabled(false);
    m_progress->setRange(0, 0);
    m_studyProgress->showRunning();
    m_watcher->setFuture(QtConcurrent::run([run = m_run](QPromise<Result>& promise) {
        bool ranged = false;
        Result study = run([&promise, &ranged](int done, int total) {
            if (!ranged) {
                promise.setProgressRange(0, total);
                ranged = true;
            }
            promise.setProgressValue(done);
            return !promise.isCanceled();
        });
        if (study) {
            promise.addResult(std::move(study));
        }
    }));
}

void ConvergencePage::cancel() {
    m_watcher->future().cancel();
}

void ConvergencePage::finish() {
    // A study replaced by another may still report its end.
    if (!m_watcher->isFinished()) {
        return;
    }
    const QFuture<Result> future = m_watcher->future();
    const bool cancelled = future.isCanceled() || future.resultCount() == 0;
    m_studyProgress->showEnded(cancelled);
    if (cancelled) {
        return;
    }
    m_study = future.result();
    showStudy();
}

void ConvergencePage::showStudy() {
    const calc::NumberLocale locale = calcNumberLocale(m_locale);
    std::visit(
        [&](const auto& study) {
            const std::size_t count = study.methods.empty() ? 0 : study.methods.front().runs.size();
            std::vector<std::vector<std::string>> rows;
            rows.reserve(count);
            for (std::size_t j = 0; j < count; ++j) {
                rows.push_back(calc::study_cells(study, j, locale));
            }
            m_table->setCells(fromUtf8List(calc::study_columns(study)), std::move(rows));
            m_roundoff->setText(fromUtf8(calc::roundoff_text(study, locale)));
        },
        *m_study);
    showPlot();
    m_saveCsv->setEnabled(true);
    m_saveImage->setEnabled(true);
}

void ConvergencePage::showPlot() {
    if (m_study) {
        std::visit(
            [this](const auto& study) { m_plot->showStudy(study, m_evaluations->isChecked()); },
            *m_study);
    }
}

bool ConvergencePage::saveCsv(const QString& fileName) {
    if (!m_study) {
        return false;
    }
    const calc::NumberLocale locale = calcNumberLocale(m_locale);
    return m_files.saveText(
        this, fileName,
        std::visit([&locale](const auto& study) { return calc::study_csv(study, locale); },
                   *m_study));
}

bool ConvergencePage::saveImage(const QString& fileName) {
    return m_study && m_files.saveImage(this, fileName, {m_plot});
}
