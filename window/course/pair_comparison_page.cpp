// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/pair_comparison_page.h"

#include "qt/number_locale.h"
#include "qt/qt_text.h"
#include "window/course/file_export.h"
#include "window/course/number_table.h"
#include "window/plots/work_accuracy_plot.h"

#include <QPromise>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent>

#include <utility>

namespace {

namespace text {
constexpr char title[] = "Vergleich der Paare";
constexpr char file_stem[] = "Vergleich";
} // namespace text

// The tolerance of a line with step size control; a fixed-step line takes the pairs' default.
double toleranceOf(const std::optional<calc::AdaptiveLine>& adaptive) {
    constexpr double default_tolerance = 1e-6;
    return adaptive ? adaptive->tolerance : default_tolerance;
}

} // namespace

PairComparisonPage::PairComparisonPage(const calc::ResultLine& line, const QLocale& locale,
                                       const FileExport& files, QWidget* parent)
    : PairComparisonPage(
          [line](const calc::StudyProgress& progress) -> Result {
              auto comparison = calc::compare_pairs(line, toleranceOf(line.adaptive), progress);
              return comparison ? Result(std::move(*comparison)) : std::nullopt;
          },
          locale, files, parent) {}

PairComparisonPage::PairComparisonPage(const calc::SystemLine& line, const QLocale& locale,
                                       const FileExport& files, QWidget* parent)
    : PairComparisonPage(
          [line](const calc::StudyProgress& progress) -> Result {
              auto comparison = calc::compare_pairs(line, toleranceOf(line.adaptive), progress);
              return comparison ? Result(std::move(*comparison)) : std::nullopt;
          },
          locale, files, parent) {}

PairComparisonPage::PairComparisonPage(ComparisonRun run, const QLocale& locale,
                                       const FileExport& files, QWidget* parent)
    : QWidget(parent), m_run(std::move(run)), m_locale(locale), m_files(files),
      m_watcher(new QFutureWatcher<Result>(this)) {
    m_watcher->setObjectName("Paarvergleich");
    new QVBoxLayout(this);
}

PairComparisonPage::~PairComparisonPage() {
    QFuture<Result> future = m_watcher->future();
    future.cancel();
    future.waitForFinished();
}

void PairComparisonPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_started) {
        return;
    }
    m_started = true;
    createContents();
    m_watcher->setFuture(QtConcurrent::run([run = m_run](QPromise<Result>& promise) {
        Result comparison = run([&promise](int, int) { return !promise.isCanceled(); });
        if (comparison) {
            promise.addResult(std::move(comparison));
        }
    }));
}

void PairComparisonPage::createContents() {
    auto* column = static_cast<QVBoxLayout*>(layout());
    m_table = new NumberTable("Paarvergleich", QString::fromUtf8(text::title), this);
    column->addWidget(m_table, 1);
    m_plot = new WorkAccuracyPlot(m_locale, this);
    column->addWidget(m_plot, 2);
    const SaveButtons buttons = m_files.addSaveButtons(
        column, this, {"paarvergleichCsvSpeichern", "paarvergleichBildSpeichern", text::file_stem},
        [this](const QString& fileName) { return saveCsv(fileName); },
        [this](const QString& fileName) { return saveImage(fileName); });
    m_saveCsv = buttons.csv;
    m_saveImage = buttons.image;
    m_saveCsv->setEnabled(false);
    m_saveImage->setEnabled(false);
    connect(m_watcher, &QFutureWatcher<Result>::finished, this, &PairComparisonPage::finish);
}

void PairComparisonPage::finish() {
    const QFuture<Result> future = m_watcher->future();
    if (future.isCanceled() || future.resultCount() == 0) {
        return;
    }
    m_comparison = future.result();
    const calc::NumberLocale locale = calcNumberLocale(m_locale);
    std::visit(
        [&](const auto& comparison) {
            m_table->setCells(fromUtf8List(calc::pair_comparison_columns(comparison)),
                              calc::pair_comparison_rows(comparison, locale));
            m_plot->showSeries(calc::work_series(comparison), {});
        },
        *m_comparison);
    m_saveCsv->setEnabled(true);
    m_saveImage->setEnabled(true);
}

bool PairComparisonPage::saveCsv(const QString& fileName) {
    if (!m_comparison) {
        return false;
    }
    const calc::NumberLocale locale = calcNumberLocale(m_locale);
    return m_files.saveText(this, fileName,
                            std::visit(
                                [&locale](const auto& comparison) {
                                    return calc::pair_comparison_csv(comparison, locale);
                                },
                                *m_comparison));
}

bool PairComparisonPage::saveImage(const QString& fileName) {
    return m_comparison && m_files.saveImage(this, fileName, {m_plot});
}
