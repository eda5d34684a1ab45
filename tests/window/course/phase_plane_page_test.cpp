// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/phase_plane.h"
#include "calc/analysis/system_comparison.h"
#include "calc/problem/system_examples.h"
#include "calc/system_calculate.h"
#include "qt/number_locale.h"
#include "qt/qt_text.h"
#include "window/course/file_export.h"
#include "window/course/phase_plane_page.h"
#include "window/plots/direction_field_item.h"

#include <QAbstractAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>
#include <variant>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
using Id = calc::SystemExampleId;

// The entries of the example as the system window fills them in, `count` passes where given.
calc::SystemTask exampleTask(Id id, calc::Method method = calc::Method::rk4, int count = 0) {
    const calc::SystemExample& example = calc::system_example(id);
    const calc::NumberLocale locale = calcNumberLocale(german);
    calc::SystemTask task{
        example.form, calc::example_formulas(example, locale), {}, {}, {}, {}, method, {}, {}};
    for (std::size_t i = 0; i < example.size; ++i) {
        task.initial.push_back(calc::format_general(example.start[i], locale));
    }
    task.ug = calc::format_general(example.ug, locale);
    task.og = calc::format_general(example.og, locale);
    task.count = std::to_string(count > 0 ? count : example.count);
    return task;
}

QList<QPointF> pointsOf(QAbstractSeries* series) {
    return static_cast<QXYSeries*>(series)->points();
}

QList<QPointF> qtPoints(const std::vector<calc::Point>& points) {
    QList<QPointF> list;
    for (const calc::Point& p : points) {
        list.append({p.x, p.y});
    }
    return list;
}

// The page of a task's course on its own, shown, with files and warnings going to the test.
struct PageForm {
    PageForm(const calc::SystemTask& task, const QLocale& locale)
        : course(calc::build_system_course(
              std::get<calc::SystemLine>(calc::calculate_system(task, calcNumberLocale(german))),
              calc::CourseOrder::left_out)) {
        files.setWarningPresenter([this](const QString& text) { warnings.append(text); });
        files.setFileNameChooser([this](const QString&, const QString& name, const QString&) {
            suggestions.append(name);
            return directory.filePath(name);
        });
        page = std::make_unique<PhasePlanePage>(course, locale, files, nullptr);
        page->resize(1500, 700);
        page->show();
    }
    template <class T> T* find(const char* name) const { return page->findChild<T*>(name); }
    QChart* chart(const char* plot) const { return find<QChartView>(plot)->chart(); }
    QList<QAbstractSeries*> series(const char* plot,
                                   const std::function<bool(const QString&)>& named) const {
        QList<QAbstractSeries*> found;
        for (QAbstractSeries* series : chart(plot)->series()) {
            if (named(series->name())) {
                found.append(series);
            }
        }
        return found;
    }
    QList<QPointF> points(const char* plot, const QString& name) const {
        const auto found = series(plot, [&](const QString& n) { return n == name; });
        return found.isEmpty() ? QList<QPointF>() : pointsOf(found.front());
    }
    QList<QAbstractSeries*> orbits() const {
        return series("Phasendiagramm", [](const QString& n) { return n.startsWith("durch ("); });
    }
    QStringList axisTitles(const char* plot) const {
        return {chart(plot)->axes(Qt::Horizontal).front()->titleText(),
                chart(plot)->axes(Qt::Vertical).front()->titleText()};
    }
    // Clicks the plane at the share (sx, sy) of its plot area, from its top left corner.
    void click(double sx, double sy) const {
        auto* view = find<QChartView>("Phasendiagramm");
        const QRectF area = view->chart()->plotArea();
        const QPointF inChart(area.left() + sx * area.width(), area.top() + sy * area.height());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->mapFromScene(view->chart()->mapToScene(inChart)));
    }
    const DirectionFieldItem* field() const {
        for (QGraphicsItem* item : chart("Phasendiagramm")->childItems()) {
            if (auto* field = dynamic_cast<DirectionFieldItem*>(item)) {
                return field;
            }
        }
        return nullptr;
    }

    calc::SystemCourse course;
    QTemporaryDir directory;
    FileExport files;
    QStringList warnings;
    QStringList suggestions;
    std::unique_ptr<PhasePlanePage> page;
};

} // namespace

Q_DECLARE_METATYPE(calc::SystemTask)

