// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/course.h"
#include "calc/calculate.h"
#include "qt/number_locale.h"
#include "tests/window/main/window_form.h"
#include "window/course/course_window.h"
#include "window/main/integration.h"

#include "window/course/number_table.h"
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <variant>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QStringList smooth{"10", "0", "1", "1"};
const QString not_saved = QStringLiteral("Die Datei konnte nicht gespeichert werden: ");

enum class Opening { doubleClick, returnKey, enterKey, contextMenu };

// The course of the entries as calc makes it, when calculate accepts them.
std::optional<calc::Course> courseOf(const QStringList& entries, const QLocale& locale) {
    const calc::Outcome outcome =
        calc::calculate({entries.at(0).toStdString(), entries.at(1).toStdString(),
                         entries.at(2).toStdString(), entries.at(3).toStdString()},
                        calcNumberLocale(locale));
    if (const auto* line = std::get_if<calc::ResultLine>(&outcome)) {
        return calc::build_course(line->numbers);
    }
    return std::nullopt;
}

QStringList texts(const std::vector<std::string>& cells) {
    QStringList list;
    for (const std::string& cell : cells) {
        list.append(QString::fromStdString(cell));
    }
    return list;
}

// The main window with its result lines; course windows report warnings and file names here.
struct CourseForm : WindowForm {
    explicit CourseForm(const QLocale& locale = german) : WindowForm(locale) {
        window.setCourseWindowMaker(
            [](const calc::ResultLine& line, const QLocale& numberLocale, QWidget* parent) {
                return new CourseWindow(calc::build_course(line), numberLocale, parent);
            });
    }

    QAction* showCourseAction() const {
        for (QAction* action : ausgabe->actions()) {
            if (action->text() == QStringLiteral("Verlauf anzeigen…")) {
                return action;
            }
        }
        return nullptr;
    }

    QList<CourseWindow*> courses() const {
        return window.findChildren<CourseWindow*>(Qt::FindDirectChildrenOnly);
    }

    void calculate(const QStringList& entries) {
        enter(entries);
        press();
    }

    void openCourse(int row, Opening way) {
        QListWidgetItem* item = ausgabe->item(row);
        switch (way) {
        case Opening::doubleClick: {
            const QPoint at = ausgabe->visualItemRect(item).center();
            QTest::mouseClick(ausgabe->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(ausgabe->viewport(), Qt::LeftButton, {}, at);
            break;
        }
        case Opening::returnKey:
        case Opening::enterKey:
            ausgabe->setFocus();
            ausgabe->setCurrentItem(item);
            QTest::keyClick(ausgabe, way == Opening::returnKey ? Qt::Key_Return : Qt::Key_Enter);
            break;
        case Opening::contextMenu:
            ausgabe->setCurrentItem(item);
            if (QAction* action = showCourseAction(); action && action->isEnabled()) {
                action->trigger();
            }
            break;
        }
    }

    // Opens the course of the single line the entries give; null when none opened.
    CourseWindow* openFor(const QStringList& entries) {
        calculate(entries);
        if (ausgabe->count() != 1) {
            return nullptr;
        }
        openCourse(0, Opening::contextMenu);
        return courses().size() == 1 ? courses().front() : nullptr;
    }
};

QChart* chartOf(const CourseWindow* course, const char* name) {
    auto* view = course->findChild<QChartView*>(name);
    return view ? view->chart() : nullptr;
}

QValueAxis* axisOf(QChart* chart, Qt::Orientation orientation) {
    const QList<QAbstractAxis*> axes = chart->axes(orientation);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.front());
}

} // namespace

class CourseWindowTest : public QObject {
    Q_OBJECT

private slots:
    void eachWayOpensTheCourseOfThatLineEvenAfterTheEntriesChanged_data() {
        QTest::addColumn<Opening>("way");
        QTest::newRow("double-click") << Opening::doubleClick;
        QTest::newRow("Return") << Opening::returnKey;
        QTest::newRow("Enter") << Opening::enterKey;
        QTest::newRow("context menu entry") << Opening::contextMenu;
    }
    void eachWayOpensTheCourseOfThatLineEvenAfterTheEntriesChanged() {
        QFETCH(Opening, way);
        CourseForm form;
        QVERIFY(form.open());
        const QStringList second{"20", "0", "2", "1"};
        form.calculate(smooth);
        form.calculate(second);
        form.enter({"5", "1", "3", "2"});
        const QStringList entries = form.entries();
        const QStringList lines = form.lines();

        form.openCourse(1, way);

        QCOMPARE(form.courses().size(), 1);
        CourseWindow* course = form.courses().front();
        QVERIFY(course->isVisible());
        QCOMPARE(course->objectName(), "Verlauf");
        QCOMPARE(course->windowTitle(), "Verlauf");
        const auto expected = courseOf(second, german);
        QVERIFY(expected);
        auto* heading = course->findChild<QLabel*>("Aufgabe");
        QVERIFY(heading);
        QCOMPARE(heading->text(),
                 QString::fromStdString(calc::course_heading(*expected, calcNumberLocale(german))));
        QCOMPARE(course->findChild<NumberTable*>("Tabelle")->rowCount(), 21);
        QCOMPARE(form.entries(), entries);
        QCOMPARE(form.lines(), lines);
    }

