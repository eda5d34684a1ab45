// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/pair_comparison.h"
#include "calc/analysis/tolerance_study.h"
#include "tests/system_task.h"
#include "tests/window/course/course_line.h"
#include "window/course/file_export.h"
#include "window/course/pair_comparison_page.h"
#include "window/course/tolerance_study_page.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QFutureWatcher>
#include <QLineSeries>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <memory>
#include <variant>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

// The line of the default equation with a pair at 1E-6, as a press makes it.
calc::ResultLine scalarLine() {
    calc::Task task({"10", "0", "1", "1"});
    task.choose(calc::Pair::dopri5);
    return std::get<calc::ResultLine>(calc::calculate(task, calcNumberLocale(german)));
}

// The line of a system example with dopri5 at its tolerance, or 1E-6.
calc::SystemLine exampleLine(calc::SystemExampleId id) {
    const calc::SystemExample& example = calc::system_example(id);
    const calc::NumberLocale locale = calcNumberLocale(german);
    std::vector<std::string> initial;
    for (std::size_t i = 0; i < example.size; ++i) {
        initial.push_back(calc::format_general(example.start[i], locale));
    }
    calc::SystemTask task = taskOf(example.form, calc::example_formulas(example, locale), initial,
                                   calc::format_general(example.ug, locale),
                                   calc::format_general(example.og, locale), "10");
    task.pair = calc::Pair::dopri5;
    task.tolerance = example.tolerance.empty() ? "1E-6" : std::string(example.tolerance);
    return std::get<calc::SystemLine>(calc::calculate_system(task, locale));
}

QStringList seriesNames(const QChartView* view) {
    QStringList names;
    for (QAbstractSeries* series : view->chart()->series()) {
        names.append(series->name());
    }
    return names;
}

template <class T> T* child(const QWidget* page, const char* name) {
    return page->findChild<T*>(name);
}

} // namespace

