// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/window/main/window_form.h"
#include "window/main/integration.h"
#include "window/main/method_box.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <utility>

namespace {

const QString valid_line = QStringLiteral("x-Wert   01.0   y-Wert   0.666666613089039");
const QString german_line = QStringLiteral("x-Wert   01,0   y-Wert   0,666666613089039");

// The tests write numbers the C way unless they ask for another locale.
struct Form : WindowForm {
    explicit Form(std::optional<QLocale> locale = QLocale::c()) : WindowForm(std::move(locale)) {}
};

const QStringList valid_entries{"10", "0", "1", "1"};

} // namespace

class IntegrationTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_applicationFont = QApplication::font(); }
    void cleanup() { QApplication::setFont(m_applicationFont); }

    void opensWithZeroEntriesAnEmptyListAndFocusInTheLowerBound() {
        Form form;
        QVERIFY(form.complete());
        QVERIFY(form.open());
        QCOMPARE(form.entries(), QStringList({"0", "0", "0", "0"}));
        QCOMPARE(form.ausgabe->count(), 0);
        QCOMPARE(QApplication::focusWidget(), form.txtug);
    }

    void tabVisitsTheStepCountThenTheChoicesLastAndStaticTextsNever_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QStringList>("visits");
        // The systems' button, added last, closes the cycle.
        const QStringList forward{"txtog",        "txtaw",      "cmdRechnen",
                                  "Ausgabe",      "txtanzschr", "cboGleichung",
                                  "cboVerfahren", "cmdSystem",  "txtug"};
        QStringList backward{"cmdSystem",  "cboVerfahren", "cboGleichung", "txtanzschr", "Ausgabe",
                             "cmdRechnen", "txtaw",        "txtog",        "txtug"};
        QTest::newRow("Tab") << Qt::KeyboardModifiers() << forward;
        QTest::newRow("Shift+Tab") << Qt::KeyboardModifiers(Qt::ShiftModifier) << backward;
    }
    void tabVisitsTheStepCountThenTheChoicesLastAndStaticTextsNever() {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QStringList, visits);
        Form form;
        QVERIFY(form.open());
        QStringList visited;
        for (int i = 0; i < visits.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(visited, visits);
    }

    void choicesOfferTheCatalogueAndTheMethodsWithTheDefaultsChosen_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("editable");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("equation") << "cboGleichung" << true
                                  << QStringList{"-x*y^2",  "y",   "-2*x*y",        "x+y",
                                                 "y*(1-y)", "y^2", "-50*(y-cos(x))"}
                                  << "-x*y^2";
        QTest::newRow("method") << "cboVerfahren" << false
                                << QStringList{"Euler-Cauchy (1. Ord.)",
                                               "Heun (2. Ord.)",
                                               "Mittelpunkt (2. Ord.)",
                                               "Runge-Kutta-3. Ord.",
                                               "Runge-Kutta-4. Ord.",
                                               "Implizites Euler-Verfahren (1. Ord.)",
                                               "Trapezregel (2. Ord.)",
                                               "Implizite Mittelpunktregel (2. Ord.)",
                                               "Bogacki-Shampine 3(2), adaptiv",
                                               "Runge-Kutta-Fehlberg 4(5), adaptiv",
                                               "Dormand-Prince 5(4), adaptiv"}
                                << "Runge-Kutta-4. Ord.";
    }
    void choicesOfferTheCatalogueAndTheMethodsWithTheDefaultsChosen() {
        QFETCH(QString, control);
        QFETCH(bool, editable);
        QFETCH(QStringList, items);
        QFETCH(QString, chosen);
        Form form;
        auto* box = form.window.findChild<QComboBox*>(control);
        QVERIFY(box != nullptr);
        QCOMPARE(box->isEditable(), editable);
        QStringList listed;
        for (int i = 0; i < box->count(); ++i) {
            listed.append(box->itemText(i));
        }
        QCOMPARE(listed, items);
        QCOMPARE(box->currentText(), chosen);
    }

    // Each line derived by hand: y(0) = 1 (0.5 for the logistic equation) in 10 passes of
    // h = 0.1 to x = 1. Heun's first pass on x + y: k1 = 0.1 * 1 = 0.1,
    // k2 = 0.1 * (0.1 + 1.1) = 0.12, y = 1 + (0.1 + 0.12) / 2 = 1.11.
    void typedEquationWithTheChosenMethodGivesItsLineAndTooltip_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("equation");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("tooltip");
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::newRow("x+y with Heun") << QLocale::c() << "1"
                                       << "x+y"
                                       << "Heun (2. Ord.)"
                                       << "x-Wert   01.0   y-Wert   3.42816169321645"
                                       << "y' = x+y, Heun (2. Ord.)";
        // Typed text is not completed to the catalogue's "x+y": y = 1 + 0.1 * (0 + ... + 0.9).
        QTest::newRow("start of a catalogue entry with Euler") << QLocale::c() << "1"
                                                               << "x"
                                                               << "Euler-Cauchy (1. Ord.)"
                                                               << "x-Wert   01.0   y-Wert   1.45"
                                                               << "y' = x, Euler-Cauchy (1. Ord.)";
        // The midpoint's first pass: k1 = 0.1 * 0.5 = 0.05, k2 = 0.1 * (0.5 * 1.025 - 0.05)
        // = 0.04625.
        QTest::newRow("decimal comma with the midpoint")
            << german << "1"
            << "0,5*y-x"
            << "Mittelpunkt (2. Ord.)"
            << "x-Wert   01,0   y-Wert   1,05482866937919"
            << "y' = 0,5*y-x, Mittelpunkt (2. Ord.)";
        // RK3's first pass: k1 = 0.025, k2 = 0.1 * 0.5125 * 0.4875, k3 from (0.5 - k1) + 2 k2.
        QTest::newRow("spaced catalogue entry with RK3")
            << QLocale::c() << "0.5"
            << "y * (1 - y)"
            << "Runge-Kutta-3. Ord."
            << "x-Wert   01.0   y-Wert   0.731059630324636"
            << "y' = y * (1 - y), Runge-Kutta-3. Ord.";
    }
    void typedEquationWithTheChosenMethodGivesItsLineAndTooltip() {
        QFETCH(QLocale, locale);
        QFETCH(QString, initial);
        QFETCH(QString, equation);
        QFETCH(QString, method);
        QFETCH(QString, line);
        QFETCH(QString, tooltip);
        Form form(locale);
        QVERIFY(form.open());
        form.enter({"10", "0", "1", initial});
        QVERIFY(form.choose(equation, method));
        // Return neither calculates nor adds the typed text to the list.
        QTest::keyClick(form.cboGleichung, Qt::Key_Return);
        QCOMPARE(form.cboGleichung->count(), 7);
        QCOMPARE(form.ausgabe->count(), 0);

        form.press();
        QCOMPARE(form.warnings, QStringList());
        QCOMPARE(form.lines(), QStringList{line});
        QCOMPARE(form.ausgabe->item(0)->toolTip(), tooltip);
        QCOMPARE(form.cboGleichung->currentText(), equation);
        QCOMPARE(form.cboGleichung->count(), 7);
    }

    void faultyEquationIsRefusedWithItsReasonAndTheFocusInTheEquation_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("equation");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("blamed");
        const auto faulty = [](const char* reason) {
            return QString::fromUtf8("Die Differentialgleichung ist fehlerhaft: %1.")
                .arg(QString::fromUtf8(reason));
        };
        QTest::newRow("unknown name")
            << valid_entries << "z*y" << faulty("unbekannter Name „z“ (Zeichen 1)")
            << "cboGleichung";
        QTest::newRow("undefined on the way")
            << valid_entries << "sqrt(-1)"
            << "Die Differentialgleichung ist bei x = 0, y = 1 nicht definiert."
            << "cboGleichung";
        QTest::newRow("entries are checked before the equation")
            << QStringList{"10", "0", "eins", "1"} << "z*y"
            << "Bitte eine Zahl für Obere Grenze eingeben!"
            << "txtog";
    }
    void faultyEquationIsRefusedWithItsReasonAndTheFocusInTheEquation() {
        QFETCH(QStringList, entries);
        QFETCH(QString, equation);
        QFETCH(QString, warning);
        QFETCH(QString, blamed);
        Form form;
        QVERIFY(form.open());
        form.enter(valid_entries);
        form.press();
        QCOMPARE(form.lines(), QStringList{valid_line});

        form.enter(entries);
        QVERIFY(form.choose(equation, "Heun (2. Ord.)"));
        form.cmdRechnen->setFocus();
        form.press();
        QCOMPARE(form.warnings, QStringList{warning});
        QCOMPARE(form.lines(), QStringList{valid_line});
        QCOMPARE(form.entries(), entries);
        QCOMPARE(form.cboGleichung->currentText(), equation);
        QCOMPARE(form.cboVerfahren->currentText(), "Heun (2. Ord.)");
        QCOMPARE(QApplication::focusWidget()->objectName(), blamed);
        const QLineEdit* edit = blamed == "cboGleichung"
                                    ? form.cboGleichung->lineEdit()
                                    : form.window.findChild<QLineEdit*>(blamed);
        QCOMPARE(edit->selectedText(), edit->text());
    }

    void eachPressAppendsTheResultAndKeepsTheEntries_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QString>("line");
        QTest::newRow("one press") << QLocale::c() << 1 << valid_line;
        QTest::newRow("two presses give two equal lines") << QLocale::c() << 2 << valid_line;
        QTest::newRow("German decimal comma")
            << QLocale(QLocale::German, QLocale::Germany) << 1 << german_line;
    }
    void eachPressAppendsTheResultAndKeepsTheEntries() {
        QFETCH(QLocale, locale);
        QFETCH(int, presses);
        QFETCH(QString, line);
        Form form(locale);
        QVERIFY(form.open());
        form.enter(valid_entries);
        for (int i = 0; i < presses; ++i) {
            form.press();
        }
        QCOMPARE(form.lines(), QStringList(presses, line));
        QCOMPARE(form.entries(), valid_entries);
        QCOMPARE(form.warnings, QStringList());
    }

    void systemLocaleDecidesTheNumberFormat() {
        if (QLocale::system().decimalPoint() != u',') {
            QSKIP("needs a system locale with a decimal comma; CTest runs this under de_DE");
        }
        Form form(std::nullopt);
        QVERIFY(form.open());
        form.enter(valid_entries);
        form.press();
        QCOMPARE(form.lines(), QStringList{german_line});
    }

    void returnInAFieldDoesNotCalculate() {
        Form form;
        QVERIFY(form.open());
        form.enter(valid_entries);
        QTest::keyClick(form.txtaw, Qt::Key_Return);
        QCOMPARE(form.ausgabe->count(), 0);
    }

    void warningLeavesEverythingAloneAndSelectsTheBlamedEntry_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("blamed");
        QTest::newRow("start state")
            << QStringList{"0", "0", "0", "0"} << "Bitte Anzahl > 0 eingeben!"
            << "txtanzschr";
        QTest::newRow("empty lower bound")
            << QStringList{"10", "", "1", "1"} << "Bitte Anzahl eingeben!"
            << "txtug";
        QTest::newRow("upper bound not a number")
            << QStringList{"10", "0", "eins", "1"} << "Bitte eine Zahl für Obere Grenze eingeben!"
            << "txtog";
        QTest::newRow("text longer than a line edit's default limit")
            << QStringList{"10", "0", "1", QString(40000, u'9') + u'x'}
            << "Bitte eine Zahl für Anfangswert eingeben!"
            << "txtaw";
        QTest::newRow("overflow blames no entry")
            << QStringList{"10", "-1e308", "1e308", "1"} << "Überlauf bei der Berechnung!"
            << "cmdRechnen";
    }
    void warningLeavesEverythingAloneAndSelectsTheBlamedEntry() {
        QFETCH(QStringList, entries);
        QFETCH(QString, warning);
        QFETCH(QString, blamed);
        Form form;
        QVERIFY(form.open());
        form.enter(entries);
        form.press();
        QCOMPARE(form.warnings, QStringList{warning});
        QCOMPARE(form.entries(), entries);
        QCOMPARE(form.ausgabe->count(), 0);
        QCOMPARE(QApplication::focusWidget()->objectName(), blamed);
        if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
            QCOMPARE(field->selectedText(), field->text());
        }
    }

    void warningIsAModalBoxWithOnlyOk() {
        Integration window;
        auto* txtanzschr = window.findChild<QLineEdit*>("txtanzschr");
        auto* cmdRechnen = window.findChild<QPushButton*>("cmdRechnen");
        QVERIFY(txtanzschr && cmdRechnen);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        bool modal = false;
        closeModalBoxWhenShown([&](QWidget* shown) {
            modal = shown->isModal();
            if (auto* box = qobject_cast<QMessageBox*>(shown)) {
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                buttons = box->standardButtons();
            }
        });
        QTest::mouseClick(cmdRechnen, Qt::LeftButton);

        QVERIFY(modal);
        QCOMPARE(title, "Numer-Integration");
        QCOMPARE(text, "Bitte Anzahl > 0 eingeben!");
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        // The blamed entry holds the focus once the window is active again.
        QCOMPARE(window.focusWidget(), txtanzschr);
        QCOMPARE(txtanzschr->selectedText(), "0");
    }

    void captionsAndEntriesFitAtAnyFontSize_data() {
        QTest::addColumn<qreal>("enlargement");
        QTest::addColumn<bool>("whileOpen");
        QTest::newRow("default font") << 1.0 << false;
        QTest::newRow("font twice as large") << 2.0 << false;
        QTest::newRow("font doubled while open") << 2.0 << true;
    }
    void captionsAndEntriesFitAtAnyFontSize() {
        QFETCH(qreal, enlargement);
        QFETCH(bool, whileOpen);
        QFont font = m_applicationFont;
        font.setPointSizeF(font.pointSizeF() * enlargement);
        if (!whileOpen) {
            QApplication::setFont(font);
        }
        Form form;
        QVERIFY(form.open());
        if (whileOpen) {
            QApplication::setFont(font);
            QTRY_COMPARE(form.window.font().pointSizeF(), font.pointSizeF());
        }

        bool someControlIsTight = false;
        int boxes = 0;
        for (QWidget* control : form.window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const bool isEntry = qobject_cast<QLineEdit*>(control) != nullptr;
            // A box's size hint makes room for its longest item.
            boxes += qobject_cast<QComboBox*>(control) != nullptr;
            if (!isEntry && !qobject_cast<QLabel*>(control) &&
                !qobject_cast<QPushButton*>(control) && !qobject_cast<QComboBox*>(control)) {
                continue;
            }
            // The methods' box shows the explicit methods' names in full, the others in its list.
            const auto* methods = dynamic_cast<const MethodBox*>(control);
            const QSize needed = isEntry   ? QSize(0, control->minimumSizeHint().height())
                                 : methods ? methods->explicitMethodsSizeHint()
                                           : control->sizeHint();
            QVERIFY2(needed.width() <= control->width() && needed.height() <= control->height(),
                     qPrintable(control->objectName()));
            someControlIsTight = someControlIsTight || needed.width() >= control->width() - 1 ||
                                 needed.height() >= control->height() - 1;
        }
        QCOMPARE(boxes, 2);
        QVERIFY2(form.window.scaleFactor() == 1.0 || someControlIsTight,
                 "the form is scaled more than its captions need");
        // The window keeps the designed proportions of 4920 x 4230 twips.
        const QSize design = form.window.minimumSize();
        QVERIFY(qAbs(design.width() - design.height() * 4920.0 / 4230.0) <= 1.0);
    }

    void resizingMovesNothingButGrowsTheList_data() {
        QTest::addColumn<QSize>("change");
        QTest::addColumn<QSize>("growth");
        QTest::newRow("larger") << QSize(120, 80) << QSize(120, 80);
        QTest::newRow("smaller than designed") << QSize(-50, -40) << QSize(0, 0);
    }
    void resizingMovesNothingButGrowsTheList() {
        QFETCH(QSize, change);
        QFETCH(QSize, growth);
        Form form;
        QVERIFY(form.open());
        const QSize design = form.window.size();
        QHash<QWidget*, QRect> before;
        for (QWidget* control : form.window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            before.insert(control, control->geometry());
        }

        form.window.resize(design + change);
        QTRY_COMPARE(form.window.size(), design + growth);
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            const QSize extra = it.key() == form.ausgabe ? growth : QSize(0, 0);
            QCOMPARE(it.key()->geometry(), QRect(it.value().topLeft(), it.value().size() + extra));
        }
    }

    // The form as designed in twips (1/15 pixel at scale 1): the systems' button moved none of
    // the original controls, and it stands in the free space of the right column, in
    // Berechnen's width between the step count and Berechnen, overlapping nothing.
    void controlsStandWhereTheFormPlacesThem_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("twips");
        const std::pair<const char*, QRect> places[] = {
            {"Label1", {240, 0, 3495, 255}},          {"Label2", {0, 240, 1455, 255}},
            {"Label3", {2640, 240, 1335, 255}},       {"Label4", {120, 1800, 1215, 255}},
            {"Label5", {120, 960, 1215, 255}},        {"Label6", {2640, 960, 1215, 255}},
            {"txtug", {120, 1320, 1095, 285}},        {"txtog", {2520, 1320, 1095, 285}},
            {"txtaw", {120, 2160, 1215, 285}},        {"cmdRechnen", {2760, 2880, 1215, 375}},
            {"Ausgabe", {120, 3360, 4680, 645}},      {"Label7", {120, 3000, 1695, 255}},
            {"Label8", {2520, 1800, 1095, 255}},      {"txtanzschr", {2400, 2160, 1215, 285}},
            {"Label9", {120, 600, 420, 285}},         {"cboGleichung", {540, 600, 1860, 285}},
            {"cboVerfahren", {2640, 600, 2160, 285}}, {"cmdSystem", {2760, 2520, 1215, 300}}};
        for (const auto& [control, twips] : places) {
            QTest::newRow(control) << QString(control) << twips;
        }
    }
    void controlsStandWhereTheFormPlacesThem() {
        QFETCH(QString, control);
        QFETCH(QRect, twips);
        Form form;
        QVERIFY(form.open());
        auto* widget = form.window.findChild<QWidget*>(control);
        QVERIFY(widget != nullptr);
        const double scale = form.window.scaleFactor();
        const auto pixels = [scale](int t) {
            return static_cast<int>(std::ceil(t * scale / 15.0 - 1e-9));
        };
        QCOMPARE(widget->geometry(), QRect(pixels(twips.x()), pixels(twips.y()),
                                           pixels(twips.width()), pixels(twips.height())));
        for (QWidget* other : form.window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QVERIFY2(other == widget || !other->geometry().intersects(widget->geometry()) ||
                         control != "cmdSystem",
                     qPrintable(other->objectName()));
        }
    }

    void everyLineCanBeScrolledIntoView_data() {
        QTest::addColumn<qreal>("enlargementAfterwards");
        QTest::newRow("default font") << 1.0;
        QTest::newRow("font doubled afterwards") << 2.0;
    }
    void everyLineCanBeScrolledIntoView() {
        QFETCH(qreal, enlargementAfterwards);
        Form form;
        QVERIFY(form.open());
        // The longest line comes first, longer than the list is wide.
        form.enter({"10", "0", "-100000000000000000000", "-1.23456789e-50"});
        form.press();
        form.enter(valid_entries);
        form.press();
        QFont font = m_applicationFont;
        font.setPointSizeF(font.pointSizeF() * enlargementAfterwards);
        QApplication::setFont(font);
        QTRY_COMPARE(form.ausgabe->font().pointSizeF(), font.pointSizeF());

        const int longest = form.ausgabe->fontMetrics().horizontalAdvance(form.lines().at(0));
        const QScrollBar* bar = form.ausgabe->horizontalScrollBar();
        QVERIFY(longest > form.ausgabe->viewport()->width());
        QTRY_VERIFY(bar->isVisible());
        QTRY_VERIFY(bar->maximum() + form.ausgabe->viewport()->width() >= longest);
    }

    void copyPutsTheSelectedLinesOnTheClipboard_data() {
        QTest::addColumn<bool>("byShortcut");
        QTest::newRow("Ctrl+C") << true;
        QTest::newRow("context menu entry") << false;
    }
    void copyPutsTheSelectedLinesOnTheClipboard() {
        QFETCH(bool, byShortcut);
        Form form;
        QVERIFY(form.open());
        for (const char* upper : {"1", "2", "3"}) {
            form.enter({"10", "0", upper, "1"});
            form.press();
        }
        const QStringList lines = form.lines();
        QCOMPARE(lines.size(), 3);
        form.ausgabe->setFocus();
        form.ausgabe->item(2)->setSelected(true);
        form.ausgabe->item(0)->setSelected(true);
        QGuiApplication::clipboard()->clear();

        if (byShortcut) {
            QTest::keyClick(form.ausgabe, Qt::Key_C, Qt::ControlModifier);
        } else {
            const QList<QAction*> menu = form.ausgabe->actions();
            const auto copy = std::find_if(menu.begin(), menu.end(),
                                           [](QAction* a) { return a->text() == "Kopieren"; });
            QVERIFY(copy != menu.end());
            QCOMPARE(form.ausgabe->contextMenuPolicy(), Qt::ActionsContextMenu);
            (*copy)->trigger();
        }
        QCOMPARE(QGuiApplication::clipboard()->text(), lines.at(0) + '\n' + lines.at(2));
    }

    void screenReadersAnnounceControlsByTheirCaptions_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        const std::pair<const char*, const char*> captions[] = {
            {"txtug", "Untere Grenze"},        {"txtog", "Obere Grenze"},
            {"txtaw", "Anfangswert"},          {"txtanzschr", "Schrittanzahl"},
            {"Ausgabe", "Ergebnis"},           {"cboGleichung", "Differentialgleichung"},
            {"cboVerfahren", "Lösungsmethode"}};
        for (const auto& [control, name] : captions) {
            QTest::newRow(control) << QString(control) << QString(name);
        }
    }
    void screenReadersAnnounceControlsByTheirCaptions() {
        QFETCH(QString, control);
        QFETCH(QString, name);
        Form form;
        auto* widget = form.window.findChild<QWidget*>(control);
        QVERIFY(widget != nullptr);
        QCOMPARE(widget->accessibleName(), name);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible != nullptr);
        if (qobject_cast<QComboBox*>(widget)) {
            // A box's accessible name on Linux is its value; readers name it by its label.
            QStringList labels;
            for (const auto& [other, relation] : accessible->relations(QAccessible::Label)) {
                labels.append(other->text(QAccessible::Name));
            }
            QCOMPARE(labels, QStringList{name});
        } else {
            QCOMPARE(accessible->text(QAccessible::Name), name);
        }

        const QList<QLabel*> labels = form.window.findChildren<QLabel*>();
        const auto buddy = std::find_if(labels.begin(), labels.end(), [widget](QLabel* label) {
            return label->buddy() == widget;
        });
        QVERIFY(buddy != labels.end());
        QCOMPARE((*buddy)->text(), name);
    }

private:
    QFont m_applicationFont;
};

QTEST_MAIN(IntegrationTest)
#include "integration_test.moc"
