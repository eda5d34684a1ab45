// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/system_calculate.h"
#include "tests/window/system/system_window_form.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QTableView>
#include <QTest>

#include <functional>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
using Texts = QMap<QString, QString>;

// The fields of a form that computes the oscillator y'' = -y from 0 to 1 in 10 steps.
Texts oscillator(const QString& form) {
    Texts texts{{"txtug", "0"}, {"txtog", "1"}, {"txtanzschr", "10"}};
    if (form == "Gleichung 2. Ordnung") {
        texts.insert({{"txtF1", "-y"}, {"txtY1", "1"}, {"txtY2", "0"}});
    } else {
        const int n = form.left(1).toInt();
        for (int i = 1; i <= n; ++i) {
            const QString formula = i < n ? QString("y%1").arg(i + 1) : QString("-y1");
            texts.insert(QString("txtF%1").arg(i), formula);
            texts.insert(QString("txtY%1").arg(i), i == 1 ? "1" : "0");
        }
    }
    return texts;
}

Texts with(Texts texts, const Texts& changes) {
    texts.insert(changes);
    return texts;
}

QString faulty(const char* derivative, const char* reason) {
    const QString lead = QString::fromUtf8("Die Differentialgleichung");
    return (*derivative ? lead + QString::fromUtf8(" für ") + derivative : lead) +
           " ist fehlerhaft: " + QString::fromUtf8(reason) + ".";
}

} // namespace

class SystemWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_font = QApplication::font(); }
    void cleanup() { QApplication::setFont(m_font); }

    void opensOnTheOscillatorWithTheFocusInItsFormula() {
        SystemWindowForm form(german);
        QVERIFY(form.open());
        QCOMPARE(form.window->windowTitle(),
                 QString::fromUtf8("Differentialgleichungssystem — Numer-Integration"));
        QCOMPARE(form.cmdSystem()->text(), QString::fromUtf8("System…"));
        QCOMPARE(form.window->parentWidget(), &form.main.window);
        QCOMPARE(QApplication::focusWidget(), form.field("txtF1"));
        QStringList examples;
        for (int i = 0; i < form.box("cboBeispiel")->count(); ++i) {
            examples.append(form.box("cboBeispiel")->itemText(i));
        }
        QCOMPARE(examples, QString::fromUtf8("eigenes System|Harmonischer Oszillator|Pendel|"
                                             "Van-der-Pol-Oszillator|Räuber und Beute|"
                                             "Stromkreis|Lorenz-System|Kepler-Bahn|Arenstorf-Bahn|"
                                             "Steifes System")
                               .split('|'));
        QCOMPARE(form.box("cboBeispiel")->currentText(), "Harmonischer Oszillator");
        QCOMPARE(form.box("cboForm")->count(), 4);
        QCOMPARE(form.box("cboVerfahren")->currentText(), "Runge-Kutta-4. Ord.");
        QCOMPARE(form.box("cboVerfahren")->count(), 11);
    }

    // From the first formula round the whole cycle, each stop with the name a reader announces.
    void tabGoesDownTheFormWithEachFieldNamedByItsLabel_data() {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QStringList>("stops");
        const QString tail = QString::fromUtf8(
            "txtug=Untere Grenze|txtog=Obere Grenze|txtanzschr=Schrittanzahl|"
            "cboVerfahren=Lösungsmethode|cmdRechnen=Berechnen|cboBeispiel=Beispiel|cboForm=Form|");
        QTest::newRow("two equations")
            << "2 Gleichungen"
            << ("txtY1=y1(ug)|txtF2=y2'|txtY2=y2(ug)|" + tail + "txtF1=y1'").split('|');
        QTest::newRow("four equations")
            << "4 Gleichungen"
            << ("txtY1=y1(ug)|txtF2=y2'|txtY2=y2(ug)|txtF3=y3'|txtY3=y3(ug)|txtF4=y4'|"
                "txtY4=y4(ug)|" +
                tail + "txtF1=y1'")
                   .split('|');
        QTest::newRow("second order")
            << "Gleichung 2. Ordnung"
            << ("txtY1=y(ug)|txtY2=y'(ug)|" + tail + "txtF1=y''").split('|');
    }
    void tabGoesDownTheFormWithEachFieldNamedByItsLabel() {
        QFETCH(QString, shape);
        QFETCH(QStringList, stops);
        SystemWindowForm form(german);
        QVERIFY(form.open());
        QVERIFY(form.choose("cboForm", shape));
        form.field("txtF1")->setFocus();
        QStringList visited;
        for (qsizetype i = 0; i < stops.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* stop = QApplication::focusWidget();
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(stop);
            QString name = accessible->text(QAccessible::Name);
            if (qobject_cast<QComboBox*>(stop)) {
                name = stop->accessibleName();
                // A box's accessible name on Linux is its value; readers name it by its label.
                const auto labels = accessible->relations(QAccessible::Label);
                QCOMPARE(labels.size(), 1);
                QCOMPARE(labels.first().first->text(QAccessible::Name), name);
            }
            visited.append(stop->objectName() + '=' + name);
        }
        QCOMPARE(visited, stops);
        // The labels read as the form shows them, with the colon or " =" that ends them.
        for (QLabel* label : form.window->findChildren<QLabel*>()) {
            if (label->buddy() != nullptr && label->isVisible()) {
                QVERIFY(label->text() == label->buddy()->accessibleName() ||
                        label->text() == label->buddy()->accessibleName() + " =" ||
                        label->text() == label->buddy()->accessibleName() + ":");
            }
        }
    }

    // Every field typed over first; the example then writes its own texts over them, the
    // decimal comma as the locale writes it; the method stays as chosen.
    void exampleFillsInTheFormItsFormulasAndNumbers_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("shape");
        QTest::addColumn<Texts>("texts");
        const auto row = [](const char* name, QLocale locale, const char* example,
                            const char* shape, Texts texts) {
            QTest::newRow(name) << locale << QString::fromUtf8(example) << shape << texts;
        };
        row("oscillator", german, "Harmonischer Oszillator", "Gleichung 2. Ordnung",
            {{"txtF1", "-y"},
             {"txtY1", "1"},
             {"txtY2", "0"},
             {"txtug", "0"},
             {"txtog", "10"},
             {"txtanzschr", "100"}});
        row("pendulum", german, "Pendel", "Gleichung 2. Ordnung",
            {{"txtF1", "-sin(y)"},
             {"txtY1", "1"},
             {"txtY2", "0"},
             {"txtog", "20"},
             {"txtanzschr", "200"}});
        row("predator and prey", german, "Räuber und Beute", "2 Gleichungen",
            {{"txtF1", "y1-y1*y2"},
             {"txtF2", "y1*y2-y2"},
             {"txtY1", "2"},
             {"txtY2", "1"},
             {"txtog", "20"},
             {"txtanzschr", "200"}});
        row("circuit with the decimal comma", german, "Stromkreis", "2 Gleichungen",
            {{"txtF1", "-4*y1+3*y2+6"},
             {"txtF2", "-2,4*y1+1,6*y2+3,6"},
             {"txtY1", "0"},
             {"txtY2", "0"},
             {"txtug", "0"},
             {"txtog", "0,5"},
             {"txtanzschr", "5"}});
        row("circuit with the decimal point", QLocale::c(), "Stromkreis", "2 Gleichungen",
            {{"txtF2", "-2.4*y1+1.6*y2+3.6"}, {"txtog", "0.5"}});
        row("Lorenz", german, "Lorenz-System", "3 Gleichungen",
            {{"txtF1", "10*(y2-y1)"},
             {"txtF2", "y1*(28-y3)-y2"},
             {"txtF3", "y1*y2-8/3*y3"},
             {"txtY1", "1"},
             {"txtY2", "1"},
             {"txtY3", "1"},
             {"txtanzschr", "4000"}});
        row("Kepler", german, "Kepler-Bahn", "4 Gleichungen",
            {{"txtF3", "-y1/(y1^2+y2^2)^(3/2)"},
             {"txtF4", "-y2/(y1^2+y2^2)^(3/2)"},
             {"txtY1", "1"},
             {"txtY2", "0"},
             {"txtY3", "0"},
             {"txtY4", "1"},
             {"txtanzschr", "2000"}});
    }
    void exampleFillsInTheFormItsFormulasAndNumbers() {
        QFETCH(QLocale, locale);
        QFETCH(QString, example);
        QFETCH(QString, shape);
        QFETCH(Texts, texts);
        SystemWindowForm form(locale);
        QVERIFY(form.open());
        QVERIFY(form.choose("cboForm", "4 Gleichungen"));
        QVERIFY(form.choose("cboVerfahren", "Heun (2. Ord.)"));
        Texts typedOver = form.texts();
        for (QString& text : typedOver) {
            text = "7";
        }
        form.paste(typedOver);
        QCOMPARE(form.box("cboBeispiel")->currentText(), "eigenes System");

        QVERIFY(form.choose("cboBeispiel", example));
        QCOMPARE(form.box("cboForm")->currentText(), shape);
        QCOMPARE(form.box("cboVerfahren")->currentText(), "Heun (2. Ord.)");
        const Texts filled = form.texts();
        for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
            QCOMPARE(filled.value(it.key()), it.value());
            QVERIFY2(form.field(it.key())->isVisible(), qPrintable(it.key()));
        }
        // Choosing "eigenes System" leaves the example's texts alone.
        QVERIFY(form.choose("cboBeispiel", "eigenes System"));
        QCOMPARE(form.texts(), filled);
    }

    // Each row types over the oscillator's fields; the first failing check warns, nothing
    // changes and the field to blame holds the focus with its text selected.
    void pressWarnsAndBlamesTheFirstFaultyField_data() {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<Texts>("texts");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("blamed");
        const QString second = "Gleichung 2. Ordnung";
        const QString two = "2 Gleichungen";
        const auto row = [](const char* name, const QString& shape, const Texts& changes,
                            const char* warning, const char* blamed) {
            QTest::newRow(name) << shape << with(oscillator(shape), changes)
                                << QString::fromUtf8(warning) << QString(blamed);
        };
        const QString tenMegabytes(10 << 20, u'y');
        row("empty count", second, {{"txtanzschr", ""}}, "Bitte Anzahl eingeben!", "txtanzschr");
        row("empty lower bound", second, {{"txtug", ""}}, "Bitte Untere Grenze eingeben!", "txtug");
        row("empty upper bound", two, {{"txtog", ""}}, "Bitte Obere Grenze eingeben!", "txtog");
        row("bad initial value of y'", second, {{"txtY2", "x"}},
            "Bitte eine Zahl für Anfangswert y' eingeben!", "txtY2");
        row("empty initial value of y3", "3 Gleichungen", {{"txtY3", ""}},
            "Bitte Anfangswert für y3 eingeben!", "txtY3");
        row("bad formula in the second field", two, {{"txtF2", "-y3"}},
            qPrintable(faulty("y2'", "unbekannter Name „y3“ (Zeichen 2)")), "txtF2");
        row("y' in a first-order system", two, {{"txtF1", "y'"}},
            qPrintable(faulty("y1'", "unbekannter Name „y'“ (Zeichen 1)")), "txtF1");
        row("y1 in the second-order form", second, {{"txtF1", "-y1"}},
            qPrintable(faulty("", "unbekannter Name „y1“ (Zeichen 2)")), "txtF1");
        row("undefined in the first pass", two, {{"txtF2", "sqrt(-y1)"}},
            "Die Differentialgleichung für y2' ist bei x = 0, y = (1; 0) nicht definiert.",
            "txtF2");
        row("undefined in the second-order form", second, {{"txtF1", "sqrt(-1-y)"}},
            "Die Differentialgleichung ist bei x = 0, y = 1, y' = 0 nicht definiert.", "txtF1");
        row("overflow blames no field", two, {{"txtY1", "1e200"}, {"txtF2", "y1*y1"}},
            "Überlauf bei der Berechnung!", "cmdRechnen");
        // Pasted texts no user types: the field keeps Qt's 32,767 characters of a longer one.
        row("10 MB formula", second, {{"txtF1", tenMegabytes}},
            qPrintable(faulty("", "zu lang (Zeichen 1001)")), "txtF1");
        row("10 MB count", two, {{"txtanzschr", tenMegabytes}},
            "Bitte eine Zahl für Schrittanzahl eingeben!", "txtanzschr");
        row("100,000 opening parentheses", "3 Gleichungen", {{"txtF3", QString(100000, u'(')}},
            qPrintable(faulty("y3'", "zu lang (Zeichen 1001)")), "txtF3");
        row("NUL bytes in a formula", second, {{"txtF1", QString("x") + QChar(0) + QChar(0) + "y"}},
            qPrintable(faulty("", "unerwartetes Steuerzeichen (Zeichen 2)")), "txtF1");
        row("broken UTF-8 in the lower bound", second,
            {{"txtug", QString::fromUtf8("\xFF"
                                         "1\xC3")}},
            "Bitte eine Zahl für Untere Grenze eingeben!", "txtug");
    }
    void pressWarnsAndBlamesTheFirstFaultyField() {
        QFETCH(QString, shape);
        QFETCH(Texts, texts);
        QFETCH(QString, warning);
        QFETCH(QString, blamed);
        SystemWindowForm form(german);
        QVERIFY(form.open());
        QVERIFY(form.choose("cboForm", shape));
        form.paste(texts);
        const Texts entered = form.texts();
        for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
            QVERIFY(entered.value(it.key()) == it.value().left(32767));
        }

        form.press();
        QCOMPARE(form.main.warnings, QStringList{warning});
        QCOMPARE(form.main.ausgabe->count(), 0);
        QVERIFY(form.texts() == entered);
        QCOMPARE(form.box("cboForm")->currentText(), shape);
        QCOMPARE(QApplication::focusWidget()->objectName(), blamed);
        if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
            QVERIFY(field->selectedText() == field->text());
        }
    }

    // The line of y'' = -y and of y1' = y2, y2' = -y1 from 0 to 1 in 10 passes, and Euler's
    // first pass of h = 0.1 by hand: from y = (1; 0) to (1 + 0.1 * 0; 0 + 0.1 * -1).
    void pressAppendsTheLineWithItsTooltip_data() {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<Texts>("changes");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("tooltip");
        const QString rk4 = "Runge-Kutta-4. Ord.";
        const QString germanLine =
            "x-Wert   01,0   y-Wert   (0,540302967116884; -0,841470477800274)";
        const Texts onePass{{"txtog", "0,1"}, {"txtanzschr", "1"}};
        QTest::newRow("second order under German") << "Gleichung 2. Ordnung" << Texts() << rk4
                                                   << germanLine << "y'' = -y, Runge-Kutta-4. Ord.";
        QTest::newRow("system under German") << "2 Gleichungen" << Texts() << rk4 << germanLine
                                             << "y1' = y2, y2' = -y1, Runge-Kutta-4. Ord.";
        QTest::newRow("Euler's pass") << "2 Gleichungen" << onePass << "Euler-Cauchy (1. Ord.)"
                                      << "x-Wert   00,1   y-Wert   (1; -0,1)"
                                      << "y1' = y2, y2' = -y1, Euler-Cauchy (1. Ord.)";
        // Euler: y1 = 1 + 0.1 * 0.5, y2 = 0 + 0.1 * 1, y3 = 0 + 0.1 * 0.
        QTest::newRow("three components with the decimal comma")
            << "3 Gleichungen"
            << with(onePass, {{"txtF1", "0,5*y1"}, {"txtF2", "y1"}, {"txtF3", "x"}})
            << "Euler-Cauchy (1. Ord.)"
            << "x-Wert   00,1   y-Wert   (1,05; 0,1; 0)"
            << "y1' = 0,5*y1, y2' = y1, y3' = x, Euler-Cauchy (1. Ord.)";
    }
    void pressAppendsTheLineWithItsTooltip() {
        QFETCH(QString, shape);
        QFETCH(Texts, changes);
        QFETCH(QString, method);
        QFETCH(QString, line);
        QFETCH(QString, tooltip);
        SystemWindowForm form(german);
        QVERIFY(form.open());
        // A scalar line first: the system's joins it in the one list.
        form.main.enter({"10", "0", "1", "1"});
        form.main.press();
        QCOMPARE(form.main.ausgabe->count(), 1);
        QVERIFY(form.choose("cboForm", shape));
        QVERIFY(form.choose("cboVerfahren", method));
        form.paste(with(oscillator(shape), changes));
        const Texts entered = form.texts();

        form.press();
        QCOMPARE(form.main.warnings, QStringList());
        QCOMPARE(form.main.ausgabe->count(), 2);
        QCOMPARE(form.main.ausgabe->item(1)->text(), line);
        QCOMPARE(form.main.ausgabe->item(1)->toolTip(), tooltip);
        QCOMPARE(form.texts(), entered);
    }

    void lorenzWithTheMostStepsGivesItsLine() {
        SystemWindowForm form(german);
        QVERIFY(form.open());
        QVERIFY(form.choose("cboBeispiel", "Lorenz-System"));
        form.paste({{"txtanzschr", "9999"}});
        form.press();
        QCOMPARE(form.main.warnings, QStringList());
        QCOMPARE(form.main.ausgabe->count(), 1);
        const QString line = form.main.ausgabe->item(0)->text();
        QVERIFY2(line.startsWith("x-Wert   20,0   y-Wert   (") && line.count("; ") == 2,
                 qPrintable(line));
    }

    // Each line opens the course of what made it, a system's or a scalar's, and a second
    // double-click raises that window instead of making another.
    void eachLineOpensItsOwnCourse_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("byReturn");
        QTest::addColumn<int>("scalarMade");
        QTest::addColumn<int>("systemMade");
        QTest::newRow("double-click on the system's line") << 1 << false << 0 << 1;
        QTest::newRow("Return on the system's line") << 1 << true << 0 << 1;
        QTest::newRow("double-click on the scalar line") << 0 << false << 1 << 0;
    }
    void eachLineOpensItsOwnCourse() {
        QFETCH(int, row);
        QFETCH(bool, byReturn);
        QFETCH(int, scalarMade);
        QFETCH(int, systemMade);
        SystemWindowForm form(german);
        int scalarMakes = 0;
        int systemMakes = 0;
        QString systemLine;
        form.main.window.setCourseWindowMaker(
            [&scalarMakes](const calc::ResultLine&, const QLocale&, QWidget* parent) {
                ++scalarMakes;
                return new QWidget(parent, Qt::Window);
            });
        form.main.window.setSystemCourseWindowMaker(
            [&](const calc::SystemLine& line, const QLocale&, QWidget* parent) {
                ++systemMakes;
                systemLine = QString::fromStdString(line.text);
                return new QWidget(parent, Qt::Window);
            });
        QVERIFY(form.open());
        form.main.enter({"10", "0", "1", "1"});
        form.main.press();
        form.press();
        QCOMPARE(form.main.ausgabe->count(), 2);

        QListWidget* list = form.main.ausgabe;
        list->scrollToItem(list->item(row));
        for (int times = 0; times < 2; ++times) {
            if (byReturn) {
                // The keys go to the main window, active again after the system window.
                form.main.window.activateWindow();
                QTRY_COMPARE(QApplication::activeWindow(), &form.main.window);
                list->setFocus();
                list->setCurrentRow(row);
                QTest::keyClick(list, Qt::Key_Return);
            } else {
                const QPoint cell = list->visualItemRect(list->item(row)).center();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell);
            }
        }
        QCOMPARE(list->currentRow(), row);
        QCOMPARE(scalarMakes, scalarMade);
        QCOMPARE(systemMakes, systemMade);
        if (systemMade > 0) {
            QCOMPARE(systemLine, list->item(1)->text());
        }
        QCOMPARE(form.main.warnings, QStringList());
        QCOMPARE(list->count(), 2);
    }

    // The program's own module opens a system's course: its table has a row per pass.
    void systemLineOpensItsCourseFromTheModule() {
        SystemWindowForm form(german);
        form.main.window.setCourseModule(QStringLiteral(NUMERINT_COURSE_MODULE_FILE));
        QVERIFY(form.open());
        form.press();
        QListWidget* list = form.main.ausgabe;
        QCOMPARE(list->count(), 1);
        const QPoint cell = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell);
        const QList<QWidget*> windows =
            form.main.window.findChildren<QWidget*>("Verlauf", Qt::FindDirectChildrenOnly);
        QCOMPARE(windows.size(), 1);
        QCOMPARE(form.main.warnings, QStringList());
        // The oscillator as the window opens on it: 100 passes from 0 to 10.
        // The module's table is its own build of the class: seen as Qt's view.
        auto* table = windows.front()->findChild<QTableView*>("Tabelle");
        QVERIFY(table);
        QCOMPARE(table->model()->rowCount(), 101);
        QCOMPARE(table->model()->headerData(2, Qt::Horizontal).toString(), "y");
        QCOMPARE(table->model()->headerData(3, Qt::Horizontal).toString(), "y'");
    }

    void systemButtonRaisesTheOneWindow_data() {
        QTest::addColumn<std::function<void(SystemWindowForm&)>>("before");
        QTest::newRow("second press while open") << std::function([](SystemWindowForm&) {});
        QTest::newRow("press with the main window active")
            << std::function([](SystemWindowForm& form) {
                   form.main.window.activateWindow();
                   QTRY_COMPARE(QApplication::activeWindow(), &form.main.window);
               });
        QTest::newRow("press after closing it")
            << std::function([](SystemWindowForm& form) { form.window->close(); });
    }
    void systemButtonRaisesTheOneWindow() {
        QFETCH(std::function<void(SystemWindowForm&)>, before);
        SystemWindowForm form(german);
        QVERIFY(form.open());
        form.paste({{"txtF1", "-4*y"}});
        before(form);
        QTest::mouseClick(form.cmdSystem(), Qt::LeftButton);
        QCOMPARE(form.main.window.findChildren<SystemWindow*>(), QList<SystemWindow*>{form.window});
        QVERIFY(form.isActive());
        QCOMPARE(form.field("txtF1")->text(), "-4*y");
        // It belongs to the main window and closes with it.
        form.main.window.close();
        QVERIFY(!form.window->isVisible());
    }

    // The real warning box: the main window's, over the system window.
    void warningIsTheMainWindowsBoxOverTheSystemWindow() {
        SystemWindowForm form(german);
        QVERIFY(form.open());
        form.main.window.setWarningPresenter({});
        form.paste({{"txtanzschr", ""}});
        QString title, text;
        QWidget* over = nullptr;
        QMessageBox::StandardButtons buttons;
        closeModalBoxWhenShown([&](QWidget* shown) {
            if (auto* box = qobject_cast<QMessageBox*>(shown)) {
                title = box->windowTitle();
                text = box->text();
                over = box->parentWidget();
                buttons = box->standardButtons();
            }
        });
        form.press();
        QCOMPARE(title, "Numer-Integration");
        QCOMPARE(text, "Bitte Anzahl eingeben!");
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(over, form.window);
        QCOMPARE(form.window->focusWidget(), form.field("txtanzschr"));
    }

    void captionsBoxesAndFieldsFitAtAnyFontSize_data() {
        QTest::addColumn<qreal>("enlargement");
        QTest::addColumn<bool>("whileOpen");
        QTest::addColumn<QString>("shape");
        QTest::newRow("default font") << 1.0 << false << "4 Gleichungen";
        QTest::newRow("font twice as large") << 2.0 << false << "Gleichung 2. Ordnung";
        QTest::newRow("font doubled while open") << 2.0 << true << "3 Gleichungen";
    }
    void captionsBoxesAndFieldsFitAtAnyFontSize() {
        QFETCH(qreal, enlargement);
        QFETCH(bool, whileOpen);
        QFETCH(QString, shape);
        QFont font = m_font;
        font.setPointSizeF(font.pointSizeF() * enlargement);
        if (!whileOpen) {
            QApplication::setFont(font);
        }
        SystemWindowForm form(german);
        QVERIFY(form.open());
        QVERIFY(form.choose("cboForm", shape));
        if (whileOpen) {
            const QSize before = form.window->minimumSize();
            QApplication::setFont(font);
            // The layout grows the window as soon as it has seen the new font.
            QTRY_VERIFY(form.window->minimumWidth() > before.width() &&
                        form.window->minimumHeight() > before.height());
        }
        // At the smallest size the window can be given, nothing is clipped or overlaps.
        form.window->resize(1, 1);
        QTRY_COMPARE(form.window->size(), form.window->minimumSize());
        QList<QWidget*> shown;
        for (QWidget* control : form.window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!control->isVisible()) {
                continue;
            }
            const bool isEntry = qobject_cast<QLineEdit*>(control) != nullptr;
            const QSize needed =
                isEntry ? QSize(0, control->minimumSizeHint().height()) : control->sizeHint();
            QVERIFY2(needed.width() <= control->width() && needed.height() <= control->height(),
                     qPrintable(control->objectName() + control->accessibleName()));
            QVERIFY(form.window->rect().contains(control->geometry()));
            for (const QWidget* other : shown) {
                QVERIFY(!other->geometry().intersects(control->geometry()));
            }
            shown.append(control);
        }
        QVERIFY(shown.size() >= 15);
    }

private:
    QFont m_font;
};

QTEST_MAIN(SystemWindowTest)
#include "system_window_test.moc"
