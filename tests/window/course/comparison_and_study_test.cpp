// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/comparison.h"
#include "calc/analysis/study.h"
#include "tests/window/course/course_line.h"
#include "window/course/convergence_page.h"
#include "window/course/course_window.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QFile>
#include <QFutureWatcher>
#include <QImage>
#include <QLineEdit>
#include <QLineSeries>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <memory>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QLocale english(QLocale::English, QLocale::UnitedStates);
const std::vector<calc::Method> all_methods = {
    calc::Method::euler,     calc::Method::heun,
    calc::Method::midpoint,  calc::Method::rk3,
    calc::Method::rk4,       calc::Method::implicit_euler,
    calc::Method::trapezoid, calc::Method::implicit_midpoint};

// A course window of the line, not yet showing any page but "Verlauf".
struct CourseForm {
    explicit CourseForm(const calc::ResultLine& line, const QLocale& locale = german)
        : window(new CourseWindow(calc::build_course(line), locale)) {
        window->setWarningPresenter([this](const QString& text) { warnings.append(text); });
        window->show();
    }
    ~CourseForm() { delete window.data(); }

    void showPage(const QString& name) const {
        auto* pages = window->findChild<QTabWidget*>("Seiten");
        for (int i = 0; i < pages->count(); ++i) {
            if (pages->tabText(i) == name) {
                pages->setCurrentIndex(i);
            }
        }
    }

    template <class T> T* find(const char* name) const { return window->findChild<T*>(name); }

    QPointer<CourseWindow> window;
    QStringList warnings;
};

const calc::Study& defaultStudy() {
    static const calc::Study study = *calc::run_study({10, 0, 1, 1}, calc::Equation{}, all_methods,
                                                      calc::ExactSolution::of(calc::Equation{}));
    return study;
}

} // namespace

class ComparisonAndStudyTest : public QObject {
    Q_OBJECT

private slots:
    void comparisonShowsEveryMethodAndItsOrder_data() {
        QTest::addColumn<QString>("equation");
        QTest::addColumn<QString>("exact");
        QTest::addColumn<QString>("orders");
        QTest::newRow("the default line 0 to 1 in 10 steps")
            << "-x*y^2"
            << ""
            << "Beobachtete Ordnung: Euler-Cauchy 1,06 · Heun 1,83 · Mittelpunkt 2,08 · RK3 3,08 · "
               "RK4 4,78 · Impl. Euler 0,95 · Trapez 2,00 · Impl. Mittelpunkt 2,00";
        QTest::newRow("a typed equation, its exact solution given on Verlauf") << "2*y"
                                                                               << "aw*exp(2*(x-ug))"
                                                                               << "";
    }
    void comparisonShowsEveryMethodAndItsOrder() {
        QFETCH(QString, equation);
        QFETCH(QString, exact);
        QFETCH(QString, orders);
        const auto line = lineOf(equation.toStdString(), calc::Method::heun, german);
        QVERIFY(line);
        CourseForm form(*line);
        QVERIFY(!form.find<NumberTable>("Vergleich"));
        if (!exact.isEmpty()) {
            auto* field = form.find<QLineEdit>("exakteLoesung");
            field->setText(exact);
            QTest::keyClick(field, Qt::Key_Return);
        }
        form.showPage("Vergleich");

        auto* table = form.find<NumberTable>("Vergleich");
        QVERIFY(table);
        QCOMPARE(table->accessibleName(), "Vergleich");
        QCOMPARE(captionsOf(table),
                 QStringList({"Schritt", "x", "Euler-Cauchy", "Heun", "Mittelpunkt", "RK3", "RK4",
                              "Impl. Euler", "Trapez", "Impl. Mittelpunkt", "y exakt"}));
        const std::optional<calc::ExactSolution> solution =
            exact.isEmpty() ? line->exact
                            : std::get<calc::ExactSolution>(
                                  calc::ExactSolution::parse(exact.toStdString(), {}));
        const calc::Comparison comparison =
            calc::compare_methods(line->numbers, line->equation, solution);
        QCOMPARE(table->rowCount(), 11);
        QCOMPARE(rowOf(table, 10),
                 textsOf(calc::comparison_cells(comparison, 10, calcNumberLocale(german))));
        // y(1) of y' = 2y from y(0) = 1 is e^2.
        if (!exact.isEmpty()) {
            QCOMPARE(table->text(10, 10), "7,38905609893065");
        }

        auto* label = form.find<QLabel>("Ordnungen");
        QVERIFY(label);
        QCOMPARE(label->text(), orders.isEmpty()
                                    ? QString::fromStdString(calc::comparison_orders_text(
                                          comparison, calcNumberLocale(german)))
                                    : orders);
        QVERIFY(!label->text().contains("aus h"));
        QCOMPARE(label->accessibleName(), QString());
    }

