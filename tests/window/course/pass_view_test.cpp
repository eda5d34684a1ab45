// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/course.h"
#include "calc/analysis/direction_field.h"
#include "calc/analysis/pass_view.h"
#include "qt/number_locale.h"
#include "window/course/course_window.h"
#include "window/plots/course_plot.h"
#include "window/plots/direction_field_item.h"

#include "window/course/number_table.h"
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <set>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QLocale english(QLocale::English, QLocale::UnitedStates);

calc::Course courseOf(const char* f, calc::Method method, calc::Numbers numbers) {
    const auto parsed = calc::Equation::parse(f, calc::NumberLocale{});
    const calc::Equation equation = std::get<calc::Equation>(parsed);
    return calc::build_course(numbers, equation, method, calc::ExactSolution::of(equation));
}

// A course window shown on its own, with its controls looked up by name.
struct Shown {
    Shown(const calc::Course& course, const QLocale& locale)
        : window(std::make_unique<CourseWindow>(course, locale)) {
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
    }
    template <class T> T* find(const char* name) const { return window->findChild<T*>(name); }
    QChart* chart(const char* name) const { return find<QChartView>(name)->chart(); }
    NumberTable* table() const { return find<NumberTable>("Tabelle"); }
    QString localError() const { return find<QLabel>("LokalerFehler")->text(); }

    // The solutions drawn by clicks, by their legend names.
    QStringList solutions() const {
        QStringList names;
        for (QAbstractSeries* series : chart("Diagramm")->series()) {
            if (series->name().startsWith("durch (")) {
                names.append(series->name());
            }
        }
        return names;
    }

    // Clicks the main plot at the share (sx, sy) of its plot area, from its top left corner.
    void click(double sx, double sy) const {
        auto* view = find<QChartView>("Diagramm");
        const QRectF area = view->chart()->plotArea();
        const QPointF inChart(area.left() + sx * area.width(), area.top() + sy * area.height());
        const QPoint at = view->mapFromScene(view->chart()->mapToScene(inChart));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    }

    std::unique_ptr<CourseWindow> window;
};

QList<QPointF> pointsOf(QAbstractSeries* series) {
    return static_cast<QXYSeries*>(series)->points();
}

} // namespace

Q_DECLARE_METATYPE(calc::Method)

class PassViewTest : public QObject {
    Q_OBJECT

private slots:
    void theStepButtonsStopAtTheFirstAndLastPass_data() {
        QTest::addColumn<int>("passes");
        QTest::addColumn<QString>("moves"); // n: next, p: previous, e: the table's last row
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("previous");
        QTest::addColumn<bool>("next");
        QTest::newRow("opens at the first pass") << 5 << "" << 0 << false << true;
        QTest::newRow("forward to the last pass") << 5 << "nnnn" << 4 << true << false;
        QTest::newRow("back to the first pass") << 5 << "nnp" << 1 << true << true;
        QTest::newRow("the last row has no pass") << 5 << "e" << 5 << true << false;
        QTest::newRow("a single pass") << 1 << "" << 0 << false << false;
    }
    void theStepButtonsStopAtTheFirstAndLastPass() {
        QFETCH(int, passes);
        QFETCH(QString, moves);
        QFETCH(int, row);
        QFETCH(bool, previous);
        QFETCH(bool, next);
        Shown shown(courseOf("-x*y^2", calc::Method::rk4, {double(passes), 0, 1, 1}), german);
        auto* back = shown.find<QPushButton>("vorherigerSchritt");
        auto* forward = shown.find<QPushButton>("naechsterSchritt");
        QCOMPARE(back->text(), "Vorheriger Schritt");
        QCOMPARE(forward->text(), "Nächster Schritt");
        for (const QChar move : moves) {
            if (move == 'n') {
                QTest::mouseClick(forward, Qt::LeftButton);
            } else if (move == 'p') {
                QTest::mouseClick(back, Qt::LeftButton);
            } else {
                shown.table()->setCurrentCell(passes, 1);
            }
        }
        QCOMPARE(shown.table()->currentRow(), row);
        QCOMPARE(back->isEnabled(), previous);
        QCOMPARE(forward->isEnabled(), next);
    }

