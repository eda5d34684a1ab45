// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/adaptive_course.h"
#include "calc/analysis/system_course.h"
#include "calc/calculate.h"
#include "calc/system_calculate.h"
#include "qt/number_locale.h"
#include "tests/system_task.h"
#include "tests/window/course/course_line.h"
#include "window/course/adaptive_course_window.h"
#include "window/course/course_window.h"
#include "window/course/number_table.h"
#include "window/course/stability_page.h"
#include "window/course/system_course_window.h"
#include "window/plots/stability_plot.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <variant>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QString tab = QStringLiteral("Stabilität");
constexpr char stiff[] = "-50*(y-cos(x))";

enum class Kind { scalar, system, adaptive, systemAdaptive };

// A course window of the kind, for a line that calculate accepts.
QWidget* windowOf(Kind kind, calc::Method method = calc::Method::rk4) {
    switch (kind) {
    case Kind::scalar:
        return new CourseWindow(calc::build_course(*lineOf(stiff, method, german)), german);
    case Kind::system: {
        const calc::SystemTask task = taskOf(calc::SystemForm::first_order, {"y2", "-y1"},
                                             {"1", "0"}, "0", "1", "10", method);
        return new SystemCourseWindow(calc::build_system_course(std::get<calc::SystemLine>(
                                          calc::calculate_system(task, calcNumberLocale(german)))),
                                      german);
    }
    case Kind::adaptive: {
        calc::Task task(calc::EntryTexts{"10", "0", "1", "1"}, stiff);
        task.pair = calc::Pair::dopri5;
        task.tolerance = "1e-4";
        return new AdaptiveCourseWindow(calc::build_adaptive_course(std::get<calc::ResultLine>(
                                            calc::calculate(task, calcNumberLocale(german)))),
                                        german);
    }
    case Kind::systemAdaptive: {
        calc::SystemTask task =
            taskOf(calc::SystemForm::first_order, {"y2", "-y1"}, {"1", "0"}, "0", "6", "10");
        task.pair = calc::Pair::bs23;
        task.tolerance = "1e-4";
        return new AdaptiveCourseWindow(
            calc::build_system_adaptive_course(
                std::get<calc::SystemLine>(calc::calculate_system(task, calcNumberLocale(german)))),
            german);
    }
    }
    return nullptr;
}

// A window shown with its page "Stabilität" in front.
struct StabilityForm {
    explicit StabilityForm(QWidget* made) : window(made) {
        auto* pages = window->findChild<QTabWidget*>("Seiten");
        for (int i = 0; pages && i < pages->count(); ++i) {
            if (pages->tabText(i) == tab) {
                pages->setCurrentIndex(i);
            }
        }
        window->show();
        static_cast<void>(QTest::qWaitForWindowExposed(window));
        page = window->findChild<StabilityPage*>();
        table = window->findChild<NumberTable*>("Tabelle");
    }
    ~StabilityForm() { delete window; }

    StabilityPlot* plot() const { return page ? page->plot() : nullptr; }
    QString label(const char* name) const {
        const auto* found = page->findChild<QLabel*>(name);
        return found ? found->text() : QString();
    }

    QPointer<QWidget> window;
    StabilityPage* page = nullptr;
    NumberTable* table = nullptr;
};

QWidget* scalarWindow(const char* equation, calc::Method method, const char* steps) {
    return new CourseWindow(
        calc::build_course(*lineOf(equation, method, german, {steps, "0", "1", "1"})), german);
}

// The colour painted at a widget position.
QColor colourAt(QWidget* widget, QPointF at) {
    const QImage image = widget->grab().toImage();
    return image.pixelColor(at.toPoint());
}

void wheel(QWidget* widget, QPointF at, int delta) {
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class StabilityPageTest : public QObject {
    Q_OBJECT

private slots:
    void everyWindowHasThePage_data();
    void everyWindowHasThePage();
    void labels_data();
    void labels();
    void pointsOutside_data();
    void pointsOutside();
    void clickChoosesRowAndRowRingsPoint_data();
    void clickChoosesRowAndRowRingsPoint();
    void zoomDragAndReset();
    void othersBoundaries_data();
    void othersBoundaries();
};

void StabilityPageTest::everyWindowHasThePage_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("others");
    QTest::newRow("Verlauf") << int(Kind::scalar) << 7;
    QTest::newRow("System") << int(Kind::system) << 7;
    QTest::newRow("adaptiv") << int(Kind::adaptive) << 2;
    QTest::newRow("System adaptiv") << int(Kind::systemAdaptive) << 2;
}

// The page is made when first shown and rings the points of the table's current row.
void StabilityPageTest::everyWindowHasThePage() {
    QFETCH(int, kind);
    QFETCH(int, others);
    StabilityForm form(windowOf(static_cast<Kind>(kind)));
    QVERIFY(form.page);
    QVERIFY(form.page->isBuilt());
    QVERIFY(form.plot()->pointCount() > 0);
    QCOMPARE(form.plot()->otherCount(), others);
    QVERIFY(form.table);
    QCOMPARE(form.plot()->currentRow(), form.table->currentRow());
    // A row in the middle of the passes, whichever kind of table it is.
    const int last = form.plot()->pointRow(form.plot()->pointCount() / 2);
    form.table->goToRow(last);
    QCOMPARE(form.plot()->currentRow(), last);
    for (const int index : form.plot()->ringedPoints()) {
        QCOMPARE(form.plot()->pointRow(index), last);
    }
    QVERIFY(!form.plot()->ringedPoints().empty());
}

