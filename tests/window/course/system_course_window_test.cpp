// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/system_comparison.h"
#include "calc/analysis/system_course.h"
#include "calc/analysis/system_study.h"
#include "calc/system_calculate.h"
#include "qt/number_locale.h"
#include "tests/system_task.h"
#include "tests/window/course/course_line.h"
#include "window/course/convergence_page.h"
#include "window/course/phase_plane_page.h"
#include "window/course/system_course_window.h"

#include <QChartView>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <string>
#include <variant>
#include <vector>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

const calc::SystemTask oscillator =
    taskOf(calc::SystemForm::second_order, {"-y"}, {"1", "0"}, "0", "1", "10");
const calc::SystemTask pendulum =
    taskOf(calc::SystemForm::second_order, {"-sin(y)"}, {"1", "0"}, "0", "20", "200");
const calc::SystemTask lorenz =
    taskOf(calc::SystemForm::first_order, {"10*(y2-y1)", "y1*(28-y3)-y2", "y1*y2-8/3*y3"},
           {"1", "1", "1"}, "0", "1", "20");
const calc::SystemTask typed = taskOf(calc::SystemForm::first_order, {"y2", "-y1+0,5*y3", "-y3"},
                                      {"1", "0", "2"}, "0", "1", "4");

calc::SystemLine lineOf(const calc::SystemTask& task) {
    return std::get<calc::SystemLine>(calc::calculate_system(task, calcNumberLocale(german)));
}

// A system's course window, showing "Verlauf" first.
struct SystemCourseForm {
    explicit SystemCourseForm(const calc::SystemTask& task)
        : line(lineOf(task)),
          window(new SystemCourseWindow(calc::build_system_course(line), german)) {
        window->setWarningPresenter([this](const QString& text) { warnings.append(text); });
        window->show();
    }
    ~SystemCourseForm() { delete window.data(); }

    QTabWidget* pages() const { return window->findChild<QTabWidget*>("Seiten"); }
    void showPage(const QString& name) const {
        for (int i = 0; i < pages()->count(); ++i) {
            if (pages()->tabText(i) == name) {
                pages()->setCurrentIndex(i);
            }
        }
    }
    template <class T> T* find(const char* name) const { return window->findChild<T*>(name); }

    calc::SystemLine line;
    QPointer<SystemCourseWindow> window;
    QStringList warnings;
};

} // namespace