    // The CSV holds the table's cells as the page shows them, but for the cells without a value,
    // which stay empty.
    void comparisonCsvHoldsTheTableCells_data() {
        QTest::addColumn<QString>("equation");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("captions");
        QTest::newRow("German: semicolons, the exact solution known")
            << "-x*y^2" << german
            << "Schritt;x;Euler-Cauchy;Heun;Mittelpunkt;RK3;RK4;Impl. Euler;Trapez;"
               "Impl. Mittelpunkt;y exakt";
        QTest::newRow("English: commas, no exact solution")
            << "2*y" << english
            << "Schritt,x,Euler-Cauchy,Heun,Mittelpunkt,RK3,RK4,Impl. Euler,Trapez,"
               "Impl. Mittelpunkt,y exakt";
    }
    void comparisonCsvHoldsTheTableCells() {
        QFETCH(QString, equation);
        QFETCH(QLocale, locale);
        QFETCH(QString, captions);
        const auto line =
            lineOf(equation.toStdString(), calc::Method::rk4, locale, {"2", "0", "1", "1"});
        QVERIFY(line);
        CourseForm form(*line, locale);
        form.showPage("Vergleich");
        QTemporaryDir directory;
        const QString path = directory.filePath("Vergleich.csv");
        QStringList suggested;
        form.window->setFileNameChooser([&](const QString&, const QString& name, const QString&) {
            suggested.append(name);
            return path;
        });
        form.find<QPushButton>("vergleichCsvSpeichern")->click();
        QCOMPARE(form.warnings, QStringList());
        QCOMPARE(suggested, QStringList{"Vergleich.csv"});

        auto* table = form.find<NumberTable>("Vergleich");
        QCOMPARE(table->rowCount(), 3);
        const QChar separator = captions.at(7);
        QStringList lines{captionsOf(table).join(separator)};
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells = rowOf(table, row);
            for (QString& cell : cells) {
                cell = cell == QString(u'\u2013') ? QString() : cell;
            }
            lines.append(cells.join(separator));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString written = QString::fromUtf8(file.readAll());
        QCOMPARE(written, lines.join(u'\n') + u'\n');
        QVERIFY(written.startsWith(captions + u'\n'));
        // Without an exact solution the last cell of each row is empty.
        QCOMPARE(written.endsWith(separator + QString(u'\n')), !line->exact.has_value());
    }

    void comparisonPictureHoldsBothPlots_data() {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("PNG") << "Vergleich.png";
        QTest::newRow("SVG") << "Vergleich.svg";
    }
    void comparisonPictureHoldsBothPlots() {
        QFETCH(QString, fileName);
        const auto line = lineOf("-x*y^2", calc::Method::rk4, german);
        QVERIFY(line);
        CourseForm form(*line);
        form.showPage("Vergleich");
        QVERIFY(QTest::qWaitForWindowExposed(form.window));
        QTemporaryDir directory;
        const QString path = directory.filePath(fileName);
        QStringList suggested;
        form.window->setFileNameChooser([&](const QString&, const QString& name, const QString&) {
            suggested.append(name);
            return path;
        });
        auto* button = form.find<QPushButton>("vergleichBildSpeichern");
        QVERIFY(button->width() >= button->sizeHint().width());
        button->click();
        QCOMPARE(form.warnings, QStringList());
        QCOMPARE(suggested, QStringList{"Vergleich.png"});

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        QVERIFY(!written.isEmpty());
        const int plot = form.find<QChartView>("Vergleichsdiagramm")->viewport()->width() +
                         form.find<QChartView>("Fehlervergleich")->viewport()->width();
        if (fileName.endsWith(".png")) {
            const QImage image = QImage::fromData(written, "PNG");
            QVERIFY(!image.isNull());
            QCOMPARE(image.width(), qRound(plot * form.window->devicePixelRatioF()));
        } else {
            QVERIFY(written.contains("<svg"));
            QVERIFY(written.contains("viewBox=\"0 0 " + QByteArray::number(plot) + ' '));
            QVERIFY(written.trimmed().endsWith("</svg>"));
        }
    }