class TolerancePagesTest : public QObject {
    Q_OBJECT

private slots:
    // The pairs' table comes first, then the fixed-step methods join the work plot.
    void studyFillsTableAndPlots_data() {
        QTest::addColumn<bool>("system");
        QTest::newRow("Gleichung") << false;
        QTest::newRow("Oszillator") << true;
    }
    void studyFillsTableAndPlots() {
        QFETCH(bool, system);
        FileExport files;
        QStringList warnings;
        files.setWarningPresenter([&](const QString& text) { warnings.append(text); });
        const calc::ResultLine line = scalarLine();
        const calc::SystemLine systemLine = exampleLine(calc::SystemExampleId::oscillator);
        auto page = system
                        ? std::make_unique<ToleranceStudyPage>(systemLine, german, files, nullptr)
                        : std::make_unique<ToleranceStudyPage>(line, german, files, nullptr);
        page->show();
        auto* table = child<NumberTable>(page.get(), "Toleranzstudie");
        QVERIFY(table);
        QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), 33, study_wait_ms);

        const calc::NumberLocale locale = calcNumberLocale(german);
        const auto rows =
            system ? calc::tolerance_study_rows(
                         *calc::run_tolerance_study(systemLine, calc::all_pairs()), locale)
                   : calc::tolerance_study_rows(*calc::run_tolerance_study(line, calc::all_pairs()),
                                                locale);
        QCOMPARE(captionsOf(table), textsOf(calc::tolerance_study_columns()));
        for (int j = 0; j < table->rowCount(); ++j) {
            QCOMPARE(rowOf(table, j), textsOf(rows[static_cast<std::size_t>(j)]));
        }
        QCOMPARE(
            seriesNames(child<QChartView>(page.get(), "Toleranzdiagramm")),
            QStringList({"Bogacki-Shampine", "Fehlberg", "Dormand-Prince", "|Fehler| = Toleranz"}));

        auto* progress = child<QProgressBar>(page.get(), "Fortschritt");
        QTRY_VERIFY_WITH_TIMEOUT(!progress->isVisible(), study_wait_ms);
        QCOMPARE(seriesNames(child<QChartView>(page.get(), "Aufwandsdiagramm")),
                 QStringList({"Bogacki-Shampine", "Fehlberg", "Dormand-Prince", "Euler", "Heun",
                              "Mittelpunkt", "RK3", "RK4", "Impl. Euler", "Trapez",
                              "Impl. Mittelpunkt"}));
        QVERIFY(!child<QWidget>(page.get(), "neuStarten")->isVisible());

        QTemporaryDir directory;
        const QString path = directory.filePath("Toleranzstudie.csv");
        QVERIFY(page->saveCsv(path));
        QCOMPARE(warnings, QStringList());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        QVERIFY(written.startsWith(system ? "Verfahren;Toleranz;Schritte;verworfen;Auswertungen;x;"
                                            "y;y';Fehler\n"
                                          : "Verfahren;Toleranz;Schritte;verworfen;Auswertungen;x;"
                                            "y;Fehler\n"));
        QCOMPARE(written.count('\n'), 34);
    }

    // The Arenstorf orbit's fixed-step study takes seconds: stopping it halfway ends it.
    void stoppingTheStudyLeavesNoThreadRunning_data() {
        QTest::addColumn<bool>("closePage");
        QTest::newRow("Abbrechen") << false;
        QTest::newRow("Seite geschlossen") << true;
    }
    void stoppingTheStudyLeavesNoThreadRunning() {
        QFETCH(bool, closePage);
        FileExport files;
        auto page = std::make_unique<ToleranceStudyPage>(
            exampleLine(calc::SystemExampleId::arenstorf), german, files, nullptr);
        page->show();
        auto* progress = child<QProgressBar>(page.get(), "Fortschritt");
        QTRY_VERIFY_WITH_TIMEOUT(progress->value() > 0, 10'000);
        auto* watcher = static_cast<QFutureWatcher<ToleranceStudyPage::Result>*>(
            child<QFutureWatcherBase>(page.get(), "Toleranzstudie"));
        QVERIFY(watcher);
        const QFuture<ToleranceStudyPage::Result> study = watcher->future();
        QVERIFY(study.isRunning());
        if (closePage) {
            page.reset();
            QVERIFY(study.isFinished());
        } else {
            child<QPushButton>(page.get(), "abbrechen")->click();
            QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(page.get(), "neuStarten")->isVisible(),
                                     2'000);
        }
        QVERIFY(study.isCanceled());
        QVERIFY(study.resultCount() < 2);
        QVERIFY(QThreadPool::globalInstance()->waitForDone(1'000));
    }

    void comparisonShowsThePairsAtTheLinesTolerance_data() {
        QTest::addColumn<bool>("system");
        QTest::newRow("Gleichung") << false;
        QTest::newRow("Van der Pol") << true;
    }
    void comparisonShowsThePairsAtTheLinesTolerance() {
        QFETCH(bool, system);
        FileExport files;
        const calc::ResultLine line = scalarLine();
        const calc::SystemLine systemLine = exampleLine(calc::SystemExampleId::van_der_pol);
        auto page = system
                        ? std::make_unique<PairComparisonPage>(systemLine, german, files, nullptr)
                        : std::make_unique<PairComparisonPage>(line, german, files, nullptr);
        page->show();
        auto* table = child<NumberTable>(page.get(), "Paarvergleich");
        QVERIFY(table);
        QTRY_COMPARE_WITH_TIMEOUT(table->rowCount(), 3, 10'000);
        const calc::NumberLocale locale = calcNumberLocale(german);
        std::vector<std::vector<std::string>> rows;
        std::vector<std::string> columns;
        if (system) {
            const auto comparison = *calc::compare_pairs(systemLine, 1e-6);
            rows = calc::pair_comparison_rows(comparison, locale);
            columns = calc::pair_comparison_columns(comparison);
        } else {
            const auto comparison = *calc::compare_pairs(line, 1e-6);
            rows = calc::pair_comparison_rows(comparison, locale);
            columns = calc::pair_comparison_columns(comparison);
        }
        QCOMPARE(captionsOf(table), textsOf(columns));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(rowOf(table, i), textsOf(rows[static_cast<std::size_t>(i)]));
        }
        // Without an exact solution the error is unknown, and no pair has a point to plot.
        QCOMPARE(table->text(0, table->columnCount() - 1) == QStringLiteral("\u2013"), system);
        const QChart* chart = child<QChartView>(page.get(), "Aufwandsdiagramm")->chart();
        QCOMPARE(chart->series().size(), 3);
        for (QAbstractSeries* series : chart->series()) {
            QCOMPARE(static_cast<QLineSeries*>(series)->count(), system ? 0 : 1);
        }
    }
};

QTEST_MAIN(TolerancePagesTest)
#include "tolerance_pages_test.moc"