    void aChosenRowShowsItsPassAndLocalError_data() {
        QTest::addColumn<QString>("f");
        QTest::addColumn<calc::Method>("method");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("row");
        QTest::newRow("default, German, down twice")
            << "-x*y^2" << calc::Method::rk4 << german << 2;
        QTest::newRow("x+y with Heun, English") << "x+y" << calc::Method::heun << english << 3;
        QTest::newRow("typed, without exact solution")
            << "cos(x)-y" << calc::Method::rk3 << german << 1;
        QTest::newRow("the last row") << "y" << calc::Method::euler << german << 4;
    }
    void aChosenRowShowsItsPassAndLocalError() {
        QFETCH(QString, f);
        QFETCH(calc::Method, method);
        QFETCH(QLocale, locale);
        QFETCH(int, row);
        const calc::Course course = courseOf(f.toUtf8().constData(), method, {4, 0, 1, 0.5});
        Shown shown(course, locale);
        QVERIFY(QTest::qWaitForWindowExposed(shown.window.get()));
        shown.table()->setFocus();
        for (int i = 0; i < row; ++i) {
            QTest::keyClick(shown.table(), Qt::Key_Down);
        }

        const auto pass = calc::pass_view(course, static_cast<std::size_t>(row));
        QCOMPARE(shown.localError(),
                 QString::fromStdString(calc::local_error_text(
                     pass ? pass->local_error : std::nullopt, calcNumberLocale(locale))));
        QVERIFY(shown.find<QLabel>("LokalerFehler")->accessibleName().isEmpty());
        QCOMPARE(shown.find<QChartView>("Schritt")->accessibleName(), "Schritt");
        // Each stage's point is where calc puts it; the main plot picks out the pass's two points.
        QList<QPointF> stages;
        for (QAbstractSeries* series : shown.chart("Schritt")->series()) {
            if (series->type() == QAbstractSeries::SeriesTypeScatter) {
                stages.append(pointsOf(series));
            }
        }
        QList<QPointF> expected;
        QList<QPointF> ends;
        if (pass) {
            for (const calc::StageMark& stage : pass->stages) {
                expected.append({stage.point.x, stage.point.y});
            }
            ends = {{pass->start.x, pass->start.y}, {pass->next.x, pass->next.y}};
        }
        QCOMPARE(stages, expected);
        const QList<QAbstractSeries*> main = shown.chart("Diagramm")->series();
        QVERIFY(std::any_of(main.begin(), main.end(), [&](QAbstractSeries* series) {
            return series->name().isEmpty() && pointsOf(series) == ends;
        }));
    }