    // The study starts with its page, not with the window, and fills the page when done.
    void theStudyFillsItsPageWhenDone() {
        const auto line = lineOf("-x*y^2", calc::Method::rk4, german);
        QVERIFY(line);
        CourseForm form(*line);
        QVERIFY(QTest::qWaitForWindowExposed(form.window));
        QVERIFY(!form.find<QProgressBar>("Fortschritt"));
        form.showPage("Konvergenz");
        auto* table = form.find<NumberTable>("Konvergenz");
        QVERIFY(table);
        QVERIFY(form.find<QProgressBar>("Fortschritt")->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(table->rowCount() > 0, study_wait_ms);

        const calc::Study& study = defaultStudy();
        const calc::NumberLocale locale = calcNumberLocale(german);
        QCOMPARE(table->accessibleName(), "Konvergenz");
        QCOMPARE(captionsOf(table), QStringList(textsOf(calc::study_columns(study))));
        QCOMPARE(table->rowCount(), 17);
        for (int j = 0; j < table->rowCount(); ++j) {
            QCOMPARE(rowOf(table, j), textsOf(calc::study_cells(study, std::size_t(j), locale)));
        }
        auto* note = form.find<QLabel>("Rundung");
        QCOMPARE(note->text(), QString::fromStdString(calc::roundoff_text(study, locale)));
        QVERIFY(note->text().contains("Ab h = 0,0015625 fällt der Fehler von RK4 nicht mehr"));
        QCOMPARE(note->accessibleName(), QString());
        QVERIFY(!form.find<QProgressBar>("Fortschritt")->isVisible());

        // RK4's coarsest point lies at h = 0,1, or at 4 × 10 evaluations of f.
        QChart* chart = form.find<QChartView>("Konvergenzdiagramm")->chart();
        const auto rk4First = [&] {
            for (QAbstractSeries* series : chart->series()) {
                if (series->name() == "RK4") {
                    return static_cast<QLineSeries*>(series)->at(0).x();
                }
            }
            return 0.0;
        };
        QStringList names;
        for (QAbstractSeries* series : chart->series()) {
            names.append(series->name());
        }
        QCOMPARE(names,
                 QStringList({"Euler", "Heun", "Mittelpunkt", "RK3", "RK4", "Impl. Euler", "Trapez",
                              "Impl. Mittelpunkt", "p = 1", "p = 2", "p = 3", "p = 4"}));
        QCOMPARE(rk4First(), 0.1);
        form.find<QCheckBox>("auswertungen")->setChecked(true);
        chart = form.find<QChartView>("Konvergenzdiagramm")->chart();
        QCOMPARE(rk4First(), 40.0);

        QTemporaryDir directory;
        const QString path = directory.filePath("Konvergenz.csv");
        QStringList suggested;
        form.window->setFileNameChooser([&](const QString&, const QString& name, const QString&) {
            suggested.append(name);
            return path;
        });
        form.find<QPushButton>("konvergenzCsvSpeichern")->click();
        QCOMPARE(form.warnings, QStringList());
        QCOMPARE(suggested, QStringList{"Konvergenz.csv"});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray::fromStdString(calc::study_csv(study, locale)));
    }

    void stoppingTheStudyLeavesNoThreadRunning_data() {
        QTest::addColumn<bool>("closeWindow");
        QTest::newRow("Abbrechen") << false;
        QTest::newRow("closing the window") << true;
    }
    void stoppingTheStudyLeavesNoThreadRunning() {
        QFETCH(bool, closeWindow);
        // A typed equation, so that the study runs for seconds.
        const auto line = lineOf("sin(x)*y+exp(-x)", calc::Method::rk4, german);
        QVERIFY(line);
        CourseForm form(*line);
        form.showPage("Konvergenz");
        auto* progress = form.find<QProgressBar>("Fortschritt");
        QTRY_VERIFY(progress->value() > 0);
        auto* watcher = static_cast<QFutureWatcher<ConvergencePage::Result>*>(
            form.find<QFutureWatcherBase>("Studie"));
        const QFuture<ConvergencePage::Result> study = watcher->future();
        QVERIFY(study.isRunning());

        if (closeWindow) {
            form.find<QPushButton>("schliessen")->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(form.window.isNull());
            // Gone with the window: cancelled, and over before the window was.
            QVERIFY(study.isFinished());
        } else {
            form.find<QPushButton>("abbrechen")->click();
            QTRY_VERIFY(form.find<QPushButton>("neuStarten")->isVisible());
            QCOMPARE(form.find<NumberTable>("Konvergenz")->rowCount(), 0);
        }
        QVERIFY(study.isCanceled());
        QCOMPARE(study.resultCount(), 0);
        QVERIFY(QThreadPool::globalInstance()->waitForDone(1'000));
    }
};

QTEST_MAIN(ComparisonAndStudyTest)
#include "comparison_and_study_test.moc"