    void theProgramLoadsTheCourseWindowFromItsModule_data() {
        QTest::addColumn<QString>("module");
        QTest::addColumn<bool>("opens");
        QTest::newRow("the built module") << QStringLiteral(NUMERINT_COURSE_MODULE_FILE) << true;
        QTest::newRow("a missing module")
            << QDir::temp().filePath("fehlt/numer-integration-course.so") << false;
    }
    void theProgramLoadsTheCourseWindowFromItsModule() {
        QFETCH(QString, module);
        QFETCH(bool, opens);
        CourseForm form;
        form.window.setCourseWindowMaker({});
        form.window.setCourseModule(module);
        QVERIFY(form.open());
        form.calculate(smooth);
        form.openCourse(0, Opening::contextMenu);

        const QList<QWidget*> windows =
            form.window.findChildren<QWidget*>("Verlauf", Qt::FindDirectChildrenOnly);
        QCOMPARE(windows.size(), opens ? 1 : 0);
        if (opens) {
            QCOMPARE(form.warnings, QStringList());
            // The module's table is its own build of the class: seen as Qt's view.
            auto* table = windows.front()->findChild<QTableView*>("Tabelle");
            QVERIFY(table && table->model()->rowCount() == 11);
            QCOMPARE(table->model()->index(10, 7).data().toString(), "0,666666666666667");
        } else {
            QCOMPARE(form.warnings.size(), 1);
            QVERIFY2(
                form.warnings.front().startsWith("Der Verlauf kann nicht angezeigt werden: ") &&
                    form.warnings.front().contains("fehlt"),
                qPrintable(form.warnings.front()));
        }
        QCOMPARE(form.entries(), smooth);
    }

    // A line of a pair opens the window of its attempts, which the module makes.
    void aPairsLineOpensItsAttemptsFromTheModule() {
        CourseForm form;
        form.window.setCourseWindowMaker({});
        form.window.setCourseModule(QStringLiteral(NUMERINT_COURSE_MODULE_FILE));
        QVERIFY(form.open());
        QVERIFY(form.choose(QStringLiteral("-x*y^2"), "Dormand-Prince 5(4), adaptiv"));
        form.calculate({"1E-6", "0", "1", "1"});
        QCOMPARE(form.ausgabe->count(), 1);
        form.openCourse(0, Opening::contextMenu);
        const QList<QWidget*> windows =
            form.window.findChildren<QWidget*>("Verlauf", Qt::FindDirectChildrenOnly);
        QCOMPARE(windows.size(), 1);
        QCOMPARE(form.warnings, QStringList());
        QVERIFY(windows.front()->inherits("AdaptiveCourseWindow"));
        auto* table = windows.front()->findChild<QTableView*>("Tabelle");
        QVERIFY(table && table->model()->rowCount() == 11);
        QCOMPARE(table->model()->headerData(13, Qt::Horizontal).toString(), "Status");
        QCOMPARE(windows.front()->findChild<QLabel*>("Bilanz")->text(),
                 "9 Schritte angenommen, 1 verworfen, 62 Auswertungen von f");
    }

    void showingACourseNeedsACurrentLine() {
        CourseForm form;
        QVERIFY(form.open());
        QAction* action = form.showCourseAction();
        QVERIFY(action);
        QCOMPARE(form.ausgabe->contextMenuPolicy(), Qt::ActionsContextMenu);
        QVERIFY(form.ausgabe->actions().indexOf(action) >
                form.ausgabe->actions().indexOf(form.ausgabe->actions().front()));
        QVERIFY(!action->isEnabled());
        form.ausgabe->setFocus();
        QTest::keyClick(form.ausgabe, Qt::Key_Return);
        QVERIFY(form.courses().isEmpty());
        form.calculate(smooth);
        form.ausgabe->setCurrentRow(0);
        QVERIFY(action->isEnabled());
    }