void StabilityPageTest::labels_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("interval");
    QTest::addColumn<QString>("stiffness");
    QTest::newRow("RK4") << int(calc::Method::rk4)
                         << QStringLiteral("R(z) = 1 + z + z²/2 + z³/6 + z⁴/24")
                         << QStringLiteral(
                                "Stabilitätsintervall auf der reellen Achse: [−2,7853; 0]")
                         << QString();
    QTest::newRow("Euler") << int(calc::Method::euler) << QStringLiteral("R(z) = 1 + z")
                           << QStringLiteral(
                                  "Stabilitätsintervall auf der reellen Achse: [−2,0000; 0]")
                           << QString();
    QTest::newRow("impl. Euler") << int(calc::Method::implicit_euler)
                                 << QStringLiteral("R(z) = 1/(1 − z)")
                                 << QStringLiteral(
                                        "Stabilitätsintervall auf der reellen Achse: (−∞; 0]")
                                 << QStringLiteral("A-stabil und L-stabil");
    QTest::newRow("Trapez") << int(calc::Method::trapezoid)
                            << QStringLiteral("R(z) = (1 + z/2)/(1 − z/2)")
                            << QStringLiteral("Stabilitätsintervall auf der reellen Achse: (−∞; 0]")
                            << QStringLiteral("A-stabil");
}

void StabilityPageTest::labels() {
    QFETCH(int, method);
    QFETCH(QString, formula);
    QFETCH(QString, interval);
    QFETCH(QString, stiffness);
    StabilityForm form(windowOf(Kind::scalar, static_cast<calc::Method>(method)));
    QVERIFY(form.page);
    QCOMPARE(form.label("Stabilitaetsfunktion"), formula);
    QCOMPARE(form.label("Stabilitaetsintervall"), interval);
    QCOMPARE(form.label("Steifheit"), stiffness);
    // Every label shows its whole text.
    for (const QLabel* label : form.page->findChildren<QLabel*>()) {
        QVERIFY2(label->height() >= label->heightForWidth(label->width()) ||
                     label->heightForWidth(label->width()) < 0,
                 qPrintable(label->objectName()));
    }
}

void StabilityPageTest::pointsOutside_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("outside");
    QTest::addColumn<QString>("text");
    // h·λ = −2,5 leaves Euler's disc about −1; h·λ ≈ −0,505 stays inside.
    QTest::newRow("20 Schritte")
        << "20" << 20
        << QStringLiteral("20 von 20 Schritten außerhalb des Stabilitätsgebiets, zuerst bei x = 0");
    QTest::newRow("99 Schritte") << "99" << 0
                                 << QStringLiteral("alle Schritte im Stabilitätsgebiet");
}

void StabilityPageTest::pointsOutside() {
    QFETCH(QString, steps);
    QFETCH(int, outside);
    QFETCH(QString, text);
    StabilityForm form(scalarWindow(stiff, calc::Method::euler, qPrintable(steps)));
    StabilityPlot* plot = form.plot();
    QVERIFY(plot);
    QCOMPARE(plot->pointCount(), steps.toInt());
    QCOMPARE(plot->outsideCount(), outside);
    QCOMPARE(form.label("Ausserhalb"), text);
    // Red where outside, Euler's blue inside.
    const QColor drawn = colourAt(plot, plot->pointPosition(0));
    const QColor expected(outside > 0 ? 0xd62728 : 0x1f77b4);
    QVERIFY2(std::abs(drawn.red() - expected.red()) < 40 &&
                 std::abs(drawn.blue() - expected.blue()) < 40,
             qPrintable(drawn.name()));
}

void StabilityPageTest::clickChoosesRowAndRowRingsPoint_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("row");
    QTest::newRow("Verlauf, Zeile 3") << int(Kind::scalar) << 3;
    QTest::newRow("Verlauf, Zeile 7") << int(Kind::scalar) << 7;
    // The attempts' points lie closer: the first one apart from the others (−1).
    QTest::newRow("adaptiv, ein Versuch") << int(Kind::adaptive) << -1;
}

