// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/course.h"
#include "tests/window/course/course_line.h"
#include "window/course/course_window.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QXYSeries>

#include <memory>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

// A course window of the line, with warnings recorded instead of shown.
struct CoursePageForm {
    explicit CoursePageForm(const calc::ResultLine& line)
        : window(std::make_unique<CourseWindow>(calc::build_course(line), german)) {
        window->setWarningPresenter([this](const QString& text) { warnings.append(text); });
        window->show();
    }

    NumberTable* table() const { return window->findChild<NumberTable*>("Tabelle"); }
    QLineEdit* exact() const { return window->findChild<QLineEdit*>("exakteLoesung"); }
    QString order() const { return window->findChild<QLabel*>("Ordnung")->text(); }

    // Whether the table, the order and the error plot show the course.
    void expectShown(const calc::Course& course) const {
        const calc::NumberLocale locale = calcNumberLocale(german);
        QCOMPARE(table()->rowCount(), static_cast<int>(course.rows.size()));
        int errors = 0;
        for (int row = 0; row < table()->rowCount(); ++row) {
            const calc::CourseRow& expected = course.rows[static_cast<std::size_t>(row)];
            QCOMPARE(rowOf(table(), row), textsOf(calc::course_cells(course, expected, locale)));
            errors += expected.error ? 1 : 0;
        }
        QCOMPARE(order(), QString::fromStdString(calc::order_text(course, locale)));
        int plotted = 0;
        auto* plot = window->findChild<QChartView*>("Fehlerdiagramm");
        for (QAbstractSeries* series : plot->chart()->series()) {
            plotted += static_cast<int>(static_cast<QXYSeries*>(series)->count());
        }
        QCOMPARE(plotted, errors);
    }

    std::unique_ptr<CourseWindow> window;
    QStringList warnings;
};

} // namespace

class CoursePageTest : public QObject {
    Q_OBJECT

private slots:
    void tableAndCsvHoldTheMethodsOwnStages_data() {
        QTest::addColumn<calc::Method>("method");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("Euler-Cauchy: k1")
            << calc::Method::euler
            << QStringList{
                   "Schritt",           "x", "y", "k1", "y exakt", "Fehler", "h\u00b7\u03bb",
                   "|R(h\u00b7\u03bb)|"};
        QTest::newRow("RK3: k1 to k3") << calc::Method::rk3 << QStringList{"Schritt",
                                                                           "x",
                                                                           "y",
                                                                           "k1",
                                                                           "k2",
                                                                           "k3",
                                                                           "y exakt",
                                                                           "Fehler",
                                                                           "h\u00b7\u03bb",
                                                                           "|R(h\u00b7\u03bb)|"};
    }
    void tableAndCsvHoldTheMethodsOwnStages() {
        QFETCH(calc::Method, method);
        QFETCH(QStringList, captions);
        const auto line = lineOf("x+y", method, german);
        QVERIFY(line);
        CoursePageForm form(*line);

        QCOMPARE(captionsOf(form.table()), captions);
        form.expectShown(calc::build_course(*line));
        QTemporaryDir directory;
        const QString path = directory.filePath("Verlauf.csv");
        QVERIFY(form.window->saveCsv(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readLine()).trimmed(), captions.join(u';'));
    }

    void theExactFieldShowsTheKnownSolutionReadOnlyAndWaitsForATypedOne_data() {
        QTest::addColumn<QString>("equation");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("the default") << "-x*y^2"
                                     << "aw/(1+aw*((x-ug)*(x+ug))/2)" << true;
        QTest::newRow("a catalogue entry typed with spaces")
            << "y * (1 - y)"
            << "aw/(aw+(1-aw)*exp(-(x-ug)))" << true;
        QTest::newRow("a typed equation") << "2*y"
                                          << "" << false;
    }
    void theExactFieldShowsTheKnownSolutionReadOnlyAndWaitsForATypedOne() {
        QFETCH(QString, equation);
        QFETCH(QString, shown);
        QFETCH(bool, readOnly);
        const auto line = lineOf(equation.toStdString(), calc::Method::rk4, german);
        QVERIFY(line);
        CoursePageForm form(*line);

        QCOMPARE(form.exact()->text(), shown);
        QCOMPARE(form.exact()->isReadOnly(), readOnly);
        QCOMPARE(form.exact()->accessibleName(), "Exakte Lösung");
        QCOMPARE(form.order().endsWith(" (aus h, h/2 und h/4)"), !readOnly);
        QCOMPARE(form.table()->text(10, 7) == QStringLiteral("–"), !readOnly);
    }

    void returnAppliesATypedSolutionOrRefusesAFaultyOne_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("warning");
        QTest::newRow("a solution in x, ug and aw") << "aw*exp(2*(x-ug))"
                                                    << "";
        QTest::newRow("with a decimal comma") << "aw*exp(2,0*(x-ug))"
                                              << "";
        QTest::newRow("a missing parenthesis")
            << "aw*exp(2*(x-ug)"
            << "Die exakte Lösung ist fehlerhaft: fehlende Klammer (Zeichen 16).";
        QTest::newRow("y, which the solution cannot use")
            << "aw*exp(2*(x-y))"
            << "Die exakte Lösung ist fehlerhaft: unbekannter Name „y“ (Zeichen 13).";
    }
    void returnAppliesATypedSolutionOrRefusesAFaultyOne() {
        QFETCH(QString, typed);
        QFETCH(QString, warning);
        const auto line = lineOf("2*y", calc::Method::heun, german);
        QVERIFY(line);
        CoursePageForm form(*line);
        const calc::Course before = calc::build_course(*line);

        form.exact()->setFocus();
        form.exact()->setText(typed);
        QTest::keyClick(form.exact(), Qt::Key_Return);

        if (warning.isEmpty()) {
            QCOMPARE(form.warnings, QStringList());
            auto exact = calc::ExactSolution::parse("aw*exp(2*(x-ug))", {});
            const calc::Course after = calc::build_course(
                line->numbers, line->equation, line->method, std::get<calc::ExactSolution>(exact));
            form.expectShown(after);
            QVERIFY(!form.order().contains("aus h"));
            // y(1) = e^2.
            QCOMPARE(form.table()->text(10, 5), "7,38905609893065");
        } else {
            QCOMPARE(form.warnings, QStringList{warning});
            form.expectShown(before);
            QCOMPARE(form.exact()->text(), typed);
        }
    }
};

QTEST_MAIN(CoursePageTest)
#include "course_page_test.moc"
