// SPDX-License-Identifier: GPL-3.0-or-later
// The count's field while a pair is chosen: its label, its own text, its checks, and the totals
// in the line's tooltip.
#include "tests/window/main/window_form.h"

#include <QLabel>
#include <QListWidgetItem>
#include <QTest>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QString dopri5 = QStringLiteral("Dormand-Prince 5(4), adaptiv");
const QString bs23 = QStringLiteral("Bogacki-Shampine 3(2), adaptiv");
const QString rk4 = QStringLiteral("Runge-Kutta-4. Ord.");
const QString heun = QStringLiteral("Heun (2. Ord.)");

} // namespace

class ToleranceEntryTest : public QObject {
    Q_OBJECT

private slots:
    // Each step picks a method and types into the field; the label, the accessible name and the
    // text that follow.
    void fieldFollowsTheMethod_data() {
        QTest::addColumn<QStringList>("methods");
        QTest::addColumn<QStringList>("typed"); // typed after each choice, empty: nothing
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::newRow("a pair shows the start tolerance")
            << QStringList{dopri5} << QStringList{QString()} << "Toleranz"
            << "1E-6";
        QTest::newRow("back to a fixed step brings the count back")
            << QStringList{dopri5, rk4} << QStringList{QString(), QString()} << "Schrittanzahl"
            << "7";
        QTest::newRow("a typed tolerance stays over a fixed step")
            << QStringList{bs23, heun, dopri5} << QStringList{"1E-3", QString(), QString()}
            << "Toleranz"
            << "1E-3";
        QTest::newRow("a typed count stays over a pair")
            << QStringList{dopri5, heun} << QStringList{QString(), "12"} << "Schrittanzahl"
            << "12";
        QTest::newRow("one pair to another keeps the tolerance")
            << QStringList{dopri5, bs23} << QStringList{"1E-9", QString()} << "Toleranz"
            << "1E-9";
    }
    void fieldFollowsTheMethod() {
        QFETCH(QStringList, methods);
        QFETCH(QStringList, typed);
        QFETCH(QString, label);
        QFETCH(QString, text);
        WindowForm form(german);
        form.txtanzschr->setText(QStringLiteral("7"));
        for (qsizetype i = 0; i < methods.size(); ++i) {
            QVERIFY(form.choose(QStringLiteral("-x*y^2"), methods[i]));
            if (!typed[i].isEmpty()) {
                form.txtanzschr->setText(typed[i]);
            }
        }
        QLabel* shown = nullptr;
        for (QLabel* candidate : form.window.findChildren<QLabel*>()) {
            if (candidate->buddy() == form.txtanzschr) {
                shown = candidate;
            }
        }
        QVERIFY(shown != nullptr);
        QCOMPARE(shown->text(), label);
        QCOMPARE(form.txtanzschr->accessibleName(), label);
        QCOMPARE(form.txtanzschr->text(), text);
    }

    void toleranceIsChecked_data() {
        QTest::addColumn<QString>("tolerance");
        QTest::addColumn<QString>("warning");
        QTest::newRow("empty") << ""
                               << "Bitte Toleranz eingeben!";
        QTest::newRow("text") << "fein"
                              << "Bitte eine Zahl für Toleranz eingeben!";
        QTest::newRow("zero") << "0"
                              << "Bitte eine Toleranz zwischen 1E-13 und 0,1 eingeben!";
        QTest::newRow("too small") << "1E-20"
                                   << "Bitte eine Toleranz zwischen 1E-13 und 0,1 eingeben!";
        QTest::newRow("one") << "1"
                             << "Bitte eine Toleranz zwischen 1E-13 und 0,1 eingeben!";
    }
    void toleranceIsChecked() {
        QFETCH(QString, tolerance);
        QFETCH(QString, warning);
        WindowForm form(german);
        QVERIFY(form.open());
        form.enter({"10", "0", "1", "1"});
        QVERIFY(form.choose(QStringLiteral("-x*y^2"), dopri5));
        form.txtanzschr->setText(tolerance);
        form.press();
        QCOMPARE(form.warnings, QStringList{warning});
        QCOMPARE(form.ausgabe->count(), 0);
        QTRY_VERIFY(form.txtanzschr->hasFocus());
    }

    // The count "abc" is not read while the field holds the tolerance.
    void pairLineCarriesItsTotals() {
        WindowForm form(german);
        QVERIFY(form.open());
        form.enter({"abc", "0", "1", "1"});
        QVERIFY(form.choose(QStringLiteral("-x*y^2"), dopri5));
        form.press();
        QCOMPARE(form.warnings, QStringList{});
        QCOMPARE(form.ausgabe->count(), 1);
        QVERIFY(
            form.lines().at(0).startsWith(QStringLiteral("x-Wert   01,0   y-Wert   0,6666666")));
        QCOMPARE(form.ausgabe->item(0)->toolTip(),
                 QStringLiteral("y' = -x*y^2, Dormand-Prince 5(4), adaptiv, Toleranz 1E-06: 9 "
                                "Schritte, 1 verworfen, 62 Auswertungen von f"));
    }
};

QTEST_MAIN(ToleranceEntryTest)
#include "tolerance_entry_test.moc"