    void tableShowsTheCaptionsAndEveryCellOfTheCourse_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("pole");
        QTest::newRow("smooth, German") << german << smooth << false;
        QTest::newRow("smooth, C") << QLocale::c() << smooth << false;
        QTest::newRow("one pass") << german << QStringList{"1", "0", "1", "1"} << false;
        QTest::newRow("no pass") << german << QStringList{"0,5", "0", "1", "1"} << false;
        QTest::newRow("past the pole, outward")
            << german << QStringList{"7,5", "0", "3", "-0,4"} << true;
        QTest::newRow("across zero") << german << QStringList{"3", "-1", "1", "5"} << true;
        QTest::newRow("backwards past the pole")
            << german << QStringList{"7,5", "0", "-3", "-0,4"} << true;
    }
    void tableShowsTheCaptionsAndEveryCellOfTheCourse() {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, entries);
        QFETCH(bool, pole);
        const auto expected = courseOf(entries, locale);
        QVERIFY(expected);
        const calc::NumberLocale numbers = calcNumberLocale(locale);
        CourseForm form(locale);
        QVERIFY(form.open());
        CourseWindow* course = form.openFor(entries);
        QVERIFY(course);

        auto* table = course->findChild<NumberTable*>("Tabelle");
        QVERIFY(table);
        QCOMPARE(table->accessibleName(), "Verlauf");
        QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
        QStringList captions;
        for (int column = 0; column < table->columnCount(); ++column) {
            captions.append(table->caption(column));
        }
        QCOMPARE(captions, QStringList({"Schritt", "x", "y", "k1", "k2", "k3", "k4", "y exakt",
                                        "Fehler", "h\u00b7\u03bb", "|R(h\u00b7\u03bb)|"}));
        QCOMPARE(table->rowCount(), static_cast<int>(expected->rows.size()));
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList shown;
            for (int column = 0; column < table->columnCount(); ++column) {
                QVERIFY(!(table->model()->index(row, column).flags() & Qt::ItemIsEditable));
                shown.append(table->text(row, column));
            }
            QCOMPARE(shown,
                     texts(calc::course_cells(
                         *expected, expected->rows[static_cast<std::size_t>(row)], numbers)));
        }
        // The last row holds the line's own y, and no stage values.
        const QString lastY = table->text(table->rowCount() - 1, 2);
        QVERIFY2(form.lines().front().endsWith(u' ' + lastY), qPrintable(lastY));
        QVERIFY(table->text(table->rowCount() - 1, 3).isEmpty());

        QCOMPARE(course->findChild<QLabel*>("Ordnung")->text(),
                 QString::fromStdString(calc::order_text(*expected, numbers)));
        auto* note = course->findChild<QLabel*>("Pol");
        QCOMPARE(note != nullptr, pole);
        if (note) {
            QCOMPARE(note->text(), QString::fromStdString(calc::pole_text(*expected, numbers)));
        }
    }

    void theExactSolutionAndTheOrderOfTheTeachingExample() {
        CourseForm form;
        QVERIFY(form.open());
        CourseWindow* course = form.openFor(smooth);
        QVERIFY(course);
        auto* table = course->findChild<NumberTable*>("Tabelle");
        // y(1) = 2/3 exactly; y(0) = 1 with no error yet.
        QCOMPARE(table->text(10, 7), "0,666666666666667");
        QCOMPARE(table->text(0, 7), "1");
        QCOMPARE(table->text(0, 8), "0");
        QCOMPARE(course->findChild<QLabel*>("Ordnung")->text(), "Beobachtete Ordnung p = 4,78");
    }

    void openingTheSameLineAgainRaisesItsWindow() {
        CourseForm form;
        QVERIFY(form.open());
        form.calculate(smooth);
        form.calculate(smooth);
        form.openCourse(0, Opening::doubleClick);
        QCOMPARE(form.courses().size(), 1);
        const QPointer<CourseWindow> first = form.courses().front();
        QTRY_COMPARE(QApplication::activeWindow(), first.data());
        form.window.windowHandle()->requestActivate();
        QTRY_COMPARE(QApplication::activeWindow(), &form.window);

        form.openCourse(0, Opening::returnKey);
        QCOMPARE(form.courses().size(), 1);
        QCOMPARE(form.courses().front(), first.data());
        QTRY_COMPARE(QApplication::activeWindow(), first.data());

        // An equal line of its own opens a window of its own.
        form.openCourse(1, Opening::contextMenu);
        QCOMPARE(form.courses().size(), 2);

        // A closed window is gone; opening its line again makes a new one.
        first->findChild<QPushButton*>("schliessen")->click();
        QTRY_VERIFY(first.isNull());
        form.openCourse(0, Opening::contextMenu);
        QCOMPARE(form.courses().size(), 2);
    }

    void courseWindowsLeaveTheMainWindowAloneAndCloseWithIt() {
        CourseForm form;
        QVERIFY(form.open());
        form.calculate(smooth);
        form.ausgabe->setFocus();
        form.ausgabe->setCurrentRow(0);
        QTest::keyClick(form.ausgabe, Qt::Key_Return);
        QCOMPARE(form.courses().size(), 1);
        const QPointer<CourseWindow> course = form.courses().front();
        QTRY_COMPARE(QApplication::activeWindow(), course.data());
        QCOMPARE(form.window.focusWidget(), form.ausgabe);

        // Tab in the main window still visits its own controls, in their order; the systems'
        // button closes the cycle.
        form.window.windowHandle()->requestActivate();
        QTRY_COMPARE(QApplication::activeWindow(), &form.window);
        QStringList visited;
        for (int i = 0; i < 9; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(visited, QStringList({"txtanzschr", "cboGleichung", "cboVerfahren", "cmdSystem",
                                       "txtug", "txtog", "txtaw", "cmdRechnen", "Ausgabe"}));
        QCOMPARE(form.entries(), smooth);
        QCOMPARE(form.ausgabe->count(), 1);

        form.window.close();
        QTRY_VERIFY(course.isNull() || !course->isVisible());
    }

    void savingWritesTheWholeFile_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("suggestion");
        QTest::newRow("CSV") << "csvSpeichern"
                             << "Verlauf.csv"
                             << "Verlauf.csv";
        QTest::newRow("PNG") << "bildSpeichern"
                             << "Verlauf.png"
                             << "Verlauf.png";
        QTest::newRow("SVG by its extension") << "bildSpeichern"
                                              << "Bild.SVG"
                                              << "Verlauf.png";
        QTest::newRow("CSV over an older file") << "csvSpeichern"
                                                << "alt.csv"
                                                << "Verlauf.csv";
    }
    void savingWritesTheWholeFile() {
        QFETCH(QString, button);
        QFETCH(QString, fileName);
        QFETCH(QString, suggestion);
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        const QString path = directory.filePath(fileName);
        QFile older(path);
        QVERIFY(older.open(QIODevice::WriteOnly));
        older.write(QByteArray(100'000, 'x'));
        older.close();

        CourseForm form;
        QVERIFY(form.open());
        CourseWindow* course = form.openFor(smooth);
        QVERIFY(course);
        QVERIFY(QTest::qWaitForWindowExposed(course));
        QStringList suggested;
        QStringList warnings;
        course->setFileNameChooser([&](const QString&, const QString& name, const QString&) {
            suggested.append(name);
            return path;
        });
        course->setWarningPresenter([&](const QString& text) { warnings.append(text); });

        course->findChild<QPushButton*>(button)->click();

        QCOMPARE(warnings, QStringList());
        QCOMPARE(suggested, QStringList{suggestion});
        QCOMPARE(QDir(directory.path()).entryList(QDir::Files), QStringList{fileName});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        if (fileName.endsWith(".csv")) {
            const auto expected = courseOf(smooth, german);
            QCOMPARE(written, QByteArray::fromStdString(
                                  calc::course_csv(*expected, calcNumberLocale(german))));
            QVERIFY(written.startsWith(
                QStringLiteral(
                    "Schritt;x;y;k1;k2;k3;k4;y exakt;Fehler;h\u00b7\u03bb;|R(h\u00b7\u03bb)|\n")
                    .toUtf8()));
        } else if (fileName.endsWith(".png")) {
            const QImage image = QImage::fromData(written, "PNG");
            QVERIFY(!image.isNull());
            const QSize plot = course->findChild<QChartView*>("Diagramm")->viewport()->size();
            QVERIFY(image.width() > plot.width());
        } else {
            QVERIFY(written.contains("<svg"));
            QVERIFY(written.trimmed().endsWith("</svg>"));
        }
    }

    void aFailedSaveWarnsWithTheReasonAndLeavesNoFile_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("CSV") << "csvSpeichern"
                             << "Verlauf.csv";
        QTest::newRow("PNG") << "bildSpeichern"
                             << "Verlauf.png";
        QTest::newRow("SVG") << "bildSpeichern"
                             << "Verlauf.svg";
    }
    void aFailedSaveWarnsWithTheReasonAndLeavesNoFile() {
        QFETCH(QString, button);
        QFETCH(QString, fileName);
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        const QString missing = directory.filePath("fehlt");

        CourseForm form;
        QVERIFY(form.open());
        CourseWindow* course = form.openFor(smooth);
        QVERIFY(course);
        QStringList warnings;
        course->setFileNameChooser([&](const QString&, const QString&, const QString&) {
            return missing + '/' + fileName;
        });
        course->setWarningPresenter([&](const QString& text) { warnings.append(text); });

        course->findChild<QPushButton*>(button)->click();

        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings.front().startsWith(not_saved), qPrintable(warnings.front()));
        QVERIFY2(warnings.front().size() > not_saved.size() + 3, qPrintable(warnings.front()));
        QVERIFY(!QFileInfo::exists(missing));
        QCOMPARE(QDir(directory.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void aFailedSaveIsAWarningBoxWithOnlyOk() {
        QTemporaryDir directory;
        CourseForm form;
        QVERIFY(form.open());
        CourseWindow* course = form.openFor(smooth);
        QVERIFY(course);
        course->setFileNameChooser([&](const QString&, const QString&, const QString&) {
            return directory.filePath("fehlt/Verlauf.csv");
        });
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        closeModalBoxWhenShown([&](QWidget* shown) {
            if (auto* box = qobject_cast<QMessageBox*>(shown)) {
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                buttons = box->standardButtons();
            }
        });
        course->findChild<QPushButton*>("csvSpeichern")->click();
        QCOMPARE(title, "Numer-Integration");
        QVERIFY2(text.startsWith(not_saved), qPrintable(text));
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void plotsHoldOnlyFiniteValuesAndKeepTheMethodInView_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("exactShown");
        QTest::newRow("smooth") << smooth << true;
        QTest::newRow("past the pole, outward") << QStringList{"7,5", "0", "3", "-0,4"} << true;
        QTest::newRow("near the pole") << QStringList{"3", "0", "3", "-0,4"} << true;
        QTest::newRow("across zero") << QStringList{"3", "-1", "1", "5"} << true;
        QTest::newRow("backwards") << QStringList{"7,5", "0", "-3", "-0,4"} << true;
        QTest::newRow("no pass") << QStringList{"0,5", "0", "1", "1"} << true;
        QTest::newRow("zero initial value") << QStringList{"10", "0", "1", "0"} << true;
        QTest::newRow("bounds near the largest double")
            << QStringList{"10", "-1e300", "1e300", "1e-300"} << true;
    }
    void plotsHoldOnlyFiniteValuesAndKeepTheMethodInView() {
        QFETCH(QStringList, entries);
        QFETCH(bool, exactShown);
        const auto expected = courseOf(entries, german);
        QVERIFY(expected);
        CourseForm form;
        QVERIFY(form.open());
        CourseWindow* course = form.openFor(entries);
        QVERIFY(course);
        QVERIFY(QTest::qWaitForWindowExposed(course));

        QSet<QString> names;
        for (const char* name : {"Diagramm", "Fehlerdiagramm"}) {
            QChart* chart = chartOf(course, name);
            QVERIFY(chart);
            for (QAbstractSeries* series : chart->series()) {
                names.insert(series->name());
                for (const QPointF& point : static_cast<QXYSeries*>(series)->points()) {
                    QVERIFY2(std::isfinite(point.x()) && std::isfinite(point.y()),
                             qPrintable(series->name()));
                }
            }
        }
        QVERIFY(names.contains("Runge-Kutta-4. Ord."));
        QCOMPARE(names.contains("exakte Lösung"), exactShown);

        // The y axis shows every Runge-Kutta point, with a margin of less than the points' span.
        QChart* chart = chartOf(course, "Diagramm");
        QValueAxis* y = axisOf(chart, Qt::Vertical);
        QVERIFY(y);
        QCOMPARE(y->titleText(), "y");
        QCOMPARE(axisOf(chart, Qt::Horizontal)->titleText(), "x");
        double low = expected->rows.front().point.y;
        double high = low;
        for (const calc::CourseRow& row : expected->rows) {
            low = std::min(low, row.point.y);
            high = std::max(high, row.point.y);
        }
        QVERIFY2(y->min() < low && high < y->max(), qPrintable(QStringLiteral("%1 < %2 .. %3 < %4")
                                                                   .arg(y->min())
                                                                   .arg(low)
                                                                   .arg(high)
                                                                   .arg(y->max())));
        if (expected->pole) {
            QVERIFY(y->max() - y->min() < 2 * (high - low));
        }
        // The error axis shows every error, however small.
        QValueAxis* e = axisOf(chartOf(course, "Fehlerdiagramm"), Qt::Vertical);
        for (const calc::CourseRow& row : expected->rows) {
            if (row.error) {
                QVERIFY2(e->min() < *row.error && *row.error < e->max(),
                         qPrintable(QString::number(*row.error)));
            }
        }
    }

    void ctrlCCopiesTheSelectedCellsAsTabSeparatedLines() {
        CourseForm form;
        QVERIFY(form.open());
        CourseWindow* course = form.openFor(smooth);
        QVERIFY(course);
        QTRY_COMPARE(QApplication::activeWindow(), course);
        auto* table = course->findChild<NumberTable*>("Tabelle");
        table->setFocus();
        table->selectionModel()->select(
            QItemSelection(table->model()->index(1, 1), table->model()->index(2, 2)),
            QItemSelectionModel::Select);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        const auto cell = [table](int row, int column) { return table->text(row, column); };
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 cell(1, 1) + '\t' + cell(1, 2) + '\n' + cell(2, 1) + '\t' + cell(2, 2));
    }

    // The page tabs are in the cycle, so that the keyboard reaches the other pages; then the
    // exact solution above the table.
    void tabGoesFromTheTableThroughTheButtonsAndThePageTabs() {
        CourseForm form;
        QVERIFY(form.open());
        CourseWindow* course = form.openFor(smooth);
        QVERIFY(course);
        QTRY_COMPARE(QApplication::activeWindow(), course);
        // The window opens with the focus in the table.
        QCOMPARE(QApplication::focusWidget(), course->findChild<NumberTable*>("Tabelle"));
        QStringList visited;
        for (int i = 0; i < 9; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->objectName());
        }
        // "Vorheriger Schritt" is disabled at the first pass, where the window opens.
        QCOMPARE(visited, QStringList({"Richtungsfeld", "kurvenLoeschen", "naechsterSchritt",
                                       "csvSpeichern", "bildSpeichern", "schliessen", "Seitenwahl",
                                       "exakteLoesung", "Tabelle"}));
    }

    void defaultSizeShowsTheWholeTableWidthWithinTheScreen() {
        CourseForm form;
        QVERIFY(form.open());
        CourseWindow* course = form.openFor(smooth);
        QVERIFY(course);
        QVERIFY(QTest::qWaitForWindowExposed(course));
        const QRect available = course->screen()->availableGeometry();
        QVERIFY(course->width() <= available.width() && course->height() <= available.height());
        auto* table = course->findChild<NumberTable*>("Tabelle");
        if (course->width() < available.width() - 50) {
            QTRY_COMPARE(table->horizontalScrollBar()->maximum(), 0);
        } else {
            QVERIFY2(false, "the test screen is too small for the table");
        }
        for (const char* name : {"Diagramm", "Fehlerdiagramm"}) {
            const QSize plot = course->findChild<QChartView*>(name)->size();
            QVERIFY2(plot.width() >= 300 && plot.height() >= 200, name);
        }
    }

    void resultListSpansTheForm() {
        WindowForm form(german);
        QVERIFY(form.open());
        const double scale = form.window.scaleFactor();
        const auto pixels = [scale](int twips) {
            return static_cast<int>(std::ceil(twips * scale / 15.0 - 1e-9));
        };
        QCOMPARE(form.ausgabe->x(), pixels(120));
        QCOMPARE(form.ausgabe->width(), pixels(4680));
        QCOMPARE(form.ausgabe->y(), pixels(3360));
        QVERIFY(form.cmdRechnen->geometry().bottom() < form.ausgabe->y());
        const QString line = QStringLiteral("x-Wert   01,0   y-Wert   0,666666613089039");
        form.enter(smooth);
        form.press();
        QCOMPARE(form.lines(), QStringList{line});
        QVERIFY(form.ausgabe->fontMetrics().horizontalAdvance(line) <
                form.ausgabe->viewport()->width());
    }
};

QTEST_MAIN(CourseWindowTest)
#include "course_window_test.moc"