// h·λ = −5x: the passes' points lie apart on the real axis.
void StabilityPageTest::clickChoosesRowAndRowRingsPoint() {
    QFETCH(int, kind);
    QFETCH(int, row);
    QWidget* made = nullptr;
    if (static_cast<Kind>(kind) == Kind::scalar) {
        made = scalarWindow("-50*x*y", calc::Method::rk4, "10");
    } else {
        calc::Task task(calc::EntryTexts{"10", "0", "1", "1"}, "-50*x*y");
        task.pair = calc::Pair::dopri5;
        task.tolerance = "1e-3";
        made = new AdaptiveCourseWindow(calc::build_adaptive_course(std::get<calc::ResultLine>(
                                            calc::calculate(task, calcNumberLocale(german)))),
                                        german);
    }
    StabilityForm form(made);
    StabilityPlot* plot = form.plot();
    QVERIFY(plot);
    const auto apart = [plot](int i) {
        for (int j = 0; j < plot->pointCount(); ++j) {
            const QPointF d = plot->pointPosition(j) - plot->pointPosition(i);
            if (j != i && QPointF::dotProduct(d, d) < 100) {
                return false;
            }
        }
        return true;
    };
    int index = -1;
    for (int i = 0; i < plot->pointCount() && index < 0; ++i) {
        if (row < 0 ? apart(i) && plot->pointRow(i) > 1 : plot->pointRow(i) == row) {
            index = i;
        }
    }
    QVERIFY(index >= 0);
    row = plot->pointRow(index);
    QSignalSpy chosen(plot, &StabilityPlot::rowChosen);
    QTest::mouseClick(plot, Qt::LeftButton, Qt::NoModifier, plot->pointPosition(index).toPoint());
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toInt(), row);
    QCOMPARE(form.table->currentRow(), row);
    QCOMPARE(plot->ringedPoints(), std::vector<int>{index});

    // Another row from the table rings its point instead.
    form.table->goToRow(1);
    for (const int ringed : plot->ringedPoints()) {
        QCOMPARE(plot->pointRow(ringed), 1);
    }
    QVERIFY(!plot->ringedPoints().empty());
    // A click beside every point chooses nothing.
    QTest::mouseClick(plot, Qt::LeftButton, Qt::NoModifier,
                      plot->positionOf(QPointF(-1.0, 3.5)).toPoint());
    QCOMPARE(chosen.count(), 1);
}

// The wheel zooms about the cursor, a drag moves the view, the button restores the first view;
// a repaint of the same view reuses the filled region.
void StabilityPageTest::zoomDragAndReset() {
    StabilityForm form(windowOf(Kind::scalar));
    StabilityPlot* plot = form.plot();
    QVERIFY(plot);
    const QRectF first = plot->view();
    QCOMPARE(first, QRectF(-6, -4, 8, 8));
    // Equal scale: a square of the plane is square on screen.
    const QPointF a = plot->positionOf({0, 0});
    const QPointF b = plot->positionOf({1, 1});
    QVERIFY(std::abs(std::abs(b.x() - a.x()) - std::abs(b.y() - a.y())) < 1e-9);
    QVERIFY(b.y() < a.y()); // Im grows upwards

    static_cast<void>(plot->grab());
    const int computed = plot->regionComputations();
    plot->repaint();
    static_cast<void>(plot->grab());
    QCOMPARE(plot->regionComputations(), computed);

    const QPointF anchor = plot->positionOf({-3, 1});
    wheel(plot, anchor, 120);
    QVERIFY(plot->view().width() < first.width());
    const QPointF kept = plot->planeAt(anchor);
    QVERIFY(std::abs(kept.x() + 3) < 1e-9 && std::abs(kept.y() - 1) < 1e-9);
    static_cast<void>(plot->grab());
    QCOMPARE(plot->regionComputations(), computed + 1);

    const QRectF zoomed = plot->view();
    const QPoint from = plot->positionOf({-3, 1}).toPoint();
    QTest::mousePress(plot, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(from + QPoint(40, 0)),
                     plot->mapToGlobal(QPointF(from + QPoint(40, 0))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(plot, &move);
    QTest::mouseRelease(plot, Qt::LeftButton, Qt::NoModifier, from + QPoint(40, 0));
    QVERIFY(plot->view().left() < zoomed.left());
    QCOMPARE(plot->view().size(), zoomed.size());

    auto* reset = form.page->findChild<QPushButton*>("ansichtZuruecksetzen");
    QVERIFY(reset);
    reset->click();
    QCOMPARE(plot->view(), first);
}

void StabilityPageTest::othersBoundaries_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("Verfahren") << int(Kind::scalar);
    QTest::newRow("Paare") << int(Kind::adaptive);
}

// The check box, on at first, takes the other methods' lines and legend away and back.
void StabilityPageTest::othersBoundaries() {
    QFETCH(int, kind);
    StabilityForm form(windowOf(static_cast<Kind>(kind)));
    StabilityPlot* plot = form.plot();
    QVERIFY(plot);
    auto* others = form.page->findChild<QCheckBox*>("andereVerfahren");
    QVERIFY(others);
    QVERIFY(others->isChecked());
    QVERIFY(plot->othersShown());
    const QImage shown = plot->grab().toImage();
    others->setChecked(false);
    QVERIFY(!plot->othersShown());
    const QImage hidden = plot->grab().toImage();
    QVERIFY(shown != hidden);
    others->setChecked(true);
    QCOMPARE(plot->grab().toImage(), shown);
}

QTEST_MAIN(StabilityPageTest)
#include "stability_page_test.moc"