class PhasePlanePageTest : public QObject {
    Q_OBJECT

private slots:
    void thePathIsTheCoursesComponentsBesideTheExactOrbit_data() {
        QTest::addColumn<calc::SystemTask>("task");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<bool>("field");
        calc::SystemTask typed = exampleTask(Id::oscillator, calc::Method::euler);
        typed.form = calc::SystemForm::first_order;
        typed.formulas = {"y2", "-y1"};
        calc::SystemTask forced = typed;
        forced.formulas = {"y2", "-y1+cos(x)"};
        QTest::newRow("oscillator, second order")
            << exampleTask(Id::oscillator) << QStringList{"y", "y'"} << true;
        QTest::newRow("oscillator typed as a system") << typed << QStringList{"y1", "y2"} << true;
        QTest::newRow("Van der Pol, Heun")
            << exampleTask(Id::van_der_pol, calc::Method::heun) << QStringList{"y", "y'"} << true;
        QTest::newRow("forced: f uses x") << forced << QStringList{"y1", "y2"} << false;
        QTest::newRow("Lorenz") << exampleTask(Id::lorenz) << QStringList{"y1", "y2"} << false;
    }
    void thePathIsTheCoursesComponentsBesideTheExactOrbit() {
        QFETCH(calc::SystemTask, task);
        QFETCH(QStringList, titles);
        QFETCH(bool, field);
        PageForm form(task, german);
        QVERIFY(QTest::qWaitForWindowExposed(form.page.get()));
        QList<QPointF> components;
        for (const calc::SystemCourseRow& row : form.course.rows) {
            components.append({row.point.y[0], row.point.y[1]});
        }
        QCOMPARE(form.points("Phasendiagramm", fromUtf8(calc::method_info(task.method).name)),
                 components);
        QCOMPARE(form.points("Phasendiagramm", "exakte Lösung"),
                 qtPoints(calc::exact_orbit(form.course, {})));
        QCOMPARE(form.axisTitles("Phasendiagramm"), titles);
        QCOMPARE(form.find<QChartView>("Phasendiagramm")->accessibleName(), "Phasendiagramm");
        QCOMPARE(form.find<QComboBox>("cboWaagerecht") != nullptr, form.course.size() > 2);

        // The field stands behind the path and follows the plot's size.
        auto* box = form.find<QCheckBox>("Richtungsfeld");
        QCOMPARE(box != nullptr, field);
        QCOMPARE(form.field() != nullptr, field);
        if (field) {
            const QList<QLineF> before = form.field()->lines();
            QVERIFY(box->isChecked() && before.size() > calc::field_columns * calc::field_rows / 2);
            form.page->resize(form.page->size() + QSize(150, 90));
            QTRY_VERIFY(form.field()->lines() != before);
            QTest::mouseClick(box, Qt::LeftButton);
            QVERIFY(!form.field()->isVisible());
        }
    }

    // Lorenz's components y1, y2, y3: a box that takes the other's component swaps the two.
    void thePlaneBoxesChooseTheAxes_data() {
        QTest::addColumn<QList<int>>("choices"); // box (0 across, 1 upwards), component; …
        QTest::addColumn<int>("horizontal");
        QTest::addColumn<int>("vertical");
        QTest::newRow("y3 upwards") << QList<int>{1, 2} << 0 << 2;
        QTest::newRow("y2 across swaps") << QList<int>{0, 1} << 1 << 0;
        QTest::newRow("y1 upwards swaps") << QList<int>{1, 0} << 1 << 0;
        QTest::newRow("y3 across, then upwards") << QList<int>{0, 2, 1, 2} << 1 << 2;
    }
    void thePlaneBoxesChooseTheAxes() {
        QFETCH(QList<int>, choices);
        QFETCH(int, horizontal);
        QFETCH(int, vertical);
        PageForm form(exampleTask(Id::lorenz, calc::Method::rk4, 300), german);
        QComboBox* boxes[] = {form.find<QComboBox>("cboWaagerecht"),
                              form.find<QComboBox>("cboSenkrecht")};
        for (qsizetype i = 0; i + 1 < choices.size(); i += 2) {
            boxes[choices[i]]->setCurrentIndex(choices[i + 1]);
        }
        QCOMPARE(boxes[0]->currentIndex(), horizontal);
        QCOMPARE(boxes[1]->currentIndex(), vertical);
        const QStringList titles{QStringLiteral("y%1").arg(horizontal + 1),
                                 QStringLiteral("y%1").arg(vertical + 1)};
        QCOMPARE(form.axisTitles("Phasendiagramm"), titles);
        QCOMPARE(form.axisTitles("Phasenschritt"), titles);
        const calc::Plane plane{static_cast<std::size_t>(horizontal),
                                static_cast<std::size_t>(vertical)};
        QCOMPARE(form.points("Phasendiagramm", "Runge-Kutta-4. Ord."),
                 qtPoints(calc::plane_path(form.course, plane)));
        QCOMPARE(form.points("Phasenschritt", "P2"),
                 qtPoints({calc::plane_pass(form.course, 0, plane)->stages[1].point}));
    }

