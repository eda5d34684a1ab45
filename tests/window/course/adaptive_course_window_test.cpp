// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/adaptive_course.h"
#include "calc/calculate.h"
#include "calc/system_calculate.h"
#include "qt/number_locale.h"
#include "tests/system_task.h"
#include "tests/window/course/course_line.h"
#include "window/course/adaptive_course_page.h"
#include "window/course/adaptive_course_window.h"
#include "window/course/course_module.h"
#include "window/plots/step_size_plot.h"

#include <QAbstractItemModel>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QColor>
#include <QFile>
#include <QLibrary>
#include <QPointer>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QXYSeries>

#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

calc::ResultLine scalarLine(calc::Pair pair, const char* tolerance, const char* og = "1") {
    calc::Task task(calc::EntryTexts{"10", "0", og, "1"});
    task.pair = pair;
    task.tolerance = tolerance;
    return std::get<calc::ResultLine>(calc::calculate(task, calcNumberLocale(german)));
}

// The oscillator, whose exact solution is known, and Van der Pol's with mu = 5, whose runs
// reject attempts at every tolerance.
const calc::SystemTask oscillator =
    taskOf(calc::SystemForm::first_order, {"y2", "-y1"}, {"1", "0"}, "0", "6", "10");
const calc::SystemTask vanDerPol =
    taskOf(calc::SystemForm::first_order, {"y2", "5*(1-y1^2)*y2-y1"}, {"2", "0"}, "0", "6", "10");

calc::SystemLine systemLine(calc::Pair pair, const char* tolerance, bool stiff = false) {
    calc::SystemTask task = stiff ? vanDerPol : oscillator;
    task.pair = pair;
    task.tolerance = tolerance;
    return std::get<calc::SystemLine>(calc::calculate_system(task, calcNumberLocale(german)));
}

// A window of either kind, with what the tests look at.
struct AdaptiveForm {
    explicit AdaptiveForm(AdaptiveCourseWindow* made) : window(made) {
        window->setWarningPresenter([this](const QString& text) { warnings.append(text); });
        window->show();
    }
    ~AdaptiveForm() { delete window.data(); }

    template <class T> T* find(const char* name) const { return window->findChild<T*>(name); }
    NumberTable* table() const { return find<NumberTable>("Tabelle"); }
    QAbstractItemModel* model() const { return table()->model(); }

    // The rows the table shows, by their first cell.
    int shownRows() const {
        int shown = 0;
        for (int row = 0; row < model()->rowCount(); ++row) {
            shown += table()->isRowHidden(row) ? 0 : 1;
        }
        return shown;
    }

    QList<QPointF> crosses() const {
        auto* plot = find<QChartView>("Schrittweitendiagramm");
        for (QAbstractSeries* series : plot->chart()->series()) {
            if (series->name() == StepSizePlot::rejected_series) {
                return static_cast<QXYSeries*>(series)->points();
            }
        }
        return {};
    }

    QPointer<AdaptiveCourseWindow> window;
    QStringList warnings;
};

std::unique_ptr<AdaptiveForm> scalarForm(calc::Pair pair, const char* tolerance,
                                         const char* og = "1") {
    return std::make_unique<AdaptiveForm>(new AdaptiveCourseWindow(
        calc::build_adaptive_course(scalarLine(pair, tolerance, og)), german));
}

std::unique_ptr<AdaptiveForm> systemForm(calc::Pair pair, const char* tolerance,
                                         bool stiff = false) {
    return std::make_unique<AdaptiveForm>(new AdaptiveCourseWindow(
        calc::build_system_adaptive_course(systemLine(pair, tolerance, stiff)), german));
}

} // namespace

class AdaptiveCourseWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The window of each kind: its table as calc writes it, the rejected rows greyed, the
    // totals, and a cross in the step size plot for each rejected attempt.
    void showsEveryAttempt_data() {
        QTest::addColumn<bool>("system");
        QTest::addColumn<int>("pair");
        QTest::addColumn<QString>("tolerance");
        QTest::addColumn<bool>("stiff");
        QTest::newRow("scalar Dormand-Prince")
            << false << int(calc::Pair::dopri5) << "1E-6" << false;
        QTest::newRow("scalar Bogacki-Shampine")
            << false << int(calc::Pair::bs23) << "1E-3" << false;
        QTest::newRow("scalar Fehlberg") << false << int(calc::Pair::rkf45) << "1E-8" << false;
        QTest::newRow("oscillator Dormand-Prince")
            << true << int(calc::Pair::dopri5) << "1E-6" << false;
        QTest::newRow("Van der Pol Bogacki-Shampine")
            << true << int(calc::Pair::bs23) << "1E-4" << true;
        QTest::newRow("Van der Pol Fehlberg") << true << int(calc::Pair::rkf45) << "1E-2" << true;
    }
    void showsEveryAttempt() {
        QFETCH(bool, system);
        QFETCH(int, pair);
        QFETCH(QString, tolerance);
        QFETCH(bool, stiff);
        const auto chosen = static_cast<calc::Pair>(pair);
        const std::string tol = tolerance.toStdString();
        const calc::NumberLocale locale = calcNumberLocale(german);
        std::vector<std::vector<std::string>> cells;
        std::vector<bool> rejected;
        calc::AdaptiveLine adaptive;
        std::unique_ptr<AdaptiveForm> form;
        if (system) {
            const calc::SystemAdaptiveCourse course =
                calc::build_system_adaptive_course(systemLine(chosen, tol.c_str(), stiff));
            for (const auto& row : course.rows) {
                cells.push_back(calc::system_adaptive_cells(course, row, locale));
                rejected.push_back(row.attempt && !row.attempt->accepted);
            }
            adaptive = course.adaptive;
            form = systemForm(chosen, tol.c_str(), stiff);
            QVERIFY(form->find<QChartView>(PlanePassPlot_name()) != nullptr);
        } else {
            const calc::AdaptiveCourse course =
                calc::build_adaptive_course(scalarLine(chosen, tol.c_str()));
            for (const auto& row : course.rows) {
                cells.push_back(calc::adaptive_cells(course, row, locale));
                rejected.push_back(row.attempt && !row.attempt->accepted);
            }
            adaptive = course.adaptive;
            form = scalarForm(chosen, tol.c_str());
            QVERIFY(form->find<QChartView>("Schritt") != nullptr);
        }
        QCOMPARE(form->model()->rowCount(), static_cast<int>(cells.size()));
        int greyed = 0;
        for (int row = 0; row < form->model()->rowCount(); ++row) {
            QCOMPARE(rowOf(form->table(), row), textsOf(cells[static_cast<std::size_t>(row)]));
            const QVariant colour =
                form->model()->data(form->model()->index(row, 0), Qt::ForegroundRole);
            QCOMPARE(colour.isValid(), bool(rejected[static_cast<std::size_t>(row)]));
            greyed += colour.isValid() ? 1 : 0;
        }
        QCOMPARE(greyed, static_cast<int>(adaptive.totals.rejected));
        QCOMPARE(form->find<QLabel>("Bilanz")->text(),
                 QString::fromStdString(calc::adaptive_totals_text(adaptive)));
        QCOMPARE(form->crosses().size(), static_cast<qsizetype>(adaptive.totals.rejected));
    }

    // The switch hides the rejected attempts and shows them again.
    void theSwitchHidesRejectedRows_data() {
        QTest::addColumn<bool>("system");
        QTest::newRow("scalar") << false;
        QTest::newRow("system") << true;
    }
    void theSwitchHidesRejectedRows() {
        QFETCH(bool, system);
        const auto form = system ? systemForm(calc::Pair::dopri5, "1E-4", true)
                                 : scalarForm(calc::Pair::dopri5, "1E-6");
        auto* acceptedOnly = form->find<QCheckBox>("nurAngenommene");
        QCOMPARE(acceptedOnly->text(), "nur angenommene Schritte");
        const int rows = form->model()->rowCount();
        QCOMPARE(form->shownRows(), rows);
        const QString totals = form->find<QLabel>("Bilanz")->text();
        const int rejected = totals.section(' ', 3, 3).toInt();
        QVERIFY(rejected > 0);
        acceptedOnly->click();
        QCOMPARE(form->shownRows(), rows - rejected);
        for (int row = 0; row < rows; ++row) {
            if (!form->table()->isRowHidden(row)) {
                QVERIFY(form->table()->text(row, 0).isEmpty() ||
                        rowOf(form->table(), row).contains("angenommen"));
            }
        }
        // The pass view's buttons step over the hidden rows, both ways.
        auto* next = form->find<QPushButton>("naechsterSchritt");
        auto* previous = form->find<QPushButton>("vorherigerSchritt");
        form->table()->goToRow(0);
        QList<int> visited{form->table()->currentRow()};
        while (next->isEnabled() && visited.size() <= rows) {
            next->click();
            visited.append(form->table()->currentRow());
        }
        QCOMPARE(visited.size(), rows - rejected - 1);
        for (const int row : visited) {
            QVERIFY2(!form->table()->isRowHidden(row), qPrintable(QString::number(row)));
        }
        previous->click();
        QCOMPARE(form->table()->currentRow(), visited[visited.size() - 2]);
        acceptedOnly->click();
        QCOMPARE(form->shownRows(), rows);
    }

    void theDefaultRunHasItsHeadingAndOneCross() {
        const auto form = scalarForm(calc::Pair::dopri5, "1E-6");
        QCOMPARE(form->find<QLabel>("Aufgabe")->text(),
                 "y' = -x\u00b7y\u00b2, y(0) = 1, Toleranz 1E-06 von x = 0 bis x = 1, "
                 "Dormand-Prince 5(4), adaptiv");
        QCOMPARE(form->find<QLabel>("Bilanz")->text(),
                 "9 Schritte angenommen, 1 verworfen, 62 Auswertungen von f");
        QCOMPARE(form->model()->rowCount(), 11);
        QCOMPARE(form->crosses().size(), 1);
        auto* pages = form->find<QTabWidget>("Seiten");
        QCOMPARE(pages->count(), 2);
        QCOMPARE(pages->tabText(0), "Verlauf");
        QCOMPARE(pages->tabText(1), "Stabilität");
        // Room for the pages that compare the pairs and study the tolerance.
        form->window->appendPage(new QWidget, "Vergleich");
        QCOMPARE(pages->count(), 3);
        QCOMPARE(pages->tabText(2), "Vergleich");
    }

    void savesTheTableAndThePlots() {
        const calc::ResultLine line = scalarLine(calc::Pair::rkf45, "1E-5");
        const auto form = scalarForm(calc::Pair::rkf45, "1E-5");
        QTemporaryDir dir;
        const QString file = dir.filePath("verlauf.csv");
        QVERIFY(form->window->saveCsv(file));
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().toStdString(),
                 calc::adaptive_csv(calc::build_adaptive_course(line), calcNumberLocale(german)));
        QVERIFY(form->window->saveImage(dir.filePath("verlauf.png")));
        QVERIFY(QFile::exists(dir.filePath("verlauf.png")));
        QVERIFY(form->warnings.isEmpty());
    }

    // The module's two entries make this window for a line with step size control.
    void theModuleMakesTheWindowForAPairsLine() {
        QLibrary module(QStringLiteral(NUMERINT_COURSE_MODULE_FILE));
        QVERIFY2(module.load(), qPrintable(module.errorString()));
        const auto scalar =
            reinterpret_cast<CourseWindowEntry>(module.resolve(course_window_entry));
        const auto system =
            reinterpret_cast<SystemCourseWindowEntry>(module.resolve(system_course_window_entry));
        QVERIFY(scalar && system);
        const calc::ResultLine line = scalarLine(calc::Pair::bs23, "1E-4");
        const calc::SystemLine systemsLine = systemLine(calc::Pair::rkf45, "1E-4");
        const std::unique_ptr<QWidget> made(scalar(&line, &german, nullptr));
        QVERIFY(made->inherits("AdaptiveCourseWindow"));
        const std::unique_ptr<QWidget> systemMade(system(&systemsLine, &german, nullptr));
        QVERIFY(systemMade->inherits("AdaptiveCourseWindow"));
        const std::optional<calc::ResultLine> fixed =
            lineOf(std::string(calc::default_equation), calc::Method::rk4, german);
        QVERIFY(fixed);
        const std::unique_ptr<QWidget> fixedMade(scalar(&*fixed, &german, nullptr));
        QVERIFY(!fixedMade->inherits("AdaptiveCourseWindow"));
    }

private:
    static const char* PlanePassPlot_name() { return "Phasenschritt"; }
};

QTEST_MAIN(AdaptiveCourseWindowTest)
#include "adaptive_course_window_test.moc"