class SystemCourseWindowTest : public QObject {
    Q_OBJECT

private slots:
    void pagesAndTheirOrder() {
        SystemCourseForm form(oscillator);
        QStringList names;
        for (int i = 0; i < form.pages()->count(); ++i) {
            names.append(form.pages()->tabText(i));
        }
        QCOMPARE(names,
                 QStringList({"Verlauf", "Phasenebene", "Vergleich", "Konvergenz", "Stabilität"}));
        form.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.window));
        QCOMPARE(QApplication::focusWidget(), form.find<NumberTable>("Tabelle"));
    }

    // The table shows every row of the course as calc writes it, under the system's captions.
    void courseTableFollowsTheCourse_data() {
        QTest::addColumn<int>("task");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<bool>("errorPlot");
        QTest::newRow("second order, exact known")
            << 0
            << QStringList({"Schritt", "x", "y", "y'", "k1 (y)", "k1 (y')", "k2 (y)", "k2 (y')",
                            "k3 (y)", "k3 (y')", "k4 (y)", "k4 (y')", "y exakt", "y' exakt",
                            "Fehler", "h\u00b7\u03bb", "|R(h\u00b7\u03bb)|"})
            << "y'' = -y, y(0) = 1, y'(0) = 0, 10 Schritte mit h = 0,1 von x = 0 bis x = 1, "
               "Runge-Kutta-4. Ord."
            << true;
        QTest::newRow("three typed equations with a decimal comma")
            << 3
            << QStringList({"Schritt",
                            "x",
                            "y1",
                            "y2",
                            "y3",
                            "k1 (y1)",
                            "k1 (y2)",
                            "k1 (y3)",
                            "k2 (y1)",
                            "k2 (y2)",
                            "k2 (y3)",
                            "k3 (y1)",
                            "k3 (y2)",
                            "k3 (y3)",
                            "k4 (y1)",
                            "k4 (y2)",
                            "k4 (y3)",
                            "y1 exakt",
                            "y2 exakt",
                            "y3 exakt",
                            "Fehler",
                            "h\u00b7\u03bb",
                            "|R(h\u00b7\u03bb)|"})
            << "y1' = y2, y2' = -y1+0,5*y3, y3' = -y3, y1(0) = 1, y2(0) = 0, y3(0) = 2, "
               "4 Schritte mit h = 0,25 von x = 0 bis x = 1, Runge-Kutta-4. Ord."
            << false;
    }
    void courseTableFollowsTheCourse() {
        QFETCH(int, task);
        QFETCH(QStringList, captions);
        QFETCH(QString, heading);
        QFETCH(bool, errorPlot);
        const std::vector<calc::SystemTask> tasks = {oscillator, pendulum, lorenz, typed};
        SystemCourseForm form(tasks[static_cast<std::size_t>(task)]);
        auto* table = form.find<NumberTable>("Tabelle");
        QCOMPARE(captionsOf(table), captions);
        QCOMPARE(form.find<QLabel>("Aufgabe")->text(), heading);
        QCOMPARE(form.find<QChartView>("Fehlerdiagramm") != nullptr, errorPlot);
        const calc::SystemCourse course = calc::build_system_course(form.line);
        QCOMPARE(table->rowCount(), static_cast<int>(course.rows.size()));
        for (const int row : {0, table->rowCount() - 1}) {
            QCOMPARE(rowOf(table, row), textsOf(calc::system_course_cells(
                                            course, course.rows[static_cast<std::size_t>(row)],
                                            calcNumberLocale(german))));
        }
        QCOMPARE(form.find<QLabel>("Ordnung")->text(),
                 QString::fromStdString(calc::system_order_text(course, calcNumberLocale(german))));
    }

    // The plane draws the pass of the table's current row, and its buttons move that row.
    void tableRowAndPlanePassGoTogether() {
        SystemCourseForm form(oscillator);
        auto* table = form.find<NumberTable>("Tabelle");
        auto* plane = form.window->findChild<PhasePlanePage*>();
        QCOMPARE(plane->row(), 0);
        table->setCurrentCell(4, 1);
        QCOMPARE(plane->row(), 4);
        emit plane->rowRequested(5);
        QCOMPARE(table->currentRow(), 5);
        QCOMPARE(plane->row(), 5);
        emit plane->rowRequested(99);
        QCOMPARE(table->currentRow(), 5);
    }

    // The comparison's plots: the plane always, the errors where the solution is known, the
    // drift where a quantity is conserved.
    void comparisonShowsWhatTheSystemHas_data() {
        QTest::addColumn<int>("task");
        QTest::addColumn<QStringList>("plots");
        QTest::addColumn<QString>("lastCaption");
        QTest::newRow("oscillator")
            << 0 << QStringList({"Phasenvergleich", "Fehlervergleich", "Driftdiagramm"})
            << "Drift Impl. Mittelpunkt";
        QTest::newRow("pendulum") << 1 << QStringList({"Phasenvergleich", "Driftdiagramm"})
                                  << "Drift Impl. Mittelpunkt";
        QTest::newRow("Lorenz") << 2 << QStringList({"Phasenvergleich"}) << "y3 exakt";
    }
    void comparisonShowsWhatTheSystemHas() {
        QFETCH(int, task);
        QFETCH(QStringList, plots);
        QFETCH(QString, lastCaption);
        const std::vector<calc::SystemTask> tasks = {oscillator, pendulum, lorenz};
        SystemCourseForm form(tasks[static_cast<std::size_t>(task)]);
        QVERIFY(!form.find<NumberTable>("Vergleich"));
        form.showPage("Vergleich");
        auto* table = form.find<NumberTable>("Vergleich");
        QVERIFY(table);
        QCOMPARE(captionsOf(table).last(), lastCaption);
        const calc::SystemComparison comparison = calc::compare_system_methods(form.line);
        const int last = table->rowCount() - 1;
        QCOMPARE(last + 1, static_cast<int>(comparison.courses.front().rows.size()));
        QCOMPARE(rowOf(table, last),
                 textsOf(calc::system_comparison_cells(comparison, static_cast<std::size_t>(last),
                                                       calcNumberLocale(german))));
        QStringList shown;
        for (QChartView* view : table->parentWidget()->findChildren<QChartView*>()) {
            shown.append(view->objectName());
        }
        QCOMPARE(shown, plots);
    }

    void studyOfASystem() {
        SystemCourseForm form(oscillator);
        form.showPage("Konvergenz");
        auto* table = form.find<NumberTable>("Konvergenz");
        QVERIFY(table);
        // The watcher finishes on its thread before the page has shown the study.
        QTRY_VERIFY_WITH_TIMEOUT(table->rowCount() > 10, study_wait_ms);
        // 10 passes to 2^20: the finest run has 10·2^16 passes.
        QCOMPARE(table->text(table->rowCount() - 1, 0), "655360");
        QTemporaryDir dir;
        const QString file = dir.filePath("studie.csv");
        QVERIFY(form.find<QPushButton>("konvergenzCsvSpeichern")->isEnabled());
        auto* page = form.window->findChild<ConvergencePage*>();
        QVERIFY(page->saveCsv(file));
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readLine(), "Verfahren;Schritte;h;x;y;y';Fehler;EOC\n");
        QCOMPARE(saved.readLine().left(12), "euler;10;0,1");
    }

    void savesTheCourseTable() {
        SystemCourseForm form(typed);
        QTemporaryDir dir;
        const QString file = dir.filePath("verlauf.csv");
        QVERIFY(form.window->saveCsv(file));
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().toStdString(),
                 calc::system_course_csv(calc::build_system_course(form.line),
                                         calcNumberLocale(german)));
        QVERIFY(form.window->saveImage(dir.filePath("verlauf.png")));
        QVERIFY(QFile::exists(dir.filePath("verlauf.png")));
        QVERIFY(form.warnings.isEmpty());
    }
};

QTEST_MAIN(SystemCourseWindowTest)
#include "system_course_window_test.moc"
