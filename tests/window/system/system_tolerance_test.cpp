// SPDX-License-Identifier: GPL-3.0-or-later
// The system window's count field while a pair is chosen, and the example that chooses one.
#include "tests/window/system/system_window_form.h"

#include <QLabel>
#include <QListWidgetItem>
#include <QTest>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

QLabel* captionOf(const SystemWindowForm& form, const QWidget* field) {
    for (QLabel* label : form.window->findChildren<QLabel*>()) {
        if (label->buddy() == field) {
            return label;
        }
    }
    return nullptr;
}

} // namespace

class SystemToleranceTest : public QObject {
    Q_OBJECT

private slots:
    // An example first, then a method: what the count's field and the method box show.
    void exampleAndMethodSetTheField_data() {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("method"); // empty: the example's own choice
        QTest::addColumn<QString>("shownMethod");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::newRow("Arenstorf chooses Dormand-Prince at 1E-7")
            << "Arenstorf-Bahn" << QString() << "Dormand-Prince 5(4), adaptiv"
            << "Toleranz"
            << "1E-7";
        QTest::newRow("a fixed step after Arenstorf shows its count") << "Arenstorf-Bahn"
                                                                      << "Runge-Kutta-4. Ord."
                                                                      << "Runge-Kutta-4. Ord."
                                                                      << "Schrittanzahl"
                                                                      << "1000";
        QTest::newRow("the stiff system chooses implicit Euler at 20 steps")
            << "Steifes System" << QString() << "Implizites Euler-Verfahren (1. Ord.)"
            << "Schrittanzahl"
            << "20";
        QTest::newRow("another example keeps the chosen pair") << "Pendel"
                                                               << "Bogacki-Shampine 3(2), adaptiv"
                                                               << "Bogacki-Shampine 3(2), adaptiv"
                                                               << "Toleranz"
                                                               << "1E-6";
    }
    void exampleAndMethodSetTheField() {
        QFETCH(QString, example);
        QFETCH(QString, method);
        QFETCH(QString, shownMethod);
        QFETCH(QString, label);
        QFETCH(QString, text);
        SystemWindowForm form(german);
        QVERIFY(form.open());
        QVERIFY(form.choose("cboBeispiel", example));
        if (!method.isEmpty()) {
            QVERIFY(form.choose("cboVerfahren", method));
        }
        QLineEdit* field = form.field("txtanzschr");
        QCOMPARE(form.box("cboVerfahren")->currentText(), shownMethod);
        QLabel* caption = captionOf(form, field);
        QVERIFY(caption != nullptr);
        QCOMPARE(caption->text(), label);
        QCOMPARE(field->accessibleName(), label);
        if (label == QStringLiteral("Schrittanzahl") && method.isEmpty()) {
            QCOMPARE(field->text(), text);
        } else if (label == QStringLiteral("Schrittanzahl")) {
            QVERIFY(!field->text().isEmpty());
            QVERIFY(field->text() != QStringLiteral("1E-7"));
        } else {
            QCOMPARE(field->text(), text);
        }
    }

    // The orbit closes: its line ends near its start (0,994; 0; 0; -2,00158...).
    void arenstorfLineCarriesItsTotals() {
        SystemWindowForm form(german);
        QVERIFY(form.open());
        QVERIFY(form.choose("cboBeispiel", "Arenstorf-Bahn"));
        form.press();
        QCOMPARE(form.main.warnings, QStringList{});
        QCOMPARE(form.main.ausgabe->count(), 1);
        const QString line = form.main.ausgabe->item(0)->text();
        QVERIFY2(line.startsWith(QStringLiteral("x-Wert   17,1   y-Wert   (0,99")),
                 qPrintable(line));
        const QString tooltip = form.main.ausgabe->item(0)->toolTip();
        QVERIFY2(tooltip.contains(QStringLiteral("Dormand-Prince 5(4), adaptiv, Toleranz 1E-07: ")),
                 qPrintable(tooltip));
        QVERIFY2(tooltip.endsWith(QStringLiteral(" Auswertungen von f")), qPrintable(tooltip));
    }

    void toleranceIsCheckedInTheCountsField() {
        SystemWindowForm form(german);
        QVERIFY(form.open());
        QVERIFY(form.choose("cboBeispiel", "Pendel"));
        QVERIFY(form.choose("cboVerfahren", "Runge-Kutta-Fehlberg 4(5), adaptiv"));
        form.paste({{"txtanzschr", "0,5"}});
        form.press();
        QCOMPARE(form.main.warnings,
                 QStringList{"Bitte eine Toleranz zwischen 1E-13 und 0,1 eingeben!"});
        QCOMPARE(form.main.ausgabe->count(), 0);
    }
};

QTEST_MAIN(SystemToleranceTest)
#include "system_tolerance_test.moc"
