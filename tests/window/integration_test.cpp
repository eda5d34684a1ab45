// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/window_form.h"
#include "window/integration.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
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

    void tabVisitsTheStepCountLastAndStaticTextsNever_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QStringList>("visits");
        const QStringList forward{"txtog", "txtaw", "cmdRechnen", "Ausgabe", "txtanzschr", "txtug"};
        QStringList backward{"txtanzschr", "Ausgabe", "cmdRechnen", "txtaw", "txtog", "txtug"};
        QTest::newRow("Tab") << Qt::KeyboardModifiers() << forward;
        QTest::newRow("Shift+Tab") << Qt::KeyboardModifiers(Qt::ShiftModifier) << backward;
    }
    void tabVisitsTheStepCountLastAndStaticTextsNever() {
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
        for (QWidget* control : form.window.findChildren<QWidget*>()) {
            const bool isEntry = qobject_cast<QLineEdit*>(control) != nullptr;
            if (!isEntry && !qobject_cast<QLabel*>(control) &&
                !qobject_cast<QPushButton*>(control)) {
                continue;
            }
            const QSize needed =
                isEntry ? QSize(0, control->minimumSizeHint().height()) : control->sizeHint();
            QVERIFY2(needed.width() <= control->width() && needed.height() <= control->height(),
                     qPrintable(control->objectName()));
            someControlIsTight = someControlIsTight || needed.width() >= control->width() - 1 ||
                                 needed.height() >= control->height() - 1;
        }
        QVERIFY2(form.window.scaleFactor() == 1.0 || someControlIsTight,
                 "the form is scaled more than its captions need");
        // The window keeps the designed proportions of 4680 x 4230 twips.
        const QSize design = form.window.minimumSize();
        QVERIFY(qAbs(design.width() - design.height() * 4680.0 / 4230.0) <= 1.0);
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

    void everyLineCanBeScrolledIntoViewAndShowsItselfAsTooltip_data() {
        QTest::addColumn<qreal>("enlargementAfterwards");
        QTest::newRow("default font") << 1.0;
        QTest::newRow("font doubled afterwards") << 2.0;
    }
    void everyLineCanBeScrolledIntoViewAndShowsItselfAsTooltip() {
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
        for (int row = 0; row < form.ausgabe->count(); ++row) {
            QCOMPARE(form.ausgabe->item(row)->toolTip(), form.ausgabe->item(row)->text());
        }
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
        const std::pair<const char*, const char*> captions[] = {{"txtug", "Untere Grenze"},
                                                                {"txtog", "Obere Grenze"},
                                                                {"txtaw", "Anfangswert"},
                                                                {"txtanzschr", "Schrittanzahl"},
                                                                {"Ausgabe", "Ergebnis"}};
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
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible != nullptr);
        QCOMPARE(accessible->text(QAccessible::Name), name);

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