    void clicksDrawNamedSolutionsAndTheNinthReplacesTheOldest_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("German") << german << R"(^durch \((-?[0-9,]+); (-?[0-9,]+)\)$)";
        QTest::newRow("English") << english << R"(^durch \((-?[0-9.]+), (-?[0-9.]+)\)$)";
    }
    void clicksDrawNamedSolutionsAndTheNinthReplacesTheOldest() {
        QFETCH(QLocale, locale);
        QFETCH(QString, pattern);
        Shown shown(courseOf("-x*y^2", calc::Method::rk4, {10, 0, 1, 1}), locale);
        QVERIFY(QTest::qWaitForWindowExposed(shown.window.get()));

        shown.click(0.3, 0.6);
        const QStringList first = shown.solutions();
        QCOMPARE(first.size(), 1);
        const QRegularExpressionMatch name = QRegularExpression(pattern).match(first.front());
        QVERIFY2(name.hasMatch(), qPrintable(first.front()));
        // The curve goes through the point its name gives, which lies where the click was.
        const calc::NumberLocale numbers = calcNumberLocale(locale);
        const QPointF through(*calc::read_number(name.captured(1).toStdString(), numbers),
                              *calc::read_number(name.captured(2).toStdString(), numbers));
        const calc::PlotView view = DirectionFieldItem::viewOf(shown.chart("Diagramm"));
        QVERIFY(std::fabs(through.x() - (view.x_low + 0.3 * (view.x_high - view.x_low))) <
                2 * (view.x_high - view.x_low) / view.width);
        QVERIFY(std::fabs(through.y() - (view.y_high - 0.6 * (view.y_high - view.y_low))) <
                2 * (view.y_high - view.y_low) / view.height);
        for (QAbstractSeries* series : shown.chart("Diagramm")->series()) {
            if (series->name() == first.front()) {
                QVERIFY(pointsOf(series).contains(through));
            }
        }

        for (int i = 1; i <= 8; ++i) {
            shown.click(0.1 * i, 0.05 + 0.1 * i);
        }
        const QStringList names = shown.solutions();
        QCOMPARE(names.size(), 8);
        QVERIFY(!names.contains(first.front()));
        std::set<QRgb> colours;
        for (QAbstractSeries* series : shown.chart("Diagramm")->series()) {
            if (names.contains(series->name())) {
                colours.insert(static_cast<QLineSeries*>(series)->pen().color().rgb());
            }
        }
        QCOMPARE(colours.size(), std::size_t{8});

        QTest::mouseClick(shown.find<QPushButton>("kurvenLoeschen"), Qt::LeftButton);
        QCOMPARE(shown.solutions(), QStringList());
    }

    void theDirectionFieldIsDrawnFollowsTheSizeAndIsSaved() {
        Shown shown(courseOf("-x*y^2", calc::Method::rk4, {10, 0, 1, 1}), german);
        QVERIFY(QTest::qWaitForWindowExposed(shown.window.get()));
        auto* box = shown.find<QCheckBox>("Richtungsfeld");
        QVERIFY(box->isChecked());
        const DirectionFieldItem* field = nullptr;
        for (QGraphicsItem* item : shown.chart("Diagramm")->childItems()) {
            field = field ? field : dynamic_cast<DirectionFieldItem*>(item);
        }
        QVERIFY(field && field->isVisible());
        QCOMPARE(field->lines().size(), calc::field_columns * calc::field_rows);
        const QList<QLineF> before = field->lines();
        shown.window->resize(shown.window->size() + QSize(120, 80));
        QTRY_VERIFY(field->lines() != before);
        QCOMPARE(field->lines().size(), before.size());

        QTemporaryDir directory;
        const auto polylines = [&](const QString& name) {
            const QString path = directory.filePath(name);
            QFile file(path);
            if (!shown.window->saveImage(path) || !file.open(QIODevice::ReadOnly)) {
                return qsizetype{-1};
            }
            return file.readAll().count("<polyline");
        };
        const qsizetype with = polylines("mit.svg");
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!field->isVisible());
        const qsizetype without = polylines("ohne.svg");
        QVERIFY2(without >= 0 && with - without >= field->lines().size(),
                 qPrintable(QStringLiteral("%1 against %2").arg(with).arg(without)));
    }

    // The page draws a new chart when the course changes, as when an exact solution is given.
    void aNewChartOfTheCoursePlotKeepsTheFieldAndTheSolutions() {
        const calc::Course course = courseOf("x+y", calc::Method::heun, {5, 0, 1, 1});
        Shown shown(course, german);
        QVERIFY(QTest::qWaitForWindowExposed(shown.window.get()));
        shown.click(0.5, 0.5);
        const QStringList names = shown.solutions();
        QCOMPARE(names.size(), 1);
        auto* plot = shown.find<CoursePlot>("Diagramm");
        plot->showCourse(course);
        QTRY_COMPARE(shown.solutions(), names);
        const QList<QGraphicsItem*> items = plot->chart()->childItems();
        QVERIFY(std::any_of(items.begin(), items.end(), [](QGraphicsItem* item) {
            return dynamic_cast<DirectionFieldItem*>(item) != nullptr;
        }));
    }
};

QTEST_MAIN(PassViewTest)
#include "pass_view_test.moc"
