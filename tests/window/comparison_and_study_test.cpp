// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/comparison.h"
#include "tests/window/course_line.h"
#include "window/course_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

// A course window of the line, not yet showing any page but "Verlauf".
struct CourseForm {
    explicit CourseForm(const calc::ResultLine& line)
        : window(new CourseWindow(calc::build_course(line), german)) {
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
               "RK4 4,78";
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
        QVERIFY(!form.find<QTableWidget>("Vergleich"));
        if (!exact.isEmpty()) {
            auto* field = form.find<QLineEdit>("exakteLoesung");
            field->setText(exact);
            QTest::keyClick(field, Qt::Key_Return);
        }
        form.showPage("Vergleich");

        auto* table = form.find<QTableWidget>("Vergleich");
        QVERIFY(table);
        QCOMPARE(table->accessibleName(), "Vergleich");
        QCOMPARE(captionsOf(table), QStringList({"Schritt", "x", "Euler-Cauchy", "Heun",
                                                 "Mittelpunkt", "RK3", "RK4", "y exakt"}));
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
            QCOMPARE(table->item(10, 7)->text(), "7,38905609893065");
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
};

QTEST_MAIN(ComparisonAndStudyTest)
#include "comparison_and_study_test.moc"