    void showRowDrawsTheStagesAndTheButtonsStopAtTheEnds_data() {
        QTest::addColumn<calc::Method>("method");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("stages");
        QTest::addColumn<bool>("previous");
        QTest::addColumn<bool>("next");
        // The oscillator's example has 100 passes, so 101 rows.
        QTest::newRow("the first pass, RK4") << calc::Method::rk4 << 0 << 4 << false << true;
        QTest::newRow("a middle pass, Euler") << calc::Method::euler << 50 << 1 << true << true;
        QTest::newRow("the last pass, Heun") << calc::Method::heun << 99 << 2 << true << false;
        QTest::newRow("the last row has none") << calc::Method::rk3 << 100 << 0 << true << false;
        QTest::newRow("no row") << calc::Method::midpoint << -1 << 0 << false << true;
    }
    void showRowDrawsTheStagesAndTheButtonsStopAtTheEnds() {
        QFETCH(calc::Method, method);
        QFETCH(int, row);
        QFETCH(int, stages);
        QFETCH(bool, previous);
        QFETCH(bool, next);
        PageForm form(exampleTask(Id::oscillator, method), german);
        QVERIFY(QTest::qWaitForWindowExposed(form.page.get()));
        form.page->showRow(row);
        QCOMPARE(form.page->row(), row);
        const auto pass = row < 0
                              ? std::nullopt
                              : calc::plane_pass(form.course, static_cast<std::size_t>(row), {});
        QCOMPARE(pass ? static_cast<int>(pass->stages.size()) : 0, stages);

        // Each stage point, named, with its increment's arrow to the point it reaches and a head.
        const auto arrows = form.series(
            "Phasenschritt", [](const QString& n) { return n == QStringLiteral("Zuwächse k"); });
        QStringList labels;
        for (QGraphicsItem* item : form.chart("Phasenschritt")->childItems()) {
            auto* label = dynamic_cast<QGraphicsSimpleTextItem*>(item);
            if (label && label->isVisible()) {
                labels.append(label->text());
            }
        }
        QStringList names;
        for (int i = 0; i < stages; ++i) {
            const calc::PlaneStage& stage = pass->stages[static_cast<std::size_t>(i)];
            names.append(fromUtf8(stage.name));
            QCOMPARE(form.points("Phasenschritt", names.back()), qtPoints({stage.point}));
            const QList<QPointF> arrow = pointsOf(arrows[i]);
            QCOMPARE(arrow.size(), 5);
            QCOMPARE(arrow.mid(0, 2), qtPoints({stage.point, stage.reach}));
        }
        labels.sort();
        QCOMPARE(labels, names);
        QCOMPARE(form.find<QLabel>("LokalerFehler")->text(),
                 QString::fromStdString(calc::local_error_text(
                     pass ? pass->local_error : std::nullopt, calcNumberLocale(german))));

        auto* back = form.find<QPushButton>("vorherigerSchritt");
        auto* forward = form.find<QPushButton>("naechsterSchritt");
        QCOMPARE(back->text() + forward->text(), "Vorheriger SchrittNächster Schritt");
        QCOMPARE(back->isEnabled(), previous);
        QCOMPARE(forward->isEnabled(), next);
        QSignalSpy requested(form.page.get(), &PhasePlanePage::rowRequested);
        QTest::mouseClick(previous ? back : forward, Qt::LeftButton);
        QCOMPARE(requested.size(), 1);
        QCOMPARE(requested.front().front().toInt(), previous ? row - 1 : row + 1);
    }

    void clicksDrawOrbitsThatTheButtonOrANewPlaneRemove_data() {
        QTest::addColumn<calc::SystemTask>("task");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("byPlane"); // removed by another plane, else by "Kurven löschen"
        const calc::SystemTask lorenz = exampleTask(Id::lorenz, calc::Method::heun, 300);
        QTest::newRow("oscillator: the ninth replaces the oldest")
            << exampleTask(Id::oscillator) << 9 << false;
        QTest::newRow("Lorenz: the button") << lorenz << 2 << false;
        QTest::newRow("Lorenz: another plane") << lorenz << 3 << true;
    }
    void clicksDrawOrbitsThatTheButtonOrANewPlaneRemove() {
        QFETCH(calc::SystemTask, task);
        QFETCH(int, clicks);
        QFETCH(bool, byPlane);
        PageForm form(task, german);
        QVERIFY(QTest::qWaitForWindowExposed(form.page.get()));
        QStringList names;
        for (int i = 0; i < clicks; ++i) {
            form.click(0.2 + 0.07 * i, 0.3 + 0.05 * i);
            names.append(form.orbits().back()->name());
        }
        QCOMPARE(form.orbits().size(), std::min(clicks, 8));
        QCOMPARE(form.orbits().front()->name(), names[clicks - form.orbits().size()]);
        // Each orbit goes through the point its name gives; the oscillator's are circles.
        const QRegularExpression through(R"(^durch \((-?[0-9,]+); (-?[0-9,]+)\)$)");
        for (QAbstractSeries* orbit : form.orbits()) {
            const QRegularExpressionMatch name = through.match(orbit->name());
            QVERIFY2(name.hasMatch(), qPrintable(orbit->name()));
            const QPointF point(german.toDouble(name.captured(1)),
                                german.toDouble(name.captured(2)));
            QVERIFY(pointsOf(orbit).contains(point));
            for (const QPointF& p : form.course.size() == 2 ? pointsOf(orbit) : QList<QPointF>()) {
                QVERIFY(std::fabs(std::hypot(p.x(), p.y()) - std::hypot(point.x(), point.y())) <
                        1e-6);
            }
        }
        if (byPlane) {
            form.find<QComboBox>("cboSenkrecht")->setCurrentIndex(2);
        } else {
            QTest::mouseClick(form.find<QPushButton>("kurvenLoeschen"), Qt::LeftButton);
        }
        QTRY_COMPARE(form.orbits().size(), 0);
    }

    void theConservedQuantityItsDriftAndTheFiles_data() {
        QTest::addColumn<calc::SystemTask>("task");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<bool>("conserved");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("first");
        // E = y'^2/2 - cos y, -cos 1 at the start; Kepler's E = |v|^2/2 - 1/|r| is -1/2.
        QTest::newRow("pendulum, German")
            << exampleTask(Id::pendulum) << german << true << "Schritt;x;y;y';Erhaltungsgröße;Drift"
            << "0;0;1;0;-0,54030230586814;0";
        QTest::newRow("Kepler, English")
            << exampleTask(Id::kepler, calc::Method::heun) << QLocale(QLocale::English) << true
            << "Schritt,x,y1,y2,y3,y4,Erhaltungsgröße,Drift"
            << "0,0,1,0,0,1,-0.5,0";
        QTest::newRow("Van der Pol conserves nothing")
            << exampleTask(Id::van_der_pol) << german << false << "Schritt;x;y;y'"
            << "0;0;2;0";
    }
    void theConservedQuantityItsDriftAndTheFiles() {
        QFETCH(calc::SystemTask, task);
        QFETCH(QLocale, locale);
        QFETCH(bool, conserved);
        QFETCH(QString, header);
        QFETCH(QString, first);
        PageForm form(task, locale);
        QVERIFY(QTest::qWaitForWindowExposed(form.page.get()));
        auto* label = form.find<QLabel>("Drift");
        auto* plot = form.find<QChartView>("Erhaltungsgröße");
        QCOMPARE(label != nullptr, conserved);
        QCOMPARE(plot != nullptr, conserved);
        if (conserved) {
            QVERIFY2(label->text().startsWith("Drift der Erhaltungsgröße bis x = 20: "),
                     qPrintable(label->text()));
            QCOMPARE(label->text(),
                     QString::fromStdString(calc::drift_text(*calc::conserved_drift(form.course),
                                                             calcNumberLocale(locale))));
            QCOMPARE(plot->accessibleName(), "Erhaltungsgröße");
            QCOMPARE(pointsOf(plot->chart()->series().front()),
                     qtPoints(calc::conserved_over_x(form.course)));
        }

        QTest::mouseClick(form.find<QPushButton>("phasenCsvSpeichern"), Qt::LeftButton);
        QTest::mouseClick(form.find<QPushButton>("phasenBildSpeichern"), Qt::LeftButton);
        QCOMPARE(form.suggestions, QStringList({"Phasenebene.csv", "Phasenebene.png"}));
        QCOMPARE(form.warnings, QStringList());
        QFile csv(form.directory.filePath("Phasenebene.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(csv.readLine()).trimmed(), header);
        QCOMPARE(QString::fromUtf8(csv.readLine()).trimmed(), first);
        // The image holds the plane and, where there is one, the conserved quantity's plot.
        const int width = form.find<QChartView>("Phasendiagramm")->viewport()->width() +
                          (plot ? plot->viewport()->width() : 0);
        QCOMPARE(QImage(form.directory.filePath("Phasenebene.png")).width(), width);
    }
};

QTEST_MAIN(PhasePlanePageTest)
#include "phase_plane_page_test.moc"
